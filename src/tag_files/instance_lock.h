#pragma once

// The single-instance lock: the file "kelvo2" in the local folder, held with a
// write lock from start-up to exit. Every program of the family claims the same
// file, so a second one in the same working folder is refused. The lock goes with
// the process, so a program that crashed does not block the next start.

#include <string>

// False when another program of the family holds the lock, or when the lock file
// cannot be made because the working folder cannot be written.
bool claim_instance_lock();
// After a refused claim: whether the reason is that the working folder (or its
// local folder) cannot be written, rather than another holder.
bool working_folder_is_read_only();
// "The working folder '<path>' cannot be written (read-only): tags can be looked
// at but not changed." for the current folder.
std::string read_only_working_folder_text();
// Closes and deletes the lock file (run as an exit procedure).
void release_instance_lock();
