#pragma once

// A tag write or a plugin build killed midway leaves its temporary file beside the
// file it was replacing. Once the single-instance lock is held no other writer can
// be under way, so every such file in the tag folders, "plugins" and "tags" is a
// leftover; each one removed is noted in the log.
void remove_stale_temporary_files();
