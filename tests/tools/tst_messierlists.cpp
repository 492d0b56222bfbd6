// SPDX-License-Identifier: GPL-3.0-or-later
// The list generator: rounding and formatting of positions, the season rule,
// the Windows-1252 table, the catalogue reader's checks, writing the files, and
// that the delivered lists in data/ are exactly what the generator makes.
#include "messierlists.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cmath>

using namespace messier;

namespace {

const QString HEADER = QString::fromLatin1(CATALOGUE_HEADER);

double fromParts(double whole, double minutes, double seconds)
{
    return whole + minutes / 60.0 + seconds / 3600.0;
}

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

} // namespace

class TestMessierLists : public QObject
{
    Q_OBJECT

private slots:
    void formatsRightAscensionRoundedToTheSecond_data();
    void formatsRightAscensionRoundedToTheSecond();
    void formatsDeclinationRoundedToTheArcMinute_data();
    void formatsDeclinationRoundedToTheArcMinute();
    void assignsSeasonsByRightAscension_data();
    void assignsSeasonsByRightAscension();
    void encodesGermanLettersAsSingleBytes();
    void refusesCharactersOutsideTheTable_data();
    void refusesCharactersOutsideTheTable();
    void readsCatalogueLines();
    void rejectsBadCatalogueLines_data();
    void rejectsBadCatalogueLines();
    void listLinePrecessesTo2030();
    void writesOneCrLfFilePerSeason();
    void leavesFilesAloneWhenASeasonIsEmpty();
    void reportsAFolderThatCannotBeWritten();
    void reproducesTheDeliveredLists_data();
    void reproducesTheDeliveredLists();
};

void TestMessierLists::formatsRightAscensionRoundedToTheSecond_data()
{
    QTest::addColumn<double>("hours");
    QTest::addColumn<QString>("want");

    QTest::newRow("rounds 0.4 s down") << fromParts(5, 35, 17.4) << "05:35:17";
    QTest::newRow("rounds 0.6 s up") << fromParts(5, 35, 17.6) << "05:35:18";
    QTest::newRow("carries 59.6 s into the minute") << fromParts(5, 35, 59.6) << "05:36:00";
    QTest::newRow("carries 59 min 59.7 s into the hour") << fromParts(5, 59, 59.7) << "06:00:00";
    QTest::newRow("wraps 23:59:59.8 to 00:00:00") << fromParts(23, 59, 59.8) << "00:00:00";
    QTest::newRow("pads single digits") << fromParts(0, 3, 4.2) << "00:03:04";
}

void TestMessierLists::formatsRightAscensionRoundedToTheSecond()
{
    QFETCH(double, hours);
    QFETCH(QString, want);
    QCOMPARE(FormatRightAscension(hours), want);
}

void TestMessierLists::formatsDeclinationRoundedToTheArcMinute_data()
{
    QTest::addColumn<double>("degrees");
    QTest::addColumn<QString>("want");

    QTest::newRow("northern, rounds 52\" up") << fromParts(22, 0, 52) << "+22:01:00";
    QTest::newRow("southern, rounds 25\" down") << -fromParts(5, 23, 25) << "-05:23:00";
    QTest::newRow("carries 59' 40\" into the degree") << fromParts(41, 59, 40) << "+42:00:00";
    QTest::newRow("southern carry") << -fromParts(24, 59, 45) << "-25:00:00";
    QTest::newRow("southern within one degree keeps its sign")
        << -fromParts(0, 41, 10) << "-00:41:00";
    QTest::newRow("rounding to zero gives no minus") << -fromParts(0, 0, 20) << "+00:00:00";
    QTest::newRow("north pole") << 90.0 << "+90:00:00";
}

void TestMessierLists::formatsDeclinationRoundedToTheArcMinute()
{
    QFETCH(double, degrees);
    QFETCH(QString, want);
    QCOMPARE(FormatDeclination(degrees), want);
}

void TestMessierLists::assignsSeasonsByRightAscension_data()
{
    QTest::addColumn<double>("hours");
    QTest::addColumn<QString>("want");

    QTest::newRow("0 h is autumn") << 0.0 << "Herbst";
    QTest::newRow("just before 3 h is autumn") << fromParts(2, 59, 59) << "Herbst";
    QTest::newRow("3 h starts winter") << 3.0 << "Winter";
    QTest::newRow("just before 9 h is winter") << fromParts(8, 59, 59) << "Winter";
    QTest::newRow("9 h starts spring") << 9.0 << "Fruehling";
    QTest::newRow("just before 15 h is spring") << fromParts(14, 59, 59) << "Fruehling";
    QTest::newRow("15 h starts summer") << 15.0 << "Sommer";
    QTest::newRow("just before 21 h is summer") << fromParts(20, 59, 59) << "Sommer";
    QTest::newRow("21 h starts autumn") << 21.0 << "Herbst";
    QTest::newRow("just before 24 h is autumn") << fromParts(23, 59, 59) << "Herbst";
}

