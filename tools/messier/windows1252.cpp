#include "windows1252.h"

#include <array>
#include <utility>

namespace messier {

namespace {

// The German letters share their code points with Windows-1252 (and Latin-1).
constexpr std::array<std::pair<char16_t, unsigned char>, 7> GERMAN_LETTERS = {{
    {u'Ä', 0xC4},
    {u'Ö', 0xD6},
    {u'Ü', 0xDC},
    {u'ß', 0xDF},
    {u'ä', 0xE4},
    {u'ö', 0xF6},
    {u'ü', 0xFC},
}};

std::optional<unsigned char> windows1252Byte(QChar character)
{
    const char16_t code = character.unicode();
    if (code >= 0x20 && code <= 0x7E)
        return static_cast<unsigned char>(code);
    for (const auto &[letter, byte] : GERMAN_LETTERS)
        if (letter == code)
            return byte;
    return std::nullopt;
}

} // namespace

std::optional<QByteArray> ToWindows1252(const QString &text, QChar *refused)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const QChar character : text) {
        const std::optional<unsigned char> byte = windows1252Byte(character);
        if (!byte) {
            if (refused)
                *refused = character;
            return std::nullopt;
        }
        bytes.append(static_cast<char>(*byte));
    }
    return bytes;
}

} // namespace messier
