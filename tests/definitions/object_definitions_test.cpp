#include "definitions/object_definitions.h"

#include <gtest/gtest.h>

#include "definitions/stored_bytes.h"

namespace {

using namespace definitions;
using test_support::stored_value;

TEST(ObjectDefinitions, CodesCoverEachRecordExactly) {
    EXPECT_EQ(test_support::coverage_fault(object_definition_codes, sizeof(object_definition)), "");
    EXPECT_EQ(test_support::coverage_fault(scenery_definition_codes, sizeof(scenery_definition)), "");
}

TEST(ObjectDefinitions, DefaultRecordsInFileOrder) {
    const stored_value object[] = {{2, 2, -2}, {4, 2, 128}, {8, 2, 256}, {12, 2, 256}, {16, 2, 256, 16}};
    EXPECT_EQ(test_support::file_order_differences(&object_definition_default, sizeof(object_definition),
                                                   object_definition_codes, object),
              "");
    const stored_value scenery[] = {
        {4, 4, -1},  {8, 4, -1},  {12, 4, -1},    {16, 2, -1},
        {24, 4, -1}, {28, 4, -1}, {32, 4, -1, 2}, {40, 2, -1, 6},
    };
    EXPECT_EQ(test_support::file_order_differences(&scenery_definition_default, sizeof(scenery_definition),
                                                   scenery_definition_codes, scenery),
              "");
}

TEST(ObjectDefinitions, EnumerationNamesFollowTheirBias) {
    EXPECT_EQ(test_support::enumeration_bias_faults(scenery_definition_description), "");
}

}  // namespace
