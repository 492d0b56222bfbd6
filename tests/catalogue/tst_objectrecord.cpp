// SPDX-License-Identifier: GPL-3.0-or-later
// The parse of one object record: its name, coordinate parts, info and the problem found.
#include "catalogue/objectrecord.h"

#include <QTest>

namespace {

QStringList fieldsOf(const char *line)
{
    return QString::fromUtf8(line).split(QLatin1Char(';'), Qt::KeepEmptyParts);
}

QStringList parts(const char *a, const char *b, const char *c)
{
    return {QString::fromUtf8(a), QString::fromUtf8(b), QString::fromUtf8(c)};
}

} // namespace

class TestObjectRecord : public QObject
{
    Q_OBJECT

private slots:
    void goodRecords_data();
    void goodRecords();
    void badRecords_data();
    void badRecords();
};

void TestObjectRecord::goodRecords_data()
{
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("rightAscension");
    QTest::addColumn<QStringList>("declination");
    QTest::addColumn<QString>("info");
    QTest::addColumn<QString>("declinationText");

    QTest::newRow("four fields") << fieldsOf("M 42;05:35:17;-05:23:28;Orionnebel")
                                 << QStringLiteral("M 42") << parts("05", "35", "17")
                                 << parts("-05", "23", "28") << QStringLiteral("Orionnebel")
                                 << QStringLiteral("-05° 23' 28\"");
    QTest::newRow("three fields: no info")
        << fieldsOf("M 1;05:34:32;22:00:52") << QStringLiteral("M 1") << parts("05", "34", "32")
        << parts("22", "00", "52") << QString() << QStringLiteral("22° 00' 52\"");
    QTest::newRow("five fields: info empty")
        << fieldsOf("M 1;05:34:32;22:00:52;Krebsnebel;mehr") << QStringLiteral("M 1")
        << parts("05", "34", "32") << parts("22", "00", "52") << QString()
        << QStringLiteral("22° 00' 52\"");
    QTest::newRow("spaces trimmed from name and coordinates, info as written")
        << fieldsOf("  M 31 ; 00:42:44 ;  41:16:09  ;  Andromeda ") << QStringLiteral("M 31")
        << parts("00", "42", "44") << parts("41", "16", "09") << QStringLiteral("  Andromeda ")
        << QStringLiteral("41° 16' 09\"");
    QTest::newRow("tabs are not trimmed")
        << fieldsOf("\tM 2;\t21:33:27;00:49:24") << QStringLiteral("\tM 2")
        << parts("\t21", "33", "27") << parts("00", "49", "24") << QString()
        << QStringLiteral("00° 49' 24\"");
    QTest::newRow("parts kept as written, numbers or not")
        << fieldsOf("X;a: 1 :;1.5:-0:x") << QStringLiteral("X") << parts("a", " 1 ", "")
        << parts("1.5", "-0", "x") << QString() << QStringLiteral("1.5° -0' x\"");
    QTest::newRow("empty name") << fieldsOf(";1:2:3;4:5:6;i") << QString() << parts("1", "2", "3")
                                << parts("4", "5", "6") << QStringLiteral("i")
                                << QStringLiteral("4° 5' 6\"");
}

void TestObjectRecord::goodRecords()
{
    QFETCH(QStringList, fields);
    QFETCH(QString, name);
    QFETCH(QStringList, rightAscension);
    QFETCH(QStringList, declination);
    QFETCH(QString, info);
    QFETCH(QString, declinationText);

    const ObjectRecord record = parseObjectRecord(fields);
    QCOMPARE(record.problem, RecordProblem::None);
    QCOMPARE(record.name, name);
    QCOMPARE(record.rightAscension, rightAscension);
    QCOMPARE(record.declination, declination);
    QCOMPARE(record.info, info);
    QCOMPARE(record.declinationText(), declinationText);
}

void TestObjectRecord::badRecords_data()
{
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<RecordProblem>("problem");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("rightAscension");
    QTest::addColumn<QString>("info");

    QTest::newRow("name only") << fieldsOf(" M 42 ") << RecordProblem::TooFewFields
                               << QStringLiteral("M 42") << QStringList() << QString();
    QTest::newRow("two fields") << fieldsOf("M 42;05:35:17") << RecordProblem::TooFewFields
                                << QStringLiteral("M 42") << QStringList() << QString();
    QTest::newRow("no fields at all")
        << QStringList() << RecordProblem::TooFewFields << QString() << QStringList() << QString();
    QTest::newRow("right ascension of two parts")
        << fieldsOf("M 42;05:35;-05:23:28;Orionnebel") << RecordProblem::RightAscension
        << QStringLiteral("M 42") << QStringList() << QStringLiteral("Orionnebel");
    QTest::newRow("right ascension of four parts")
        << fieldsOf("M 42;05:35:17:00;-05:23:28") << RecordProblem::RightAscension
        << QStringLiteral("M 42") << QStringList() << QString();
    QTest::newRow("right ascension empty, declination bad too")
        << fieldsOf("M 42;;x;Info") << RecordProblem::RightAscension << QStringLiteral("M 42")
        << QStringList() << QStringLiteral("Info");
    QTest::newRow("declination of two parts")
        << fieldsOf("M 42;05:35:17;-05:23;Orionnebel") << RecordProblem::Declination
        << QStringLiteral("M 42") << parts("05", "35", "17") << QStringLiteral("Orionnebel");
    QTest::newRow("declination of four parts, five fields")
        << fieldsOf("M 42;05:35:17;-05:23:28:1;a;b") << RecordProblem::Declination
        << QStringLiteral("M 42") << parts("05", "35", "17") << QString();
}

void TestObjectRecord::badRecords()
{
    QFETCH(QStringList, fields);
    QFETCH(RecordProblem, problem);
    QFETCH(QString, name);
    QFETCH(QStringList, rightAscension);
    QFETCH(QString, info);

    const ObjectRecord record = parseObjectRecord(fields);
    QCOMPARE(record.problem, problem);
    QCOMPARE(record.name, name);
    QCOMPARE(record.rightAscension, rightAscension);
    QVERIFY(record.declination.isEmpty());
    QCOMPARE(record.declinationText(), QString());
    QCOMPARE(record.info, info);
}

QTEST_GUILESS_MAIN(TestObjectRecord)
#include "tst_objectrecord.moc"
