// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/filestate.h"
#include "catalogue/sites.h"
#include "catalogue/textencoding.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class QIODevice;

/// Larger data files are not read: a list of a thousand objects takes about 60 KiB.
constexpr qint64 MAX_DATA_FILE_BYTES = 1024 * 1024;
/// Longer lines of the location file, the list index and the object lists are skipped, so no
/// field of the main window has to lay out a text of that size.
constexpr qsizetype MAX_LINE_CHARACTERS = 4096;

/// What a file was when it was read, to find out before a save whether another program (or a
/// second copy of this one) has changed it since.
struct FileStamp
{
    bool exists = false;
    qint64 size = 0;
    QDateTime modified;
    QByteArray contentHash;

    bool operator==(const FileStamp &other) const = default;
};

/// The outcome of reading a data file: the file's state, the path used (the one looked for when
/// it is missing) and what was read. A missing file and a file without entries differ in state.
template <typename T> struct FileRead
{
    FileState state = FileState::Done;
    QString path;
    T value{};
    TextEncoding encoding = TextEncoding::Windows1252;
    /// Numbers (from 1) of the lines skipped for being longer than MAX_LINE_CHARACTERS.
    QList<qsizetype> longLines{};
    /// The file as it was read; only the whole-text read fills it.
    FileStamp stamp{};
};

/// The outcome of a save: the state, the path written and the encoding the file now has.
struct FileWrite
{
    FileState state = FileState::Done;
    QString path;
    TextEncoding encoding = TextEncoding::Windows1252;
    /// The system's error number (errno) of a failed save, 0 when there is none to tell.
    int systemError = 0;
};

/// Writes the bytes of a save; returns false when the write failed.
using ByteWriter = std::function<bool(QIODevice &device, const QByteArray &bytes)>;

/// The byte writer of the program: all bytes at once.
bool writeAllBytes(QIODevice &device, const QByteArray &bytes);

/// The data files in the program folder: the location file, the list index and the object list
/// files. Every operation opens its file, reads or writes it whole and closes it before it
/// returns. A file name that does not exist exactly is looked up without regard to case.
class CatalogueFiles
{
public:
    /// programFolder: the folder of the executable, which holds the data files; writeBytes:
    /// writes the bytes of a save (tests hand in one that breaks off halfway).
    explicit CatalogueFiles(const QString &programFolder, ByteWriter writeBytes = writeAllBytes);

    /// The object list file of a list: program folder, separator, list name and ".txt".
    QString ListFilePath(const QString &listName) const;

    /// The site texts of the location file: trimmed first fields of all non-empty lines.
    FileRead<QStringList> ReadSiteEntries() const;
    /// The sites of the location file with their latitudes (field 2), for the observing plan;
    /// the same sites in the same order as ReadSiteEntries.
    FileRead<QList<SiteEntry>> ReadSites() const;
    /// The lines of the list index, neither split nor trimmed; an empty line is a name too.
    FileRead<QStringList> ReadListNames() const;
    /// The trimmed first fields of all non-empty lines of a list's object list file.
    FileRead<QStringList> ReadObjectNames(const QString &listName) const;
    /// The untrimmed fields of every non-empty line of a list's object list file.
    FileRead<QList<QStringList>> ReadObjectRecords(const QString &listName) const;
    /// The whole text of a list's object list file, line breaks included; its over-long lines
    /// are kept and listed in longLines.
    FileRead<QString> ReadListText(const QString &listName) const;
    /// Replaces a list's object list file by text followed by CR LF, every line ending in CR LF,
    /// in the given encoding (UTF-8 if the text does not fit it). The former file stays intact
    /// unless the new one was written completely. With expected, nothing is written when the
    /// file is no longer what that stamp says (FileState::ChangedMeanwhile).
    FileWrite WriteListText(const QString &listName, const QString &text,
                            TextEncoding encoding = TextEncoding::Windows1252,
                            const FileStamp *expected = nullptr) const;

    /// The stamp of a list's object list file as it is now.
    FileStamp currentStamp(const QString &listName) const;

    /// The names of the location file and of the list index as the readers find them in the
    /// folder, in their case of letters there; the usual names when the folder lacks them.
    QString siteFileName() const;
    QString listIndexFileName() const;

    /// False for a list name that would reach outside the program folder: one that holds "/" or
    /// "\" or is "." or "..".
    static bool isAllowedListName(const QString &listName);

    /// Lines of a text: CR LF, a lone CR and a lone LF each end a line; the last line may lack
    /// its break, and a break at the very end starts no further line.
    static QStringList splitLines(const QString &text);

private:
    FileRead<QString> readText(const QString &fileName) const;
    FileRead<QStringList> readLines(const QString &fileName) const;
    FileRead<QString> readListFile(const QString &listName) const;
    QString resolve(const QString &fileName) const;
    bool liesInFolder(const QString &path) const;

    ByteWriter writeBytes;
    QString folder;
};
