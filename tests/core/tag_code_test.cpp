#include "core/tag_code.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct text_case {
    const char* text;
    tag_code tag_code_result;
    tag_code subgroup_result;
};

constexpr tag_code bytes(unsigned a, unsigned b, unsigned c, unsigned d) {
    return (a << 24) | (b << 16) | (c << 8) | d;
}

void PrintTo(const text_case& example, std::ostream* out) { *out << '"' << example.text << '"'; }

class TextToCode : public testing::TestWithParam<text_case> {};

TEST_P(TextToCode, GivesTheCodeOfItsFirstWords) {
    const text_case& example = GetParam();
    EXPECT_EQ(tag_code_from_text(example.text), example.tag_code_result) << example.text;
    EXPECT_EQ(subgroup_from_name(example.text), example.subgroup_result) << example.text;
}

INSTANTIATE_TEST_SUITE_P(
    Examples, TextToCode,
    testing::Values(text_case{"mons", make_tag("mons"), make_tag("mons")},
                    text_case{"Dwarf Lord", make_tag("dwlo"), make_tag("dwlo")},
                    text_case{"dwarf-lord", make_tag("dwlo"), make_tag("dwlo")},
                    text_case{" (mons) ", make_tag("mons"), make_tag("mons")},
                    text_case{".256", make_tag(".256"), make_tag(".256")},
                    text_case{"ab", bytes('a', 'b', 0xFF, 0xFF), make_tag("ab  ")},
                    text_case{"skeleton", make_tag("skel"), make_tag("skel")},
                    text_case{"a b c d", bytes('a', 0xFF, 'b', 'c'), make_tag("a bc")},
                    text_case{"one two three four", make_tag("ontt"), make_tag("ontt")},
                    text_case{"x y", bytes('x', 0xFF, 'y', 0xFF), make_tag("x y ")},
                    text_case{"", static_cast<tag_code>(NONE), make_tag("    ")},
                    text_case{" -:;()[]{}?!\t\n", static_cast<tag_code>(NONE), make_tag("    ")}));

TEST(TextToCode, ReadsOnlyTheFirst32CharactersOrTheFirst31OfAName) {
    const std::string text = std::string(31, ' ') + "ab";
    EXPECT_EQ(tag_code_from_text(text), bytes('a', 0xFF, 0xFF, 0xFF));
    EXPECT_EQ(subgroup_from_name(text), make_tag("    "));
}

TEST(CodeToText, RightAlignsUpToFourCharactersAndShowsNoneAsEmpty) {
    EXPECT_STREQ(tag_code_to_text(make_tag("mons")), "mons");
    EXPECT_STREQ(tag_code_to_text(make_tag(".256")), ".256");
    EXPECT_STREQ(tag_code_to_text(NONE), "");
    EXPECT_STREQ(tag_code_to_text(bytes('a', 'b', 0, 'x')), "  ab");
    EXPECT_STREQ(tag_code_to_text(bytes('q', 0, 'r', 's')), "   q");
    EXPECT_STREQ(tag_code_to_text(0), "    ");
}

TEST(CodeToText, SeventhCallReusesTheFirstBuffer) {
    const char* first = tag_code_to_text(make_tag("aaaa"));
    for (int call = 2; call <= 6; ++call) EXPECT_NE(tag_code_to_text(make_tag("bbbb")), first);
    EXPECT_STREQ(first, "aaaa");
    EXPECT_EQ(tag_code_to_text(make_tag("cccc")), first);
    EXPECT_STREQ(first, "cccc");
}

TEST(CompareTextIgnoringCase, ComparesTheFirst63CharactersWithoutCase) {
    EXPECT_EQ(compare_text_ignoring_case("Mons", "mONs"), 0);
    EXPECT_LT(compare_text_ignoring_case("abc", "abd"), 0);
    EXPECT_GT(compare_text_ignoring_case("ABD", "abc"), 0);
    EXPECT_LT(compare_text_ignoring_case("abc", "ABCD"), 0);
    EXPECT_GT(compare_text_ignoring_case("a\xe9", "aZ"), 0) << "bytes compare unsigned";
    const std::string common(63, 'k');
    EXPECT_EQ(compare_text_ignoring_case(common + "x", common + "y"), 0);
    EXPECT_NE(compare_text_ignoring_case(std::string(62, 'k') + "x", std::string(62, 'k') + "y"), 0);
}

TEST(None, MatchesAllBitsSetInEveryIntegerWidth) {
    const int16_t index = NONE;
    const uint32_t code = NONE;
    const int32_t handle = NONE;
    EXPECT_EQ(index, -1);
    EXPECT_EQ(code, 0xFFFFFFFFu);
    EXPECT_TRUE(index == NONE && code == NONE && handle == NONE);
    EXPECT_FALSE(uint16_t{0xFFFE} == NONE);
    EXPECT_TRUE(int32_t{0} != NONE);
}

}  // namespace
