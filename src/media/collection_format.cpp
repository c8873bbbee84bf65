#include "media/collection_format.h"

#include "core/byte_swap.h"

namespace {

template <typename Record, std::size_t code_count>
void swap(const char* name, Record* records, std::int32_t count, const std::int16_t (&codes)[code_count]) {
    byte_swap_data(name, records, sizeof(Record), count, std::span<const std::int16_t>(codes, code_count));
}

}  // namespace

void byte_swap_records(collection_header* records, std::int32_t count) {
    swap("collection_header", records, count, collection_header_byte_swap_codes);
}
void byte_swap_records(color_table* records, std::int32_t count) {
    swap("color_table", records, count, color_table_byte_swap_codes);
}
void byte_swap_records(hue_change* records, std::int32_t count) {
    swap("hue_change", records, count, hue_change_byte_swap_codes);
}
void byte_swap_records(bitmap_reference* records, std::int32_t count) {
    swap("bitmap_reference", records, count, bitmap_reference_byte_swap_codes);
}
void byte_swap_records(bitmap_instance* records, std::int32_t count) {
    swap("bitmap_instance", records, count, bitmap_instance_byte_swap_codes);
}
void byte_swap_records(sequence_reference* records, std::int32_t count) {
    swap("sequence_reference", records, count, sequence_reference_byte_swap_codes);
}
void byte_swap_records(sequence* records, std::int32_t count) {
    swap("sequence", records, count, sequence_byte_swap_codes);
}
void byte_swap_records(sequence_frame* records, std::int32_t count) {
    swap("sequence_frame", records, count, sequence_frame_byte_swap_codes);
}
void byte_swap_records(shadow_map* records, std::int32_t count) {
    swap("shadow_map", records, count, shadow_map_byte_swap_codes);
}
void byte_swap_records(bitmap* records, std::int32_t count) {
    swap("bitmap", records, count, bitmap_byte_swap_codes);
}
