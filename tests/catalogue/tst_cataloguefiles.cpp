// SPDX-License-Identifier: GPL-3.0-or-later
// The readers of the data files over small fixture files, the encodings and the file lookup.
#include "catalogue/cataloguefiles.h"
#include "catalogue/textencoding.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

enum class Reader
{
    Sites,
    ListNames,
    ObjectNames,
    ObjectRecords
};

const QString LIST = QStringLiteral("Test");

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    QCOMPARE(file.write(bytes), bytes.size());
}

QString fileNameFor(Reader reader)
{
    switch (reader) {
    case Reader::Sites:
        return QStringLiteral("standort.txt");
    case Reader::ListNames:
        return QStringLiteral("liste.txt");
    case Reader::ObjectNames:
    case Reader::ObjectRecords:
        break;
    }
    return LIST + QStringLiteral(".txt");
}

/// What a reader gives, records shown as their fields joined by "|".
FileRead<QStringList> readWith(const CatalogueFiles &files, Reader reader)
{
    switch (reader) {
    case Reader::Sites:
        return files.ReadSiteEntries();
    case Reader::ListNames:
        return files.ReadListNames();
    case Reader::ObjectNames:
        return files.ReadObjectNames(LIST);
    case Reader::ObjectRecords:
        break;
    }
    const FileRead<QList<QStringList>> records = files.ReadObjectRecords(LIST);
    FileRead<QStringList> shown{
        records.state, records.path, {}, records.encoding, records.longLines};
    for (const QStringList &fields : records.value)
        shown.value.append(fields.join(QLatin1Char('|')));
    return shown;
}

/// A small tmpfs mounted on a fresh folder for the life of the object; unmounted in every case.
class SmallFileSystem
{
public:
    explicit SmallFileSystem(int kibibytes)
    {
        if (!mountPoint.isValid()) {
            problem = QStringLiteral("no temporary folder");
            return;
        }
        const QByteArray options = "size=" + QByteArray::number(kibibytes) + "k";
        if (::mount("tmpfs", QFile::encodeName(mountPoint.path()).constData(), "tmpfs", 0,
                    options.constData()) != 0) {
            problem = QStringLiteral("cannot mount a tmpfs here (%1)")
                          .arg(QString::fromLocal8Bit(std::strerror(errno)));
            return;
        }
        mounted = true;
    }
    ~SmallFileSystem()
    {
        if (mounted)
            ::umount2(QFile::encodeName(mountPoint.path()).constData(), MNT_DETACH);
    }
    SmallFileSystem(const SmallFileSystem &) = delete;
    SmallFileSystem &operator=(const SmallFileSystem &) = delete;

    bool isMounted() const { return mounted; }
    QString whyNot() const { return problem; }
    QString path() const { return mountPoint.path(); }

    /// Fills the file system until only about leftBytes remain.
    bool fillLeaving(qint64 leftBytes) const
    {
        QFile filler(mountPoint.filePath(QStringLiteral("filler")));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return false;
        const QByteArray block(1024, 'f');
        while (filler.write(block) == block.size()) {
        }
        filler.close();
        return leftBytes == 0 || filler.resize(filler.size() - leftBytes);
    }

private:
    QTemporaryDir mountPoint;
    bool mounted = false;
    QString problem;
};

QByteArray objectList(int records)
{
    QByteArray bytes;
    for (int i = 1; i <= records; ++i)
        bytes += "M " + QByteArray::number(i) + ";05:35:50;22:01:00;Nebel im Stier\r\n";
    return bytes;
}

QStringList entriesOf(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

QByteArray everyByte()
{
    QByteArray bytes;
    for (int value = 0; value < 256; ++value)
        bytes.append(static_cast<char>(value));
    return bytes;
}

} // namespace

class TestCatalogueFiles : public QObject
{
    Q_OBJECT

private slots:
    void readers_data();
    void readers();
    void fileStates_data();
    void fileStates();
    void namesThatLeaveTheFolder_data();
    void namesThatLeaveTheFolder();
    void limits_data();
    void limits();
    void pipeInPlaceOfAFileIsNotWaitedFor();
    void linksOutOfTheFolder_data();
    void linksOutOfTheFolder();
    void fullDiskLeavesTheFormerFile_data();
    void fullDiskLeavesTheFormerFile();
    void changeSinceReadingIsNoticed_data();
    void changeSinceReadingIsNoticed();
    void lookupIgnoresCase_data();
    void lookupIgnoresCase();
    void saveWritesTheFileFoundWhateverItsCase();
    void windows1252AgreesWithIcu();
    void windows1252RoundTripsEveryByte();
    void textOutsideWindows1252IsEncodedAsUtf8();
    void decodingKeepsEveryByte_data();
    void decodingKeepsEveryByte();
};

