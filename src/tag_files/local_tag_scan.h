#pragma once

// The scan of the local folder when the directory is opened: every valid local
// tag file of every group's folder is added to the directory.

// Always true.
bool scan_local_tags();
