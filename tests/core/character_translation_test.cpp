#include <gtest/gtest.h>

#include <string>

#include "core/character_translation.h"

namespace {

// Shown, every CR of the game text is followed by an LF; saved, every LF is
// dropped and every other character mapped back ('?' where the game has none).
TEST(GameText, ShownWithCrLfAndSavedWithoutLf) {
    const struct Case {
        std::string game;
        std::string shown;
        std::string saved;
    } cases[] = {
        {"a\rb", "a\r\nb", "a\rb"},
        {"a\r\nb\n", "a\r\n\nb\n", "a\rb"},
        {"Caf\x8E\t\xDB", "Caf\xE9\t\xA4", "Caf\x8E\t\xDB"},
        {std::string("\x01\0\xCA\xF0", 4), "????", "????"},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(game_text_to_display(c.game), c.shown);
        EXPECT_EQ(display_text_to_game(game_text_to_display(c.game)), c.saved);
    }
    // Shown characters no game byte stands for.
    EXPECT_EQ(display_text_to_game("\x80\x81\xA0"), "???");
}

TEST(GameText, Windows1252BytesAndUnicode) {
    const struct Case {
        unsigned char byte;
        char16_t unicode;
    } cases[] = {{'A', u'A'}, {0x80, u'\u20AC'}, {0x96, u'\u2013'}, {0x9F, u'\u0178'}, {0xA4, u'\u00A4'}, {0xFF, u'\u00FF'}};
    for (const Case& c : cases) {
        EXPECT_EQ(windows_1252_unicode(c.byte), c.unicode);
        EXPECT_EQ(windows_1252_byte(c.unicode), c.byte);
    }
    for (const unsigned char undefined : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) EXPECT_EQ(windows_1252_unicode(undefined), 0);
    EXPECT_EQ(windows_1252_byte(u'\u65E5'), '?');
    EXPECT_EQ(windows_1252_byte(u'\u0081'), '?');
}

}  // namespace