void TestCatalogueFiles::readers_data()
{
    QTest::addColumn<Reader>("reader");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<TextEncoding>("encoding");

    const auto cp1252 = TextEncoding::Windows1252;

    QTest::newRow("site: blanks around the first field go, all after the first ; too")
        << Reader::Sites << QByteArray("  13.40 Berlin  ;Kommentar;x\r\n-3.5 West\r\n")
        << QStringList{"13.40 Berlin", "-3.5 West"} << cp1252;
    QTest::newRow("site: empty line skipped, line of blanks is an empty entry")
        << Reader::Sites << QByteArray("7.1 A\r\n\r\n   \r\n8.2 B")
        << QStringList{"7.1 A", "", "8.2 B"} << cp1252;
    QTest::newRow("site: tabs are not trimmed")
        << Reader::Sites << QByteArray("\t9.9 Tab\t \r\n") << QStringList{"\t9.9 Tab\t"} << cp1252;

    QTest::newRow("index: names neither trimmed nor split, an empty line is a name")
        << Reader::ListNames << QByteArray("Sommer\r\n Winter \r\n\r\nListe;2\r\n")
        << QStringList{"Sommer", " Winter ", "", "Liste;2"} << cp1252;
    QTest::newRow("index: a line of blanks is a name of blanks")
        << Reader::ListNames << QByteArray("  \r\nHerbst") << QStringList{"  ", "Herbst"} << cp1252;

    QTest::newRow("names: trimmed first fields, empty lines skipped")
        << Reader::ObjectNames
        << QByteArray(" M 42 ;05:35:17;-05:23:28;Orionnebel\r\n\r\nM 1;05:34:32;22:01:00;\r\n")
        << QStringList{"M 42", "M 1"} << cp1252;
    QTest::newRow("names: a line of blanks is an empty name, a line without ; a name")
        << Reader::ObjectNames << QByteArray("   \r\nM 13\r\n") << QStringList{"", "M 13"}
        << cp1252;

    QTest::newRow("records: three, four and five fields, untrimmed")
        << Reader::ObjectRecords
        << QByteArray("A; 1:2:3 ; 4:5:6\r\nB;1:2:3;4:5:6; Info \r\nC;1:2:3;4:5:6;a;b\r\n")
        << QStringList{"A| 1:2:3 | 4:5:6", "B|1:2:3|4:5:6| Info ", "C|1:2:3|4:5:6|a|b"} << cp1252;
    QTest::newRow("records: adjacent semicolons give an empty field")
        << Reader::ObjectRecords << QByteArray("D;;1:2:3;\r\n") << QStringList{"D||1:2:3|"}
        << cp1252;
    QTest::newRow("records: blanks next to the colons stay")
        << Reader::ObjectRecords << QByteArray("E; 5 : 34:32 ;-5: 23 :28;x")
        << QStringList{"E| 5 : 34:32 |-5: 23 :28|x"} << cp1252;

    QTest::newRow("lines: CR LF") << Reader::ListNames << QByteArray("A\r\nB\r\n")
                                  << QStringList{"A", "B"} << cp1252;
    QTest::newRow("lines: LF only")
        << Reader::ListNames << QByteArray("A\nB\n") << QStringList{"A", "B"} << cp1252;
    QTest::newRow("lines: CR only")
        << Reader::ListNames << QByteArray("A\rB\r") << QStringList{"A", "B"} << cp1252;
    QTest::newRow("lines: mixed, last line without a break")
        << Reader::ListNames << QByteArray("A\nB\r\nC\rD") << QStringList{"A", "B", "C", "D"}
        << cp1252;
    QTest::newRow("lines: CR CR LF is one empty line between")
        << Reader::ListNames << QByteArray("A\r\r\nB") << QStringList{"A", "", "B"} << cp1252;
    QTest::newRow("lines: empty file has none")
        << Reader::ListNames << QByteArray() << QStringList{} << cp1252;

    QTest::newRow("encoding: Windows-1252 umlauts and the euro sign")
        << Reader::ObjectNames << QByteArray("M\xfcnchen;1:2:3;4:5:6;\x80 \xe4\xf6\xdf\r\n")
        << QStringList{"München"} << cp1252;
    QTest::newRow("encoding: UTF-8 umlauts")
        << Reader::ObjectRecords << QByteArray("M\xc3\xbcnchen;1:2:3;4:5:6;\xc3\xa4\xc3\x9f\n")
        << QStringList{"München|1:2:3|4:5:6|äß"} << TextEncoding::Utf8;
    QTest::newRow("encoding: UTF-8 byte order mark is not part of the first name")
        << Reader::ListNames << QByteArray("\xef\xbb\xbfSommer\r\nWinter\r\n")
        << QStringList{"Sommer", "Winter"} << TextEncoding::Utf8WithBom;
    QTest::newRow("encoding: invalid UTF-8 is Windows-1252")
        << Reader::ListNames << QByteArray("\xc3\x28 \xfc") << QStringList{"Ã( ü"} << cp1252;
    QTest::newRow("encoding: UTF-8 cut off at the end is Windows-1252")
        << Reader::ListNames << QByteArray("Caf\xc3\xa9 Caf\xc3") << QStringList{"CafÃ© CafÃ"}
        << cp1252;
}

