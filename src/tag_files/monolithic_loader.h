#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Loading monolithic files into the directory beyond the steps of opening it
// (monolithic_loading.h): the content checksum that players' programs compare,
// and the one extra plugin the network game may load after the directory is open.

// 0x101, combined by exclusive-or with the checksum of every loaded foundation
// file and with the patch checksum.
std::uint32_t tag_files_checksum();
// Recomputes it from the foundation files' headers found on either root and the
// current patch checksum.
std::uint32_t recompute_tag_files_checksum();

// Loads the plugin row as an extra plugin, first unloading a different extra
// plugin; a file already loaded with the plugin's name and checksum is not loaded
// again. False when the row does not exist or the plugin cannot be loaded.
bool load_extra_plugin(std::int16_t index);
// Removes the extra plugin's tags (hidden tags reappear) and closes its file.
void unload_extra_plugin();

// The monolithic files of the working folder that were there but were refused,
// as "tags/NAME" or "plugins/NAME": by the plugins-folder scan of the last
// initialization and by the last opening of the directory (foundation files,
// patches, plugins), each once, in the order they were refused. Why each was
// refused went to the log.
std::vector<std::string> refused_monolithic_files();

// Forgets the plugin table, the entry points, the checksums and every loaded
// file, as at program start.
void reset_monolithic_state();
