// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer harness for the object list reader: the raw bytes of a list file are decoded, cut
// into lines and the lines into fields, once from memory and once through
// CatalogueFiles::ReadObjectRecords on a real file. Both must agree, lose no text, and the
// decoded text must encode back to the very same bytes.

#include "catalogue/cataloguefiles.h"
#include "catalogue/recordfields.h"
#include "catalogue/textencoding.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void fail(const char *what, const QByteArray &bytes)
{
    std::fprintf(stderr, "object list reader: %s\ninput (hex): %s\n", what,
                 bytes.toHex(' ').constData());
    std::abort();
}

// Every line break (CR LF, lone CR, lone LF) as LF.
QString withLfLineEnds(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

QList<QStringList> recordsInMemory(const QString &text, const QByteArray &bytes)
{
    const QStringList lines = CatalogueFiles::splitLines(text);
    const QString joined = withLfLineEnds(text);
    const bool endsWithBreak = joined.endsWith(QLatin1Char('\n'));
    if (lines.join(QLatin1Char('\n')) + (endsWithBreak ? QStringLiteral("\n") : QString()) !=
        joined)
        fail("the lines do not add up to the text", bytes);

    QList<QStringList> records;
    for (const QString &line : lines) {
        if (line.contains(QLatin1Char('\r')) || line.contains(QLatin1Char('\n')))
            fail("a line holds a line break", bytes);
        if (line.isEmpty())
            continue;
        const QStringList fields = splitFields(line);
        if (fields.size() != line.count(QLatin1Char(';')) + 1 ||
            fields.join(QLatin1Char(';')) != line)
            fail("the fields do not add up to the line", bytes);
        records.append(fields);
    }
    return records;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static QTemporaryDir folder;
    static const CatalogueFiles files(folder.path());
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));

    const DecodedText decoded = decodeDataFile(bytes);
    const EncodedText encoded = encodeDataFile(decoded.text, decoded.encoding);
    if (encoded.encoding != decoded.encoding || encoded.bytes != bytes)
        fail("the decoded text does not encode back to the same bytes", bytes);
    const QList<QStringList> records = recordsInMemory(decoded.text, bytes);

    QFile file(files.ListFilePath(QStringLiteral("Fuzz")));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        fail("the list file could not be written", bytes);
    file.close();
    const FileRead<QList<QStringList>> read = files.ReadObjectRecords(QStringLiteral("Fuzz"));
    if (read.state != FileState::Done)
        fail("the list file could not be read", bytes);
    if (read.encoding != decoded.encoding || read.value != records)
        fail("the reader and its parts disagree", bytes);
    const FileRead<QStringList> names = files.ReadObjectNames(QStringLiteral("Fuzz"));
    if (names.value.size() != records.size())
        fail("not one object name per record", bytes);
    return 0;
}