void TestCatalogueFiles::readers()
{
    QFETCH(Reader, reader);
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, expected);
    QFETCH(TextEncoding, encoding);

    QTemporaryDir folder;
    writeFile(folder.filePath(fileNameFor(reader)), bytes);
    const FileRead<QStringList> read = readWith(CatalogueFiles(folder.path()), reader);

    QCOMPARE(read.state, FileState::Done);
    QCOMPARE(read.value, expected);
    QCOMPARE(read.encoding, encoding);
}

void TestCatalogueFiles::fileStates_data()
{
    QTest::addColumn<Reader>("reader");
    QTest::addColumn<QString>("onDisk"); // "file", "folder" or "" for nothing
    QTest::addColumn<FileState>("state");

    const Reader readers[] = {Reader::Sites, Reader::ListNames, Reader::ObjectRecords};
    const char *names[] = {"location file", "list index", "object list"};
    for (int i = 0; i < 3; ++i) {
        QTest::addRow("%s missing", names[i]) << readers[i] << QString() << FileState::Missing;
        QTest::addRow("%s is a folder", names[i])
            << readers[i] << QStringLiteral("folder") << FileState::Unreadable;
        QTest::addRow("%s empty", names[i])
            << readers[i] << QStringLiteral("file") << FileState::Done;
    }
}

void TestCatalogueFiles::fileStates()
{
    QFETCH(Reader, reader);
    QFETCH(QString, onDisk);
    QFETCH(FileState, state);

    QTemporaryDir folder;
    const QString path = folder.filePath(fileNameFor(reader));
    if (onDisk == QLatin1String("file"))
        writeFile(path, QByteArray());
    else if (onDisk == QLatin1String("folder"))
        QVERIFY(QDir(folder.path()).mkdir(fileNameFor(reader)));

    const FileRead<QStringList> read = readWith(CatalogueFiles(folder.path()), reader);
    QCOMPARE(read.state, state);
    QCOMPARE(read.path, path);
    QVERIFY(read.value.isEmpty());
}

void TestCatalogueFiles::namesThatLeaveTheFolder_data()
{
    QTest::addColumn<QString>("listName");
    QTest::newRow("parent folder") << QStringLiteral("../geheim");
    QTest::newRow("sub folder") << QStringLiteral("sub/geheim");
    QTest::newRow("backslash") << QStringLiteral("..\\geheim");
    QTest::newRow("absolute") << QStringLiteral("/tmp/geheim");
    QTest::newRow("dot") << QStringLiteral(".");
    QTest::newRow("dot dot") << QStringLiteral("..");
}

