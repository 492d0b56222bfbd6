// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

/// How the bytes of a data file are turned into text. A file is written back in the encoding it
/// was read in, so that an edit changes only what the user changed.
enum class TextEncoding
{
    Windows1252, ///< the 8-bit code page of the delivered files; umlauts are single bytes
    Utf8,        ///< as written by most editors on Linux
    Utf8WithBom, ///< UTF-8 that starts with the byte order mark EF BB BF
};

/// A file's text together with the encoding it was found in.
struct DecodedText
{
    QString text;
    TextEncoding encoding = TextEncoding::Windows1252;
};

/// Decodes a data file: UTF-8 when it starts with a byte order mark (which is dropped) or is valid
/// UTF-8 holding non-ASCII bytes, otherwise Windows-1252, which can decode every byte.
DecodedText decodeDataFile(const QByteArray &bytes);

/// Decodes Windows-1252; the five bytes the code page leaves undefined become the C1 controls of
/// the same value, so every byte survives a round trip.
QString decodeWindows1252(const QByteArray &bytes);

/// Encodes Windows-1252; empty when a character of text has no byte in the code page.
std::optional<QByteArray> encodeWindows1252(const QString &text);

/// The bytes of text in the given encoding, and the encoding actually used: a text that
/// Windows-1252 cannot hold is written as UTF-8, so that no character is lost.
struct EncodedText
{
    QByteArray bytes;
    TextEncoding encoding = TextEncoding::Windows1252;
};
EncodedText encodeDataFile(const QString &text, TextEncoding encoding);