void TestMessierLists::assignsSeasonsByRightAscension()
{
    QFETCH(double, hours);
    QFETCH(QString, want);
    QCOMPARE(SeasonListName(SeasonForRightAscension(hours)), want);
}

void TestMessierLists::encodesGermanLettersAsSingleBytes()
{
    const std::optional<QByteArray> bytes =
        ToWindows1252(QStringLiteral("Schützen, Großer Bär, Äußeres Öl; Übung 5,8 mag 6'x4'"));
    QVERIFY(bytes);
    QCOMPARE(*bytes, QByteArray("Sch\xFCtzen, Gro\xDF"
                                "er B\xE4r, \xC4u\xDF"
                                "eres \xD6l; \xDC"
                                "bung 5,8 mag 6'x4'"));
}

void TestMessierLists::refusesCharactersOutsideTheTable_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QChar>("refused");

    // The euro sign exists in Windows-1252 but not in the table: nothing silent slips in.
    QTest::newRow("euro sign") << QStringLiteral("5 €") << QChar(0x20AC);
    QTest::newRow("e acute") << QStringLiteral("Genève") << QChar(0x00E8);
    QTest::newRow("degree sign") << QStringLiteral("+22° 01'") << QChar(0x00B0);
    QTest::newRow("tab") << QStringLiteral("a\tb") << QChar(u'\t');
    QTest::newRow("line feed") << QStringLiteral("a\nb") << QChar(u'\n');
}

void TestMessierLists::refusesCharactersOutsideTheTable()
{
    QFETCH(QString, text);
    QFETCH(QChar, refused);
    QChar got;
    QVERIFY(!ToWindows1252(text, &got));
    QCOMPARE(got, refused);
}

void TestMessierLists::readsCatalogueLines()
{
    // Windows line ends and empty lines are tolerated; the sign of -00 degrees survives.
    const QString text = HEADER + QStringLiteral("\r\n"
                                                 "2;NGC 7089;21:33:27.20;-00:49:22.0;"
                                                 "Kugelsternhaufen im Wassermann\r\n"
                                                 "\r\n"
                                                 "1;NGC 1952;05:34:31.90;+22:00:52.0;"
                                                 "Krebsnebel im Stier\r\n");
    QString error;
    const std::optional<QList<CatalogueEntry>> entries = ParseCatalogue(text, &error);
    QVERIFY2(entries, qPrintable(error));
    QCOMPARE(entries->size(), 2);

    const CatalogueEntry &m2 = entries->at(0);
    QCOMPARE(m2.number, 2);
    QCOMPARE(m2.designation, QStringLiteral("NGC 7089"));
    const double wantRa = fromParts(21, 33, 27.2);
    QVERIFY2(std::fabs(m2.rightAscensionHours - wantRa) < 1e-12,
             qPrintable(QStringLiteral("want %1 h got %2 h")
                            .arg(wantRa, 0, 'g', 17)
                            .arg(m2.rightAscensionHours, 0, 'g', 17)));
    const double wantDec = -fromParts(0, 49, 22.0);
    QVERIFY2(std::fabs(m2.declinationDegrees - wantDec) < 1e-12,
             qPrintable(QStringLiteral("want %1 degrees got %2 degrees")
                            .arg(wantDec, 0, 'g', 17)
                            .arg(m2.declinationDegrees, 0, 'g', 17)));
    QCOMPARE(m2.info, QStringLiteral("Kugelsternhaufen im Wassermann"));
    QCOMPARE(entries->at(1).number, 1);
}