void TestCatalogueFiles::namesThatLeaveTheFolder()
{
    QFETCH(QString, listName);

    // Every file the name could reach exists and holds a record, so a read would show.
    QTemporaryDir outer;
    QVERIFY(QDir(outer.path()).mkpath(QStringLiteral("program/sub")));
    const QString program = outer.filePath(QStringLiteral("program"));
    const QByteArray record("Geheim;1:2:3;4:5:6;\r\n");
    for (const QString &path :
         {outer.filePath(QStringLiteral("geheim.txt")), program + QStringLiteral("/sub/geheim.txt"),
          program + QStringLiteral("/..txt"), program + QStringLiteral("/...txt")})
        writeFile(path, record);

    const CatalogueFiles files(program);
    QCOMPARE(files.ReadObjectNames(listName).state, FileState::NameNotAllowed);
    QVERIFY(files.ReadObjectNames(listName).value.isEmpty());
    QCOMPARE(files.ReadObjectRecords(listName).state, FileState::NameNotAllowed);
    QCOMPARE(files.ReadListText(listName).state, FileState::NameNotAllowed);
    QVERIFY(files.ReadListText(listName).value.isEmpty());

    const QStringList before = QDir(program).entryList(QDir::Files);
    QCOMPARE(files.WriteListText(listName, QStringLiteral("X;1:2:3;4:5:6;")).state,
             FileState::NameNotAllowed);
    QFile outside(outer.filePath(QStringLiteral("geheim.txt")));
    QVERIFY(outside.open(QIODevice::ReadOnly));
    QCOMPARE(outside.readAll(), record);
    QCOMPARE(QDir(program).entryList(QDir::Files), before);
}

void TestCatalogueFiles::limits_data()
{
    QTest::addColumn<Reader>("reader");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<FileState>("state");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QList<qsizetype>>("longLines");

    const QByteArray longWord(4097, 'x');
    const QByteArray longestWord(4096, 'x');
    QTest::newRow("location file: an over-long line is skipped, the others stay")
        << Reader::Sites << "13.4 Berlin\r\n" + longWord + "\r\n-3.7 Madrid\r\n"
        << FileState::Done << QStringList{"13.4 Berlin", "-3.7 Madrid"} << QList<qsizetype>{2};
    QTest::newRow("list index: a line of exactly 4096 characters is read")
        << Reader::ListNames << "Sommer\r\n" + longestWord << FileState::Done
        << QStringList{"Sommer", QString::fromLatin1(longestWord)} << QList<qsizetype>{};
    QTest::newRow("object list: a record with a one-word info of 1 MiB is skipped")
        << Reader::ObjectNames
        << "M 1;1:2:3;4:5:6;x\r\nM 2;1:2:3;4:5:6;" + QByteArray(1000 * 1000, 'y') +
               "\r\nM 3;1:2:3;4:5:6;z"
        << FileState::Done << QStringList{"M 1", "M 3"} << QList<qsizetype>{2};
    QTest::newRow("object list: a record of exactly 4096 characters is read")
        << Reader::ObjectNames
        << "M 1;1:2:3;4:5:6;" + QByteArray(4096 - 16, 'i') + "\r\nM 2;1:2:3;4:5:6;"
        << FileState::Done << QStringList{"M 1", "M 2"} << QList<qsizetype>{};
    QTest::newRow("object records: line numbers count empty lines too")
        << Reader::ObjectRecords << "\r\n" + longWord + "\n\nA;1:2:3;4:5:6;i\n" + longWord
        << FileState::Done << QStringList{"A|1:2:3|4:5:6|i"} << QList<qsizetype>{2, 5};
    QTest::newRow("object list of exactly 1 MiB is read")
        << Reader::ObjectNames << "A;1:2:3;4:5:6;\r\n" + QByteArray(1024 * 1024 - 16, '\n')
        << FileState::Done << QStringList{"A"} << QList<qsizetype>{};
    QTest::newRow("object list one byte over 1 MiB is not read")
        << Reader::ObjectNames << "A;1:2:3;4:5:6;\r\n" + QByteArray(1024 * 1024 - 15, '\n')
        << FileState::TooLarge << QStringList{} << QList<qsizetype>{};
    QTest::newRow("location file of 50 MB is not read")
        << Reader::Sites << QByteArray(50 * 1000 * 1000, '1') << FileState::TooLarge
        << QStringList{} << QList<qsizetype>{};
}

