#include "editor/character_translation.h"

#include <gtest/gtest.h>

namespace {

TEST(CharacterTranslation, GameBytesMapToTheCharactersShown) {
    struct Case {
        unsigned game;
        unsigned shown;
    };
    const Case cases[] = {
        {0, '?'},     {8, '?'},     {9, 9},       {10, 10},     {13, 13},     {31, '?'},   {32, ' '},
        {'A', 'A'},   {127, 127},   {0x80, 0xC4}, {0x8E, 0xE9}, {0xA0, 0x86}, {0xA5, 0x95}, {0xAA, 0x99},
        {0xAD, '?'},  {0xC4, 0x83}, {0xCA, '?'},  {0xCE, 0x8C}, {0xD0, 0x96}, {0xD2, 0x93}, {0xD9, 0x9F},
        {0xDB, 0xA4}, {0xDE, '?'},  {0xE2, 0x82}, {0xF0, '?'},  {0xF5, '?'},  {0xF6, 0x88}, {0xFF, '?'},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(to_display_character(static_cast<unsigned char>(c.game)), c.shown) << "game byte " << c.game;
    }
}

TEST(CharacterTranslation, ShownCharactersMapBackToTheLowestGameByte) {
    EXPECT_EQ(from_display_character('?'), '?');
    EXPECT_EQ(from_display_character('A'), 'A');
    EXPECT_EQ(from_display_character(0xC4), 0x80);
    EXPECT_EQ(from_display_character(0xA4), 0xDB);
    // No game character is shown as the no-break space or as 0x81.
    EXPECT_EQ(from_display_character(0xA0), '?');
    EXPECT_EQ(from_display_character(0x81), '?');
    for (int byte = 0; byte < 256; ++byte) {
        const unsigned char shown = to_display_character(static_cast<unsigned char>(byte));
        if (shown == '?' || byte < 32) continue;
        EXPECT_EQ(from_display_character(shown), byte) << byte;
    }
}

TEST(CharacterTranslation, Windows1252TextRoundTripsThroughQt) {
    const std::string bytes = "Caf\xE9 \x80 \x93quoted\x94";
    const QString text = text_from_windows_1252(bytes);
    EXPECT_EQ(text, QString::fromUtf8("Café € “quoted”"));
    EXPECT_EQ(text_to_windows_1252(text), bytes);
    EXPECT_EQ(text_to_windows_1252(QString::fromUtf8("日本")), "??");
    EXPECT_EQ(text_from_windows_1252("\x81"), QStringLiteral("?"));
}

}  // namespace
