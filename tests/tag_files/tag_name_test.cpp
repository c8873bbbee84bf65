#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <ostream>
#include <string>

#include "tag_files/tag_name.h"

namespace {

struct sanitize_case {
    const char* name;
    const char* expected;
    bool changed;
};

void PrintTo(const sanitize_case& tested, std::ostream* out) { *out << '"' << tested.name << '"'; }

class SanitizeTagName : public ::testing::TestWithParam<sanitize_case> {};

TEST_P(SanitizeTagName, MakesTheNameValid) {
    char field[tag_name_capacity] = {};
    std::memcpy(field, GetParam().name, std::min(std::strlen(GetParam().name), sizeof field));
    EXPECT_EQ(sanitize_tag_name(field), GetParam().changed);
    EXPECT_STREQ(field, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Names, SanitizeTagName,
    ::testing::Values(sanitize_case{"Dwarf Lord", "Dwarf Lord", false},
                      sanitize_case{"a:b", "a_b", true},
                      sanitize_case{"\\/\"<>*?:", "________", true},
                      sanitize_case{"ogre. .", "ogre", false},
                      sanitize_case{"   ", "", false},
                      sanitize_case{"...", "", false},
                      sanitize_case{"a.b", "a.b", false},
                      // a style code is one character and never replaced; a lone bar is
                      sanitize_case{"|bold", "|bold", false},
                      sanitize_case{"|Sx", "|Sx", false},
                      sanitize_case{"a|x", "a_x", true},
                      sanitize_case{"a|", "a_", true},
                      sanitize_case{"1234567890123456789012345678901", "1234567890123456789012345678901", false},
                      // a style code that would end beyond 31 characters is dropped whole
                      sanitize_case{"123456789012345678901234567890|b", "123456789012345678901234567890", true},
                      // the character cut off does not keep a trailing space before it
                      sanitize_case{"123456789012345678901234567890 x", "123456789012345678901234567890", true}));

TEST(SanitizeTagName, CutsAFieldWithoutTerminatorAtThirtyOneCharacters) {
    char field[tag_name_capacity];
    std::memset(field, 'x', sizeof field);
    EXPECT_TRUE(sanitize_tag_name(field));
    EXPECT_EQ(std::string(field), std::string(31, 'x'));
}

TEST(TextCharacterLength, CountsStyleCodesAsOneCharacter) {
    EXPECT_EQ(text_character_length("|b"), 2);
    EXPECT_EQ(text_character_length("|P"), 2);
    EXPECT_EQ(text_character_length("|x"), 1);
    EXPECT_EQ(text_character_length("|"), 1);
    EXPECT_EQ(text_character_length("b"), 1);
}

}  // namespace