void TestCatalogueFiles::limits()
{
    QFETCH(Reader, reader);
    QFETCH(QByteArray, bytes);
    QFETCH(FileState, state);
    QFETCH(QStringList, entries);
    QFETCH(QList<qsizetype>, longLines);

    QTemporaryDir folder;
    writeFile(folder.filePath(fileNameFor(reader)), bytes);
    const FileRead<QStringList> read = readWith(CatalogueFiles(folder.path()), reader);
    QCOMPARE(read.state, state);
    QCOMPARE(read.value, entries);
    QCOMPARE(read.longLines, longLines);
}

void TestCatalogueFiles::pipeInPlaceOfAFileIsNotWaitedFor()
{
    // Opening a named pipe for reading waits until someone writes to it: forever, here.
    QTemporaryDir folder;
    const QString path = folder.filePath(LIST + QStringLiteral(".txt"));
    QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    const CatalogueFiles files(folder.path());
    QCOMPARE(files.ReadObjectNames(LIST).state, FileState::Unreadable);
    QCOMPARE(files.ReadListText(LIST).state, FileState::Unreadable);
}

void TestCatalogueFiles::linksOutOfTheFolder_data()
{
    QTest::addColumn<QString>("linkTarget"); // relative to a folder holding "data" and "elsewhere"
    QTest::addColumn<FileState>("state");

    QTest::newRow("link to a file outside the data folder")
        << QStringLiteral("elsewhere/Fremd.txt") << FileState::OutsideFolder;
    QTest::newRow("link to a missing file outside")
        << QStringLiteral("elsewhere/Fehlt.txt") << FileState::OutsideFolder;
    QTest::newRow("link into a sibling folder whose name begins with the data folder's")
        << QStringLiteral("data-alt/Fremd.txt") << FileState::OutsideFolder;
    QTest::newRow("link to another list in the data folder")
        << QStringLiteral("data/Andere.txt") << FileState::Done;
    QTest::newRow("link to a file in a subfolder of the data folder")
        << QStringLiteral("data/alt/Andere.txt") << FileState::Done;
}

void TestCatalogueFiles::linksOutOfTheFolder()
{
    QFETCH(QString, linkTarget);
    QFETCH(FileState, state);

    QTemporaryDir outer;
    QVERIFY(QDir(outer.path()).mkpath(QStringLiteral("data/alt")));
    QVERIFY(QDir(outer.path()).mkpath(QStringLiteral("elsewhere")));
    QVERIFY(QDir(outer.path()).mkpath(QStringLiteral("data-alt")));
    const QByteArray record("Fremd;1:2:3;4:5:6;\r\n");
    for (const char *name :
         {"elsewhere/Fremd.txt", "data-alt/Fremd.txt", "data/Andere.txt", "data/alt/Andere.txt"})
        writeFile(outer.filePath(QString::fromLatin1(name)), record);
    const QString target = outer.filePath(linkTarget);
    QVERIFY(QFile::link(target, outer.filePath(QStringLiteral("data/") + LIST + ".txt")));
    // The data folder itself reached through a link must not count as outside.
    QVERIFY(QFile::link(outer.filePath(QStringLiteral("data")),
                        outer.filePath(QStringLiteral("linked-data"))));
    const CatalogueFiles files(outer.filePath(QStringLiteral("linked-data")));

    QCOMPARE(files.ReadObjectNames(LIST).state, state);
    QCOMPARE(files.ReadListText(LIST).state, state);
    const FileWrite written = files.WriteListText(LIST, QStringLiteral("Neu;1:2:3;4:5:6;"));
    QCOMPARE(written.state, state);
    QFile file(target);
    if (state == FileState::OutsideFolder) {
        QVERIFY(files.ReadObjectNames(LIST).value.isEmpty());
        if (file.exists()) {
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), record);
        } else {
            QVERIFY(!QFileInfo::exists(target));
        }
    } else {
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("Neu;1:2:3;4:5:6;\r\n"));
    }
}

void TestCatalogueFiles::fullDiskLeavesTheFormerFile_data()
{
    QTest::addColumn<int>("listRecords");
    QTest::addColumn<qint64>("leftBytes");
    QTest::addColumn<FileState>("state");

    // Each record takes 40 bytes; the save adds one.
    QTest::newRow("disk full: a record added to a short list")
        << 10 << qint64(0) << FileState::NotWritable;
    QTest::newRow("4 KiB left: a list of about 10 KB")
        << 245 << qint64(4096) << FileState::NotWritable;
    QTest::newRow("room enough: saved") << 10 << qint64(16384) << FileState::Done;
}

