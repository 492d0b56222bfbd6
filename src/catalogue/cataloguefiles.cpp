// SPDX-License-Identifier: GPL-3.0-or-later
#include "cataloguefiles.h"

#include "catalogue/recordfields.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <utility>

namespace {

const QString SITE_FILE = QStringLiteral("standort.txt");
const QString LIST_INDEX_FILE = QStringLiteral("liste.txt");
const QString LIST_FILE_SUFFIX = QStringLiteral(".txt");

template <typename T, typename U> FileRead<T> sameState(const FileRead<U> &read)
{
    return {read.state, read.path, T{}, read.encoding, read.longLines, read.stamp};
}

/// The bytes of a file, read only when it is a regular file within the size limit.
struct BoundedRead
{
    FileState state = FileState::Done;
    QByteArray bytes;
    FileStamp stamp;
};

BoundedRead readBounded(const QString &path)
{
    BoundedRead read;
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink()) {
        read.state = FileState::Missing;
        return read;
    }
    read.stamp.exists = true;
    read.stamp.size = info.size();
    read.stamp.modified = info.lastModified();
    // A folder, a device or a named pipe is no data file; opening a pipe would wait for a writer.
    if (!info.isFile()) {
        read.state = FileState::Unreadable;
        return read;
    }
    if (info.size() > MAX_DATA_FILE_BYTES) {
        read.state = FileState::TooLarge;
        return read;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        read.state = FileState::Unreadable;
        return read;
    }
    // Bounded again, for a file that grows while it is read.
    read.bytes = file.read(MAX_DATA_FILE_BYTES + 1);
    const bool complete = file.error() == QFileDevice::NoError;
    file.close();
    if (!complete)
        read.state = FileState::Unreadable;
    else if (read.bytes.size() > MAX_DATA_FILE_BYTES)
        read.state = FileState::TooLarge;
    if (read.state != FileState::Done) {
        read.bytes.clear();
        return read;
    }
    read.stamp.size = read.bytes.size();
    read.stamp.contentHash = QCryptographicHash::hash(read.bytes, QCryptographicHash::Sha256);
    return read;
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

bool CatalogueFiles::liesInFolder(const QString &path) const
{
    // A list name holds no separator, so only the file itself can be a link.
    const QFileInfo file(path);
    if (!file.isSymLink())
        return true;
    const QString target = file.canonicalFilePath();
    const QString root = QDir(folder).canonicalPath();
    return !target.isEmpty() && !root.isEmpty() && target.startsWith(root + QLatin1Char('/'));
}

FileRead<QString> CatalogueFiles::readText(const QString &fileName) const
{
    FileRead<QString> read;
    read.path = resolve(fileName);
    const BoundedRead bounded = readBounded(read.path);
    read.state = bounded.state;
    read.stamp = bounded.stamp;
    if (read.state != FileState::Done)
        return read;
    const DecodedText decoded = decodeDataFile(bounded.bytes);
    read.value = decoded.text;
    read.encoding = decoded.encoding;
    return read;
}

FileRead<QStringList> CatalogueFiles::readLines(const QString &fileName) const
{
    const FileRead<QString> text = readText(fileName);
    FileRead<QStringList> read = sameState<QStringList>(text);
    const QStringList lines = splitLines(text.value);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].size() > MAX_LINE_CHARACTERS)
            read.longLines.append(i + 1);
        else
            read.value.append(lines[i]);
    }
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

FileRead<QList<SiteEntry>> CatalogueFiles::ReadSites() const
{
    // Line numbers count the skipped over-long lines too, so a message names the right line.
    const FileRead<QString> text = readText(SITE_FILE);
    FileRead<QList<SiteEntry>> read = sameState<QList<SiteEntry>>(text);
    const QStringList lines = splitLines(text.value);
    for (qsizetype index = 0; index < lines.size(); ++index) {
        if (lines[index].size() > MAX_LINE_CHARACTERS)
            read.longLines.append(index + 1);
        else if (!lines[index].isEmpty())
            read.value.append(siteFromLine(lines[index], int(index) + 1, text.path));
    }
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
    const FileRead<QString> text = readListFile(listName);
    FileRead<QList<QStringList>> read = sameState<QList<QStringList>>(text);
    const QStringList lines = splitLines(text.value);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].size() > MAX_LINE_CHARACTERS)
            read.longLines.append(i + 1);
        else if (!lines[i].isEmpty())
            read.value.append(splitFields(lines[i]));
    }
    return read;
}

FileRead<QString> CatalogueFiles::ReadListText(const QString &listName) const
{
    FileRead<QString> read = readListFile(listName);
    const QStringList lines = splitLines(read.value);
    for (qsizetype i = 0; i < lines.size(); ++i)
        if (lines[i].size() > MAX_LINE_CHARACTERS)
            read.longLines.append(i + 1);
    return read;
}

FileRead<QString> CatalogueFiles::readListFile(const QString &listName) const
{
    if (!isAllowedListName(listName))
        return {FileState::NameNotAllowed, ListFilePath(listName)};
    const QString path = resolve(listName + LIST_FILE_SUFFIX);
    if (!liesInFolder(path))
        return {FileState::OutsideFolder, path};
    return readText(listName + LIST_FILE_SUFFIX);
}

FileStamp CatalogueFiles::currentStamp(const QString &listName) const
{
    return readBounded(resolve(listName + LIST_FILE_SUFFIX)).stamp;
}

FileWrite CatalogueFiles::WriteListText(const QString &listName, const QString &text,
                                        TextEncoding encoding, const FileStamp *expected) const
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

    if (!liesInFolder(written.path)) {
        written.state = FileState::OutsideFolder;
        return written;
    }
    if (expected && currentStamp(listName) != *expected) {
        written.state = FileState::ChangedMeanwhile;
        return written;
    }
    auto failed = [&written](int systemError) {
        written.state = FileState::NotWritable;
        written.systemError = systemError;
        return written;
    };
    if (QFileInfo(written.path).isDir())
        return failed(EISDIR);

    // The new text goes to a temporary file that replaces the old one only once it is complete.
    // Unbuffered, so that every write reports its own failure: a buffered one would meet a full
    // disk only while committing, too late for QSaveFile to call the save off.
    QSaveFile file(written.path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failed(errno);
    errno = 0;
    if (!writeBytes(file, encoded.bytes) || !file.flush()) {
        const int systemError =
            errno != 0 ? errno : (file.error() == QFileDevice::ResourceError ? ENOSPC : 0);
        file.cancelWriting();
        return failed(systemError);
    }
    errno = 0;
    if (!file.commit())
        return failed(errno);
    return written;
}
