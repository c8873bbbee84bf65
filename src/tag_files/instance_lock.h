#pragma once

// The single-instance lock: the file "kelvo2" in the local folder, held with a
// write lock from start-up to exit. Every program of the family claims the same
// file, so a second one in the same working folder is refused. The lock goes with
// the process, so a program that crashed does not block the next start.

// False when another program of the family holds the lock.
bool claim_instance_lock();
// Closes and deletes the lock file (run as an exit procedure).
void release_instance_lock();