void TestCatalogueFiles::fullDiskLeavesTheFormerFile()
{
    QFETCH(int, listRecords);
    QFETCH(qint64, leftBytes);
    QFETCH(FileState, state);

    if (::geteuid() != 0)
        QSKIP("mounting a small tmpfs needs root");
    const SmallFileSystem disk(64);
    if (!disk.isMounted())
        QSKIP(qPrintable(disk.whyNot()));
    const QByteArray former = objectList(listRecords);
    writeFile(disk.path() + QStringLiteral("/") + LIST + ".txt", former);
    QVERIFY(disk.fillLeaving(leftBytes));
    const QStringList entriesBefore = entriesOf(disk.path());

    const CatalogueFiles files(disk.path());
    const QString edited =
        QString::fromLatin1(former) + QStringLiteral("M 99;05:35:50;22:01:00;neu");
    const FileWrite written = files.WriteListText(LIST, edited);

    QCOMPARE(written.state, state);
    QFile file(disk.path() + QStringLiteral("/") + LIST + ".txt");
    QVERIFY(file.open(QIODevice::ReadOnly));
    if (state == FileState::Done) {
        QCOMPARE(file.readAll(), edited.toLatin1() + "\r\n");
        return;
    }
    QCOMPARE(written.systemError, ENOSPC);
    QCOMPARE(file.readAll(), former);
    QCOMPARE(entriesOf(disk.path()), entriesBefore);
}

void TestCatalogueFiles::changeSinceReadingIsNoticed_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<FileState>("state");

    QTest::newRow("unchanged: saved") << QString() << FileState::Done;
    QTest::newRow("a record added") << QStringLiteral("append") << FileState::ChangedMeanwhile;
    QTest::newRow("same size and time, other content")
        << QStringLiteral("same size") << FileState::ChangedMeanwhile;
    QTest::newRow("same content, touched")
        << QStringLiteral("touch") << FileState::ChangedMeanwhile;
    QTest::newRow("deleted") << QStringLiteral("delete") << FileState::ChangedMeanwhile;
    QTest::newRow("unchanged, its name in other case: saved")
        << QStringLiteral("other case") << FileState::Done;
}

void TestCatalogueFiles::changeSinceReadingIsNoticed()
{
    QFETCH(QString, change);
    QFETCH(FileState, state);

    QTemporaryDir folder;
    // A list copied from Windows: "test.txt" for the list "Test".
    const QString fileName = change == QLatin1String("other case") ? LIST.toLower() : LIST;
    const QString path = folder.filePath(fileName + QStringLiteral(".txt"));
    const QByteArray first("A;1:2:3;4:5:6;eins\r\n");
    writeFile(path, first);
    const CatalogueFiles files(folder.path());
    const FileRead<QString> loaded = files.ReadListText(LIST);
    QVERIFY(loaded.stamp.exists);

    // What a second copy of the program, or another editor, does meanwhile.
    QByteArray other = first;
    const QDateTime modified = QFileInfo(path).lastModified();
    if (change == QLatin1String("append")) {
        other += "B;1:2:3;4:5:6;zwei\r\n";
        writeFile(path, other);
    } else if (change == QLatin1String("same size")) {
        other = "A;1:2:3;4:5:6;drei\r\n";
        writeFile(path, other);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(modified, QFileDevice::FileModificationTime));
    } else if (change == QLatin1String("touch")) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(modified.addSecs(5), QFileDevice::FileModificationTime));
    } else if (change == QLatin1String("delete")) {
        QVERIFY(QFile::remove(path));
    }

    const FileWrite written = files.WriteListText(LIST, QStringLiteral("C;1:2:3;4:5:6;mein"),
                                                  TextEncoding::Windows1252, &loaded.stamp);
    QCOMPARE(written.state, state);
    QFile file(path);
    if (state == FileState::Done) {
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("C;1:2:3;4:5:6;mein\r\n"));
    } else if (change == QLatin1String("delete")) {
        QVERIFY(!file.exists());
    } else {
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), other);
    }
}

