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
