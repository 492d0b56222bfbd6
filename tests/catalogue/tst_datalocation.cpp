// SPDX-License-Identifier: GPL-3.0-or-later
// The choice of the data folder: the program folder when files can be created in it, else the
// per-user folder, completed from the program folder without replacing what the user has.
#include "catalogue/datalocation.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QByteArray SITES("13.40 Berlin\r\n");
const QByteArray LIST_INDEX("Sommer\r\nWinter\r\n");
const QByteArray SOMMER("M 13;16:42:38;36:25:02;Kugelsternhaufen\r\n");
const QByteArray WINTER("M 42;05:36:24;-05:22:14;Orionnebel\r\n");
const QByteArray EDITED("M 57;18:54:21;33:03:40;meine Notiz\r\n");

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

QStringList entriesOf(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

/// A system-wide installation: a program folder with the executable and its data files, read-only
/// as a package installs them, and a home folder without any per-user data yet.
class Installation
{
public:
    Installation()
    {
        QDir().mkpath(program());
        writeFile(program() + QStringLiteral("/zenitor"), QByteArray("\x7f"
                                                                     "ELF"));
        writeFile(program() + QStringLiteral("/standort.txt"), SITES);
        writeFile(program() + QStringLiteral("/liste.txt"), LIST_INDEX);
        writeFile(program() + QStringLiteral("/Sommer.txt"), SOMMER);
        writeFile(program() + QStringLiteral("/Winter.txt"), WINTER);
        for (const QString &name : entriesOf(program()))
            QFile::setPermissions(program() + QLatin1Char('/') + name,
                                  QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    }

    QString program() const { return root.filePath(QStringLiteral("usr/lib/zenitor")); }
    QString user() const { return root.filePath(QStringLiteral("home/.local/share/zenitor")); }

    /// Stands for the check of a root-owned folder, which root itself could write.
    FolderWritableProbe programFolderReadOnly() const
    {
        return [this](const QString &folder) {
            return folder != program() && canCreateFilesIn(folder);
        };
    }

private:
    QTemporaryDir root;
};

} // namespace

class TestDataLocation : public QObject
{
    Q_OBJECT

private slots:
    void writableProgramFolderIsUsedAsIs();
    void userFolderIsCompletedNotOverwritten_data();
    void userFolderIsCompletedNotOverwritten();
    void fallsBackToProgramFolder_data();
    void fallsBackToProgramFolder();
    void probeCreatesAndRemovesAFile();
};

void TestDataLocation::writableProgramFolderIsUsedAsIs()
{
    const Installation installation;
    QCOMPARE(chooseDataFolder(installation.program(), installation.user()), installation.program());
    QCOMPARE(chooseDataFolderWithNotice(installation.program(), installation.user()).notice,
             QString());
    QVERIFY(!QFileInfo::exists(installation.user()));
}

void TestDataLocation::userFolderIsCompletedNotOverwritten_data()
{
    QTest::addColumn<QString>("userFile"); ///< already in the per-user folder, empty for none
    QTest::addColumn<QStringList>("expectedEntries");

    const QStringList delivered{"Sommer.txt", "Winter.txt", "liste.txt", "standort.txt"};
    QTest::newRow("first start: every data file copied, the executable not")
        << QString() << delivered;
    QTest::newRow("an edited list survives an update") << QStringLiteral("Sommer.txt") << delivered;
    QTest::newRow("an edited site file survives an update")
        << QStringLiteral("standort.txt") << delivered;
    QTest::newRow("a list in other letter case is kept, not doubled")
        << QStringLiteral("sommer.txt")
        << QStringList{"Winter.txt", "liste.txt", "sommer.txt", "standort.txt"};
}

void TestDataLocation::userFolderIsCompletedNotOverwritten()
{
    QFETCH(QString, userFile);
    QFETCH(QStringList, expectedEntries);
    const Installation installation;
    if (!userFile.isEmpty()) {
        QVERIFY(QDir().mkpath(installation.user()));
        writeFile(installation.user() + QLatin1Char('/') + userFile, EDITED);
    }

    QCOMPARE(chooseDataFolder(installation.program(), installation.user(),
                              installation.programFolderReadOnly()),
             installation.user());

    QCOMPARE(entriesOf(installation.user()), expectedEntries);
    for (const QString &name : expectedEntries) {
        const QString copy = installation.user() + QLatin1Char('/') + name;
        const QByteArray expected =
            name == userFile ? EDITED : readFile(installation.program() + QLatin1Char('/') + name);
        QCOMPARE(readFile(copy), expected);
        QVERIFY2(QFile::permissions(copy) & QFile::WriteOwner, qPrintable(copy));
    }
}

void TestDataLocation::fallsBackToProgramFolder_data()
{
    QTest::addColumn<bool>("fileInPlaceOfUserFolder");
    QTest::addColumn<bool>("userFolderWritable");
    QTest::addColumn<bool>("userFolderKnown");
    QTest::addColumn<QString>("problem"); ///< in the notice for the window; none when empty

    QTest::newRow("per-user folder cannot be created: a file holds its name")
        << true << true << true << QStringLiteral(" kann nicht angelegt werden!!!");
    QTest::newRow("per-user folder cannot be written")
        << false << false << true << QStringLiteral(" ist schreibgeschützt!!!");
    QTest::newRow("no per-user folder known") << false << true << false << QString();
}

void TestDataLocation::fallsBackToProgramFolder()
{
    QFETCH(bool, fileInPlaceOfUserFolder);
    QFETCH(bool, userFolderWritable);
    QFETCH(bool, userFolderKnown);
    QFETCH(QString, problem);
    const Installation installation;
    if (fileInPlaceOfUserFolder) {
        QVERIFY(QDir().mkpath(QFileInfo(installation.user()).path()));
        writeFile(installation.user(), QByteArray("not a folder"));
    }
    const QString program = installation.program();
    const FolderWritableProbe probe = [&](const QString &folder) {
        return folder != program && userFolderWritable && canCreateFilesIn(folder);
    };

    QCOMPARE(chooseDataFolder(program, userFolderKnown ? installation.user() : QString(), probe),
             program);
    const DataFolderChoice choice = chooseDataFolderWithNotice(
        program, userFolderKnown ? installation.user() : QString(), probe);
    QCOMPARE(choice.folder, program);
    const QString notice =
        problem.isEmpty()
            ? QString()
            : QStringLiteral("Der eigene Datenordner ") + installation.user() + problem +
                  QStringLiteral(" Die Listen werden aus dem Ordner ") + program +
                  QStringLiteral(" gelesen; Änderungen lassen sich dort nicht speichern.");
    QCOMPARE(choice.notice, notice);
    // Nothing was half-seeded that a later start could mistake for the user's own files.
    QVERIFY(entriesOf(installation.user()).isEmpty());
}

void TestDataLocation::probeCreatesAndRemovesAFile()
{
    QTemporaryDir folder;
    QVERIFY(canCreateFilesIn(folder.path()));
    QVERIFY(entriesOf(folder.path()).isEmpty());
    QVERIFY(!canCreateFilesIn(folder.filePath(QStringLiteral("missing"))));
    writeFile(folder.filePath(QStringLiteral("file")), QByteArray("x"));
    QVERIFY(!canCreateFilesIn(folder.filePath(QStringLiteral("file"))));
}

QTEST_GUILESS_MAIN(TestDataLocation)
#include "tst_datalocation.moc"