void TestCatalogueFiles::lookupIgnoresCase_data()
{
    QTest::addColumn<QStringList>("onDisk");
    QTest::addColumn<Reader>("reader");
    QTest::addColumn<QString>("found");

    QTest::newRow("Liste.txt for the list index")
        << QStringList{"Liste.txt"} << Reader::ListNames << QStringLiteral("Liste.txt");
    QTest::newRow("STANDORT.TXT for the location file")
        << QStringList{"STANDORT.TXT"} << Reader::Sites << QStringLiteral("STANDORT.TXT");
    QTest::newRow("test.TXT for the list Test")
        << QStringList{"test.TXT"} << Reader::ObjectNames << QStringLiteral("test.TXT");
    QTest::newRow("the exact name wins") << QStringList{"TEST.txt", "Test.txt", "test.txt"}
                                         << Reader::ObjectNames << QStringLiteral("Test.txt");
}

void TestCatalogueFiles::lookupIgnoresCase()
{
    QFETCH(QStringList, onDisk);
    QFETCH(Reader, reader);
    QFETCH(QString, found);

    QTemporaryDir folder;
    for (const QString &name : onDisk)
        writeFile(folder.filePath(name), name.toLatin1() + "\r\n");

    const FileRead<QStringList> read = readWith(CatalogueFiles(folder.path()), reader);
    QCOMPARE(read.state, FileState::Done);
    QCOMPARE(read.path, folder.filePath(found));
    QCOMPARE(read.value, QStringList{found});
}

void TestCatalogueFiles::saveWritesTheFileFoundWhateverItsCase()
{
    // A second file beside the first would leave the one that is read stale.
    QTemporaryDir folder;
    writeFile(folder.filePath(QStringLiteral("sommer.txt")), "M 1;05:34:32;22:00:52\r\n");
    const FileWrite saved =
        CatalogueFiles(folder.path())
            .WriteListText(QStringLiteral("Sommer"), QStringLiteral("M 13;1:2:3;4:5:6"));
    QCOMPARE(saved.state, FileState::Done);
    QCOMPARE(saved.path, folder.filePath(QStringLiteral("sommer.txt")));
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{"sommer.txt"});
    QFile file(saved.path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("M 13;1:2:3;4:5:6\r\n"));
}

void TestCatalogueFiles::windows1252AgreesWithIcu()
{
    // An independent table: Qt reaches the code page through ICU when it was built with it.
    QStringDecoder icu("windows-1252");
    if (!icu.isValid())
        QSKIP("this Qt has no Windows-1252 codec to compare with");
    const QByteArray bytes = everyByte();
    QCOMPARE(decodeWindows1252(bytes), icu.decode(bytes));
}

void TestCatalogueFiles::windows1252RoundTripsEveryByte()
{
    const QByteArray bytes = everyByte();
    const std::optional<QByteArray> encoded = encodeWindows1252(decodeWindows1252(bytes));
    QVERIFY(encoded.has_value());
    QCOMPARE(*encoded, bytes);
}

void TestCatalogueFiles::textOutsideWindows1252IsEncodedAsUtf8()
{
    const QString text = QStringLiteral("M 1;5:34:32;22:01:00;Krebsnebel → Stier, hell");
    QVERIFY(!encodeWindows1252(text).has_value());
    const EncodedText encoded = encodeDataFile(text, TextEncoding::Windows1252);
    QCOMPARE(encoded.encoding, TextEncoding::Utf8);
    QCOMPARE(encoded.bytes, text.toUtf8());
    QCOMPARE(decodeDataFile(encoded.bytes).text, text);
}

void TestCatalogueFiles::decodingKeepsEveryByte_data()
{
    QTest::addColumn<QString>("fixture");
    // Found by the object list fuzzer: the second mark was swallowed by the decoder.
    QTest::newRow("two byte order marks") << "double-bom.txt";
}

void TestCatalogueFiles::decodingKeepsEveryByte()
{
    QFETCH(QString, fixture);
    QFile file(QStringLiteral(ZENITOR_TEST_DATA_DIR "/") + fixture);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    const DecodedText decoded = decodeDataFile(bytes);
    QCOMPARE(encodeDataFile(decoded.text, decoded.encoding).bytes, bytes);
}

QTEST_GUILESS_MAIN(TestCatalogueFiles)
#include "tst_cataloguefiles.moc"
