#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/byte_swap.h"
#include "definitions/field_description.h"
#include "definitions/record_catalog.h"
#include "definitions/stored_bytes.h"

namespace {

using definitions::FieldDescription;
using definitions::FieldKind;
using definitions::RecordDescription;

// What the codes do at each byte: the start of a swapped field of some width, a
// continuation of one, or a byte left alone.
struct byte_role {
    int64_t start = -1;
    int32_t width = 0;
    bool swapped = false;
};

std::vector<byte_role> byte_roles(const RecordDescription& record) {
    std::vector<byte_role> roles(record.size);
    for (const byte_swap_field& field : byte_swap_fields(record.codes)) {
        for (int64_t byte = field.offset; byte < field.offset + field.width && byte < int64_t{record.size}; ++byte) {
            roles[static_cast<size_t>(byte)] = {field.offset, field.width, field.swapped};
        }
    }
    return roles;
}

bool covered_only_by_runs(const std::vector<byte_role>& roles, uint32_t offset, uint32_t size) {
    for (uint32_t byte = offset; byte < offset + size; ++byte) {
        if (roles[byte].swapped) return false;
    }
    return true;
}

// Every scalar of every field must sit on a code of its own width: 2- and 4-byte
// numbers on -2 and -4 starting at their offset, bytes and text on runs.
void expect_fields_on_codes(const RecordDescription& record, const std::vector<byte_role>& roles, uint32_t base) {
    for (const FieldDescription& field : record.fields) {
        SCOPED_TRACE(field.name);
        const uint32_t offset = base + field.offset;
        ASSERT_LE(uint64_t{offset} + definitions::field_size(field), roles.size()) << "field beyond the record";
        if (field.kind == FieldKind::record_array) {
            ASSERT_NE(field.element, nullptr);
            // Arrays the record's codes leave alone are converted on their own,
            // by the element's codes, which are checked as a record of their own.
            if (covered_only_by_runs(roles, offset, definitions::field_size(field))) continue;
            for (uint32_t index = 0; index < field.count; ++index) {
                expect_fields_on_codes(*field.element, roles, offset + index * field.element->size);
            }
            continue;
        }
        ASSERT_TRUE(field.width == 1 || field.width == 2 || field.width == 4);
        if (field.kind == FieldKind::flags) {
            const uint64_t word_mask = (uint64_t{1} << (8 * field.width)) - 1;
            for (const definitions::NamedValue& bit : field.names) {
                const uint64_t mask = static_cast<uint32_t>(bit.value);
                EXPECT_TRUE(mask != 0 && (mask & ~word_mask) == 0) << bit.name << " is not a bit of the word";
            }
        }
        for (uint32_t scalar = 0; scalar < definitions::field_size(field) / field.width; ++scalar) {
            const uint32_t at = offset + scalar * field.width;
            if (field.width == 1) {
                EXPECT_FALSE(roles[at].swapped) << "byte at " << at << " is swapped";
                continue;
            }
            EXPECT_TRUE(roles[at].swapped && roles[at].start == at && roles[at].width == field.width)
                << int{field.width} << "-byte number at " << at << " meets a code of width " << roles[at].width
                << (roles[at].swapped ? " starting at " + std::to_string(roles[at].start) : std::string(" run"));
        }
    }
}

TEST(RecordLayouts, CodesAndFieldDescriptionsAgree) {
    const auto records = definitions::all_record_descriptions();
    ASSERT_GE(records.size(), 46u);
    std::set<std::string> names;
    for (const RecordDescription* record : records) {
        SCOPED_TRACE(record->name);
        EXPECT_TRUE(names.insert(record->name).second) << "listed twice";

        const byte_swap_walk_result measured = byte_swap_measure(record->codes);
        EXPECT_TRUE(measured.valid);
        EXPECT_EQ(measured.bytes_covered, int64_t{record->size});
        EXPECT_EQ(measured.codes_used, static_cast<int32_t>(record->codes.size()));
        if (!measured.valid || measured.bytes_covered != int64_t{record->size}) continue;

        // The fields follow each other without gap or overlap and fill the record.
        uint32_t next = 0;
        for (const FieldDescription& field : record->fields) {
            EXPECT_EQ(field.offset, next) << field.name << " does not start where the previous field ends";
            EXPECT_GT(field.count, 0u) << field.name;
            next = field.offset + definitions::field_size(field);
        }
        EXPECT_EQ(next, record->size) << "fields end short of or beyond the record";
        if (next != record->size) continue;

        expect_fields_on_codes(*record, byte_roles(*record), 0);
        EXPECT_EQ(test_support::enumeration_bias_faults(*record), "");
    }
}

}  // namespace
