// SPDX-License-Identifier: GPL-3.0-or-later
// The latitude in field 2 of the location file: read for the plan, ignored by the site choice.
#include "catalogue/cataloguefiles.h"
#include "catalogue/sites.h"

#include "support/scratchfolder.h"

#include <QTest>

#include <cmath>

class TestSites : public QObject
{
    Q_OBJECT
private slots:
    void latitudes_data();
    void latitudes();
    void siteChoiceIsUnchanged();
    void latitudeBelongsToTheExactSiteText();
};

void TestSites::latitudes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    // Per site: text, latitude (or "-"), and "Zeile n" when a message names the line; a fourth
    // part when the line lacks its site text.
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("old file without latitudes keeps working")
        << QByteArray("13.41 Berlin\r\n9.99 Hamburg\r\n")
        << QStringList{"13.41 Berlin|-|", "9.99 Hamburg|-|"};
    QTest::newRow("latitude in field 2, blanks around it allowed")
        << QByteArray("13.41 Berlin;52.52\r\n-70.4 La Silla ; -29.26 \r\n")
        << QStringList{"13.41 Berlin|52.52|", "-70.4 La Silla|-29.26|"};
    QTest::newRow("the poles and the equator are latitudes")
        << QByteArray("0 Nord;90\r\n0 Sued;-90.0\r\n0 Mitte;+0\r\n")
        << QStringList{"0 Nord|90|", "0 Sued|-90|", "0 Mitte|0|"};
    QTest::newRow("empty field 2 is no latitude and no fault")
        << QByteArray("13.41 Berlin;\r\n") << QStringList{"13.41 Berlin|-|"};
    QTest::newRow("fields after the second are ignored")
        << QByteArray("13.41 Berlin;52.52;34 m\r\n") << QStringList{"13.41 Berlin|52.52|"};
    QTest::newRow("beyond the pole: message names line 3, counting the empty line")
        << QByteArray("1 A;10\r\n\r\n2 B;90.5\r\n") << QStringList{"1 A|10|", "2 B|-|Zeile 3"};
    QTest::newRow("comma is no decimal separator")
        << QByteArray("13.41 Berlin;52,52\r\n") << QStringList{"13.41 Berlin|-|Zeile 1"};
    QTest::newRow("text is no latitude, never a silent zero")
        << QByteArray("13.41 Berlin;Nord\r\n") << QStringList{"13.41 Berlin|-|Zeile 1"};
    QTest::newRow("exponent, nan and inf are refused")
        << QByteArray("1 A;5e1\r\n2 B;nan\r\n3 C;inf\r\n")
        << QStringList{"1 A|-|Zeile 1", "2 B|-|Zeile 2", "3 C|-|Zeile 3"};
    QTest::newRow("tabs around the latitude are trimmed like blanks")
        << QByteArray("13.41 Berlin;\t52.52\t\r\n-70.4 La Silla; \t-29.26\r\n")
        << QStringList{"13.41 Berlin|52.52|", "-70.4 La Silla|-29.26|"};
    QTest::newRow("a line without its site text is named")
        << QByteArray("13.41 Berlin;52.52\r\n;52\r\n")
        << QStringList{"13.41 Berlin|52.52|", "|52||Zeile 2"};
    QTest::newRow("number with a name behind it is refused")
        << QByteArray("13.41 Berlin;52.52 N\r\n") << QStringList{"13.41 Berlin|-|Zeile 1"};
}

void TestSites::latitudes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, expected);
    ScratchFolder folder;
    QVERIFY(folder.write(QStringLiteral("standort.txt"), bytes));
    const FileRead<QList<SiteEntry>> read = CatalogueFiles(folder.path()).ReadSites();
    QCOMPARE(read.state, FileState::Done);
    QCOMPARE(read.value.size(), expected.size());
    for (qsizetype index = 0; index < expected.size(); ++index) {
        const QStringList want = expected[index].split(u'|');
        const SiteEntry &site = read.value[index];
        QCOMPARE(site.text, want[0]);
        if (want[1] == QStringLiteral("-")) {
            QVERIFY2(!site.latitudeDegrees, qPrintable(site.text));
        } else {
            QVERIFY2(site.latitudeDegrees, qPrintable(site.text));
            QVERIFY2(std::abs(*site.latitudeDegrees - want[1].toDouble()) < 1e-12,
                     qPrintable(QStringLiteral("want %1, got %2")
                                    .arg(want[1])
                                    .arg(*site.latitudeDegrees, 0, 'g', 17)));
        }
        if (want.size() > 3) {
            QVERIFY2(site.textProblem.contains(want[3]) &&
                         site.textProblem.contains(QStringLiteral("standort.txt")),
                     qPrintable(site.textProblem));
        } else {
            QVERIFY2(site.textProblem.isEmpty(), qPrintable(site.textProblem));
        }
        if (want[2].isEmpty()) {
            QVERIFY2(site.latitudeProblem.isEmpty(), qPrintable(site.latitudeProblem));
        } else {
            QVERIFY2(site.latitudeProblem.contains(want[2]), qPrintable(site.latitudeProblem));
            QVERIFY2(site.latitudeProblem.contains(QStringLiteral("standort.txt")),
                     qPrintable(site.latitudeProblem));
            QVERIFY2(site.latitudeProblem.contains(folder.shownPath()),
                     qPrintable(site.latitudeProblem));
        }
    }
}

void TestSites::siteChoiceIsUnchanged()
{
    ScratchFolder folder;
    QVERIFY(folder.write(QStringLiteral("standort.txt"),
                         QByteArray("13.41 Berlin;52.52\r\n\r\n  9.99 Hamburg ;x\r\n")));
    const CatalogueFiles files(folder.path());
    const QStringList choice = files.ReadSiteEntries().value;
    QCOMPARE(choice, (QStringList{"13.41 Berlin", "9.99 Hamburg"}));
    QStringList planSites;
    for (const SiteEntry &site : files.ReadSites().value)
        planSites.append(site.text);
    QCOMPARE(planSites, choice);
}

void TestSites::latitudeBelongsToTheExactSiteText()
{
    const QList<SiteEntry> sites{{QStringLiteral("13.41 Berlin"), 52.52, 1, {}},
                                 {QStringLiteral("9.99 Hamburg"), std::nullopt, 2, {}},
                                 {QStringLiteral("13.41 Berlin"), 10.0, 3, {}}};
    QCOMPARE(latitudeOfSite(sites, QStringLiteral("13.41 Berlin")), std::optional(52.52));
    QCOMPARE(latitudeOfSite(sites, QStringLiteral("9.99 Hamburg")), std::optional<double>());
    QCOMPARE(latitudeOfSite(sites, QStringLiteral("13.41")), std::optional<double>());
    QCOMPARE(latitudeOfSite(sites, QStringLiteral("13.41 berlin")), std::optional<double>());
    // Blanks and tabs around the text, as a typed or pasted site has them, do not count.
    QCOMPARE(latitudeOfSite(sites, QStringLiteral(" \t13.41 Berlin\t ")), std::optional(52.52));
    QCOMPARE(findSite(sites, QStringLiteral("9.99 Hamburg ")), &sites[1]);
}

QTEST_GUILESS_MAIN(TestSites)
#include "tst_sites.moc"
