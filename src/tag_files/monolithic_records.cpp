#include "tag_files/monolithic_records.h"

#include "core/byte_swap.h"

void byte_swap_monolithic_header(monolithic_header& header) { byte_swap_data(tag_file_header_definition, &header); }

void byte_swap_entry_points(stored_entry_point* entry_points, std::int32_t count) {
    byte_swap_data(tag_file_entry_point_definition, entry_points, count);
}