void TestMessierLists::rejectsBadCatalogueLines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("error");

    const QString good = QStringLiteral("1;NGC 1952;05:34:31.90;+22:00:52.0;Krebsnebel\n");
    QTest::newRow("no header")
        << good << "line 1: expected the header \"messier;designation;ra_j2000;dec_j2000;info\"";
    QTest::newRow("semicolon inside the info")
        << HEADER + "\n1;NGC 1952;05:34:31.90;+22:00:52.0;Krebsnebel; hell\n"
        << "line 2: expected 5 fields separated by \";\", found 6";
    QTest::newRow("Messier number 111") << HEADER + "\n111;NGC 1;05:34:31.90;+22:00:52.0;Galaxie\n"
                                        << "line 2: Messier number \"111\" is not 1 to 110";
    QTest::newRow("Messier number with the M")
        << HEADER + "\nM 1;NGC 1952;05:34:31.90;+22:00:52.0;Krebsnebel\n"
        << "line 2: Messier number \"M 1\" is not 1 to 110";
    QTest::newRow("60 minutes of right ascension")
        << HEADER + "\n1;NGC 1952;05:60:00.00;+22:00:52.0;Krebsnebel\n"
        << "line 2: right ascension \"05:60:00.00\" is not hh:mm:ss below 24 h";
    QTest::newRow("right ascension of 24 h")
        << HEADER + "\n1;NGC 1952;24:00:00.00;+22:00:52.0;Krebsnebel\n"
        << "line 2: right ascension \"24:00:00.00\" is not hh:mm:ss below 24 h";
    QTest::newRow("60 seconds of right ascension")
        << HEADER + "\n1;NGC 1952;06:08:60.00;+22:00:52.0;Krebsnebel\n"
        << "line 2: right ascension \"06:08:60.00\" is not hh:mm:ss below 24 h";
    QTest::newRow("declination without sign")
        << HEADER + "\n1;NGC 1952;05:34:31.90;22:00:52.0;Krebsnebel\n"
        << "line 2: declination \"22:00:52.0\" is not +dd:mm:ss within 90 degrees";
    QTest::newRow("declination beyond the pole")
        << HEADER + "\n1;NGC 1952;05:34:31.90;+90:00:01;Krebsnebel\n"
        << "line 2: declination \"+90:00:01\" is not +dd:mm:ss within 90 degrees";
    QTest::newRow("empty info") << HEADER + "\n1;NGC 1952;05:34:31.90;+22:00:52.0;\n"
                                << "line 2: info text is empty";
    QTest::newRow("info the lists cannot hold")
        << HEADER + "\n1;NGC 1952;05:34:31.90;+22:00:52.0;Krebsnebel, 8,4 mag, 7′\n"
        << "line 2: info text holds \"′\" (U+2032), which the lists cannot hold";
    QTest::newRow("number given twice")
        << HEADER + "\n" + good + good << "line 3: M 1 is listed twice";
}

void TestMessierLists::rejectsBadCatalogueLines()
{
    QFETCH(QString, text);
    QFETCH(QString, error);
    QString got;
    QVERIFY(!ParseCatalogue(text, &got));
    QCOMPARE(got, error);
}

void TestMessierLists::listLinePrecessesTo2030()
{
    // M 42, J2000.0 05h35m17.1s -05 23' 25". Meeus's annual precession (Astronomical
    // Algorithms, eq. 21.1: m = 3.07496 s, n = 1.33621 s = 20.0431") over 30 years
    // gives +88.5 s and +64.7": 05h36m45.6s -05 22' 20" for 2030.0.
    const CatalogueEntry m42{42, QStringLiteral("NGC 1976"), fromParts(5, 35, 17.1),
                             -fromParts(5, 23, 25),
                             QStringLiteral("Orionnebel, Emissionsnebel im Orion, 4,0 mag")};
    QCOMPARE(
        ListLine(m42),
        QStringLiteral("M 42;05:36:46;-05:22:00;Orionnebel, Emissionsnebel im Orion, 4,0 mag"));
}

void TestMessierLists::writesOneCrLfFilePerSeason()
{
    const QList<CatalogueEntry> entries = {
        {45, {}, 3.8, 24.1, QStringLiteral("Plejaden im Stier")},
        {13, {}, 16.7, 36.5, QStringLiteral("Herkuleshaufen")},
        {3, {}, 13.7, 28.4, QStringLiteral("Kugelsternhaufen")},
        {31, {}, 0.7, 41.3, QStringLiteral("Andromedagalaxie")},
        {1, {}, 5.6, 22.0, QStringLiteral("Krebsnebel im Stier, Südteil")},
    };
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    QString error;
    QVERIFY2(WriteSeasonLists(entries, folder.path(), &error), qPrintable(error));

    const QByteArray winter = readBytes(folder.filePath(QStringLiteral("Winter.txt")));
    const QList<QByteArray> lines = winter.split('\n');
    // Two records in Messier order, each ending in CR LF, nothing after the last.
    QCOMPARE(lines.size(), 3);
    QVERIFY(lines[0].startsWith("M 1;"));
    QVERIFY(lines[0].endsWith(";Krebsnebel im Stier, S\xFC"
                              "dteil\r"));
    QVERIFY(lines[1].startsWith("M 45;"));
    QVERIFY(lines[1].endsWith('\r'));
    QVERIFY(lines[2].isEmpty());
    for (const char *name : {"Fruehling.txt", "Sommer.txt", "Herbst.txt"})
        QVERIFY2(readBytes(folder.filePath(QString::fromLatin1(name))).count("\r\n") == 1, name);
}

