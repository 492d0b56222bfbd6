#include "cataloguefiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <utility>

namespace {

const QString SITE_FILE = QStringLiteral("standort.txt");
const QString LIST_INDEX_FILE = QStringLiteral("liste.txt");
const QString LIST_FILE_SUFFIX = QStringLiteral(".txt");

template <typename T, typename U> FileRead<T> sameState(const FileRead<U> &read)
{
    return {read.state, read.path, T{}, read.encoding};
}

QString withCrLfLineEnds(const QString &text)
{
    QString lines = text;
    lines.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    lines.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return lines;
}

} // namespace

bool writeAllBytes(QIODevice &device, const QByteArray &bytes)
{
    return device.write(bytes) == bytes.size();
}

CatalogueFiles::CatalogueFiles(const QString &programFolder, ByteWriter writeBytes)
    : writeBytes(std::move(writeBytes)), folder(programFolder)
{
}

QString CatalogueFiles::ListFilePath(const QString &listName) const
{
    return folder + QLatin1Char('/') + listName + LIST_FILE_SUFFIX;
}

bool CatalogueFiles::isAllowedListName(const QString &listName)
{
    return !listName.contains(QLatin1Char('/')) && !listName.contains(QLatin1Char('\\')) &&
           listName != QLatin1String(".") && listName != QLatin1String("..");
}

QStringList CatalogueFiles::splitLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar character = text[i];
        if (character != QLatin1Char('\r') && character != QLatin1Char('\n'))
            continue;
        lines.append(text.mid(start, i - start));
        if (character == QLatin1Char('\r') && i + 1 < text.size() &&
            text[i + 1] == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.append(text.mid(start));
    return lines;
}

QStringList CatalogueFiles::splitFields(const QString &line)
{
    if (line.isEmpty())
        return {};
    return line.split(QLatin1Char(';'), Qt::KeepEmptyParts);
}

QString CatalogueFiles::trimSpaces(const QString &text)
{
    qsizetype first = 0;
    qsizetype end = text.size();
    while (first < end && text[first] == QLatin1Char(' '))
        ++first;
    while (end > first && text[end - 1] == QLatin1Char(' '))
        --end;
    return text.mid(first, end - first);
}

QString CatalogueFiles::siteFileName() const
{
    return QFileInfo(resolve(SITE_FILE)).fileName();
}

QString CatalogueFiles::listIndexFileName() const
{
    return QFileInfo(resolve(LIST_INDEX_FILE)).fileName();
}

QString CatalogueFiles::resolve(const QString &fileName) const
{
    const QString exact = folder + QLatin1Char('/') + fileName;
    if (QFileInfo::exists(exact))
        return exact;
    // Files copied from Windows often differ in case ("Liste.txt"); the first match in name
    // order wins, so the choice does not depend on the file system's listing order.
    const QStringList entries = QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString &entry : entries)
        if (entry.compare(fileName, Qt::CaseInsensitive) == 0)
            return folder + QLatin1Char('/') + entry;
    return exact;
}

FileRead<QString> CatalogueFiles::readText(const QString &fileName) const
{
    FileRead<QString> read;
    read.path = resolve(fileName);
    QFile file(read.path);
    if (!file.exists()) {
        read.state = FileState::Missing;
        return read;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        read.state = FileState::Unreadable;
        return read;
    }
    const QByteArray bytes = file.readAll();
    const bool complete = file.error() == QFileDevice::NoError;
    file.close();
    if (!complete) {
        read.state = FileState::Unreadable;
        return read;
    }
    const DecodedText decoded = decodeDataFile(bytes);
    read.value = decoded.text;
    read.encoding = decoded.encoding;
    return read;
}

FileRead<QStringList> CatalogueFiles::readLines(const QString &fileName) const
{
    const FileRead<QString> text = readText(fileName);
    FileRead<QStringList> read = sameState<QStringList>(text);
    read.value = splitLines(text.value);
    return read;
}

FileRead<QStringList> CatalogueFiles::ReadSiteEntries() const
{
    FileRead<QStringList> read = readLines(SITE_FILE);
    QStringList sites;
    for (const QString &line : std::as_const(read.value))
        if (!line.isEmpty())
            sites.append(trimSpaces(splitFields(line).constFirst()));
    read.value = sites;
    return read;
}

FileRead<QStringList> CatalogueFiles::ReadListNames() const
{
    return readLines(LIST_INDEX_FILE);
}

FileRead<QStringList> CatalogueFiles::ReadObjectNames(const QString &listName) const
{
    const FileRead<QList<QStringList>> records = ReadObjectRecords(listName);
    FileRead<QStringList> read = sameState<QStringList>(records);
    for (const QStringList &fields : records.value)
        read.value.append(trimSpaces(fields.constFirst()));
    return read;
}

FileRead<QList<QStringList>> CatalogueFiles::ReadObjectRecords(const QString &listName) const
{
    if (!isAllowedListName(listName))
        return {FileState::NameNotAllowed, ListFilePath(listName), {}, TextEncoding::Windows1252};
    const FileRead<QStringList> lines = readLines(listName + LIST_FILE_SUFFIX);
    FileRead<QList<QStringList>> read = sameState<QList<QStringList>>(lines);
    for (const QString &line : lines.value)
        if (!line.isEmpty())
            read.value.append(splitFields(line));
    return read;
}

FileRead<QString> CatalogueFiles::ReadListText(const QString &listName) const
{
    if (!isAllowedListName(listName))
        return {FileState::NameNotAllowed, ListFilePath(listName), {}, TextEncoding::Windows1252};
    return readText(listName + LIST_FILE_SUFFIX);
}

FileWrite CatalogueFiles::WriteListText(const QString &listName, const QString &text,
                                        TextEncoding encoding) const
{
    FileWrite written;
    written.path = ListFilePath(listName);
    if (!isAllowedListName(listName)) {
        written.state = FileState::NameNotAllowed;
        return written;
    }
    written.path = resolve(listName + LIST_FILE_SUFFIX);
    const EncodedText encoded =
        encodeDataFile(withCrLfLineEnds(text) + QLatin1String("\r\n"), encoding);
    written.encoding = encoded.encoding;

    // The new text goes to a temporary file that replaces the old one only once it is complete.
    QSaveFile file(written.path);
    if (!file.open(QIODevice::WriteOnly)) {
        written.state = FileState::NotWritable;
        return written;
    }
    if (!writeBytes(file, encoded.bytes)) {
        file.cancelWriting();
        written.state = FileState::NotWritable;
        return written;
    }
    if (!file.commit())
        written.state = FileState::NotWritable;
    return written;
}
