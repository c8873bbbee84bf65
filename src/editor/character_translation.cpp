#include "editor/character_translation.h"

QString text_from_windows_1252(std::string_view bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (const char byte : bytes) {
        const char16_t unicode = windows_1252_unicode(static_cast<unsigned char>(byte));
        text.append(QChar(unicode ? unicode : u'?'));
    }
    return text;
}

std::string text_to_windows_1252(const QString& text) {
    std::string bytes;
    bytes.reserve(static_cast<size_t>(text.size()));
    for (const QChar character : text) bytes.push_back(static_cast<char>(windows_1252_byte(character.unicode())));
    return bytes;
}

std::optional<UnheldCharacter> first_unheld_character(const QString& text, HeldText kind) {
    qsizetype line = 1;
    qsizetype column = 1;
    for (qsizetype index = 0; index < text.size(); ++column) {
        const qsizetype at = index;
        char32_t character = text[index++].unicode();
        if (QChar::isHighSurrogate(character) && index < text.size() && text[index].isLowSurrogate())
            character = QChar::surrogateToUcs4(static_cast<char16_t>(character), text[index++].unicode());
        if (character == '\n' || character == QChar::ParagraphSeparator || character == QChar::LineSeparator) {
            ++line;
            column = 0;
            continue;
        }
        const bool held = kind == HeldText::game_text
                              ? character == '\r' || game_character_of(character).has_value()
                              : character <= 0xFFFF && (character == '?' ||
                                                        windows_1252_byte(static_cast<char16_t>(character)) != '?');
        if (!held) return UnheldCharacter{at, line, column, character};
    }
    return std::nullopt;
}

QString unheld_character_sentence(const UnheldCharacter& unheld, HeldText kind) {
    const QString shown = QString::fromUcs4(&unheld.character, 1);
    const QString code = QString::number(static_cast<uint>(unheld.character), 16).toUpper().rightJustified(4, u'0');
    const QString character = QStringLiteral("the character U+%1 '%2'").arg(code, shown);
    return kind == HeldText::game_text ? character + QStringLiteral(" has no equivalent in the game's character set")
                                       : character + QStringLiteral(" cannot be part of a tag name");
}
