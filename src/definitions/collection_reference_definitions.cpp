#include "definitions/collection_reference_definitions.h"

#include <cstring>

#include "definitions/field_builders.h"

namespace definitions {

using namespace fields;

namespace {

constexpr collection_reference make_collection_reference_default() {
    collection_reference reference{};
    reference.collection = NONE;
    return reference;
}

constexpr FieldDescription color_permutation_fields[] = {
    color("colors", 0, color_permutation_colors),
};

}  // namespace

constinit const collection_reference collection_reference_default = make_collection_reference_default();

int32_t collection_reference_user_data(const void* record) {
    int32_t first_word;
    std::memcpy(&first_word, record, sizeof first_word);
    return first_word;
}

const RecordDescription color_permutation_description{
    "color_permutation", sizeof(color_permutation), color_permutation_codes, color_permutation_fields};

namespace {

constexpr FieldDescription collection_reference_fields[] = {
    reference("collection", 0, make_tag(".256")),
    element_count("permutation_count", 4, collection_reference_maximum_permutations),
    int16("tint_fraction", 6, FieldKind::integer),
    records("permutations", 8, color_permutation_description, collection_reference_maximum_permutations),
    color("tint_color", 328),
    reserved("reserved", 336, 36),
    reserved("runtime", 372, 12),
};

}  // namespace

const RecordDescription collection_reference_description{
    "collection_reference", sizeof(collection_reference), collection_reference_codes,
    collection_reference_fields};

}  // namespace definitions
