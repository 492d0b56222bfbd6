// SPDX-License-Identifier: GPL-3.0-or-later
#include "textencoding.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <array>

namespace {

// Qt 6.4 has no Windows-1252 codec of its own (only through ICU, when Qt was built with it), so
// the code page is spelled out: Latin-1 except for the bytes 0x80 to 0x9F.
constexpr std::array<char16_t, 32> WINDOWS_1252_80_TO_9F{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

const QByteArray UTF8_BOM("\xEF\xBB\xBF");

bool isAscii(const QByteArray &bytes)
{
    return std::all_of(bytes.cbegin(), bytes.cend(),
                       [](char byte) { return static_cast<unsigned char>(byte) < 0x80; });
}

std::optional<QString> decodeStrictUtf8(const QByteArray &bytes)
{
    // Stateless, so that a sequence cut off at the end of the file counts as an error too.
    // A byte order mark inside the text (a second one after the one we strip) is kept as text.
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless |
                                                       QStringConverter::Flag::ConvertInitialBom);
    QString text = decoder(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

} // namespace

QString decodeWindows1252(const QByteArray &bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        text[i] = (byte >= 0x80 && byte <= 0x9F) ? QChar(WINDOWS_1252_80_TO_9F[byte - 0x80])
                                                 : QChar(byte);
    }
    return text;
}

std::optional<QByteArray> encodeWindows1252(const QString &text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) {
            bytes[i] = static_cast<char>(unit);
            continue;
        }
        const auto *found =
            std::find(WINDOWS_1252_80_TO_9F.cbegin(), WINDOWS_1252_80_TO_9F.cend(), unit);
        if (found == WINDOWS_1252_80_TO_9F.cend())
            return std::nullopt;
        bytes[i] = static_cast<char>(0x80 + (found - WINDOWS_1252_80_TO_9F.cbegin()));
    }
    return bytes;
}

DecodedText decodeDataFile(const QByteArray &bytes)
{
    if (bytes.startsWith(UTF8_BOM)) {
        if (auto text = decodeStrictUtf8(bytes.mid(UTF8_BOM.size())))
            return {*text, TextEncoding::Utf8WithBom};
    }
    if (!isAscii(bytes)) {
        if (auto text = decodeStrictUtf8(bytes))
            return {*text, TextEncoding::Utf8};
    }
    return {decodeWindows1252(bytes), TextEncoding::Windows1252};
}

EncodedText encodeDataFile(const QString &text, TextEncoding encoding)
{
    if (encoding == TextEncoding::Windows1252) {
        if (auto bytes = encodeWindows1252(text))
            return {*bytes, TextEncoding::Windows1252};
        return {text.toUtf8(), TextEncoding::Utf8};
    }
    if (encoding == TextEncoding::Utf8WithBom)
        return {UTF8_BOM + text.toUtf8(), TextEncoding::Utf8WithBom};
    return {text.toUtf8(), TextEncoding::Utf8};
}