void TestMessierLists::leavesFilesAloneWhenASeasonIsEmpty()
{
    const QList<CatalogueEntry> noSummer = {
        {45, {}, 3.8, 24.1, QStringLiteral("Plejaden")},
        {3, {}, 13.7, 28.4, QStringLiteral("Kugelsternhaufen")},
        {31, {}, 0.7, 41.3, QStringLiteral("Andromedagalaxie")},
    };
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString fruehling = folder.filePath(QStringLiteral("Fruehling.txt"));
    {
        QFile old(fruehling);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("M 3;13:42:11;+28:22:00;alt\r\n");
    }

    QString error;
    QVERIFY(!WriteSeasonLists(noSummer, folder.path(), &error));
    QCOMPARE(error, QStringLiteral("Sommer: no object falls in this season"));
    QCOMPARE(readBytes(fruehling), QByteArray("M 3;13:42:11;+28:22:00;alt\r\n"));
    QVERIFY(!QFile::exists(folder.filePath(QStringLiteral("Winter.txt"))));
}

void TestMessierLists::reportsAFolderThatCannotBeWritten()
{
    const QList<CatalogueEntry> entries = {
        {45, {}, 3.8, 24.1, QStringLiteral("Plejaden")},
        {13, {}, 16.7, 36.5, QStringLiteral("Herkuleshaufen")},
        {3, {}, 13.7, 28.4, QStringLiteral("Kugelsternhaufen")},
        {31, {}, 0.7, 41.3, QStringLiteral("Andromedagalaxie")},
    };
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString missing = folder.filePath(QStringLiteral("missing"));
    QString error;
    QVERIFY(!WriteSeasonLists(entries, missing, &error));
    QVERIFY2(error.startsWith(missing + QStringLiteral("/Fruehling.txt: ")), qPrintable(error));
}

void TestMessierLists::reproducesTheDeliveredLists_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::newRow("Fruehling") << "Fruehling.txt";
    QTest::newRow("Sommer") << "Sommer.txt";
    QTest::newRow("Herbst") << "Herbst.txt";
    QTest::newRow("Winter") << "Winter.txt";
}

void TestMessierLists::reproducesTheDeliveredLists()
{
    QFETCH(QString, fileName);
    const QDir source(QStringLiteral(ZENITOR_SOURCE_DIR));

    QString error;
    const std::optional<QList<CatalogueEntry>> entries =
        ReadCatalogue(source.filePath(QStringLiteral("tools/messier/messier_j2000.csv")), &error);
    QVERIFY2(entries, qPrintable(error));
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    QVERIFY2(WriteSeasonLists(*entries, folder.path(), &error), qPrintable(error));

    const QByteArray delivered = readBytes(source.filePath(QStringLiteral("data/") + fileName));
    const QByteArray generated = readBytes(folder.filePath(fileName));
    QVERIFY(!generated.isEmpty());
    if (generated != delivered) {
        const QList<QByteArray> want = generated.split('\n');
        const QList<QByteArray> got = delivered.split('\n');
        for (qsizetype line = 0; line < std::max(want.size(), got.size()); ++line) {
            const QByteArray wantLine = line < want.size() ? want[line] : QByteArray("(none)");
            const QByteArray gotLine = line < got.size() ? got[line] : QByteArray("(none)");
            QVERIFY2(wantLine == gotLine,
                     qPrintable(QStringLiteral("line %1: generator writes \"%2\", data/%3 has "
                                               "\"%4\"; run the zenitor-update-lists target")
                                    .arg(line + 1)
                                    .arg(QString::fromLatin1(wantLine), fileName,
                                         QString::fromLatin1(gotLine))));
        }
    }
}

QTEST_APPLESS_MAIN(TestMessierLists)
#include "tst_messierlists.moc"
