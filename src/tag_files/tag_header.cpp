#include "tag_files/tag_header.h"

#include "core/byte_swap.h"

void byte_swap_tag_headers(tag_header* headers, std::int32_t count) {
    byte_swap_data(tag_header_definition, headers, count);
}
