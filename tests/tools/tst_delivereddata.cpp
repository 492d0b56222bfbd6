// SPDX-License-Identifier: GPL-3.0-or-later
// The data files delivered beside the program, checked as the program and a
// text editor will meet them: Windows-1252 text with CR LF line ends, object
// lines of exactly four fields with three-part coordinates, all 110 Messier
// objects once, site lines that begin with a longitude, and the list index.
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

namespace {

const QDir DATA(QStringLiteral(ZENITOR_SOURCE_DIR "/data"));

// Bytes above 0x7F that the files may hold: the Windows-1252 codes of Ä Ö Ü ß ä ö ü.
const QByteArray GERMAN_LETTER_BYTES("\xC4\xD6\xDC\xDF\xE4\xF6\xFC");

QByteArray readBytes(const QString &fileName)
{
    QFile file(DATA.filePath(fileName));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

// Empty when the bytes are CR LF text with a final line end, no empty line and
// only printable ASCII or German letters; otherwise what is wrong.
QString textFault(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return QStringLiteral("file missing or empty");
    if (!bytes.endsWith("\r\n"))
        return QStringLiteral("last line has no CR LF");
    if (bytes.contains("\r\n\r\n") || bytes.startsWith("\r\n"))
        return QStringLiteral("empty line");
    for (qsizetype index = 0; index < bytes.size(); ++index) {
        const unsigned char byte = static_cast<unsigned char>(bytes[index]);
        if (byte == '\n' && (index == 0 || bytes[index - 1] != '\r'))
            return QStringLiteral("lone LF at byte %1").arg(index);
        if (byte == '\r' && (index + 1 == bytes.size() || bytes[index + 1] != '\n'))
            return QStringLiteral("lone CR at byte %1").arg(index);
        const bool printable = byte >= 0x20 && byte <= 0x7E;
        if (!printable && byte != '\r' && byte != '\n' &&
            !GERMAN_LETTER_BYTES.contains(static_cast<char>(byte)))
            return QStringLiteral("byte 0x%1 at %2 is no Windows-1252 German text")
                .arg(byte, 2, 16, QLatin1Char('0'))
                .arg(index);
    }
    return {};
}

QStringList linesOf(const QByteArray &bytes)
{
    // The file is Windows-1252, whose German letters share Latin-1's code points.
    QStringList lines = QString::fromLatin1(bytes).split(QStringLiteral("\r\n"));
    lines.removeLast();
    return lines;
}

} // namespace

class TestDeliveredData : public QObject
{
    Q_OBJECT

private slots:
    void textFilesAreWindows1252WithCrLf_data();
    void textFilesAreWindows1252WithCrLf();
    void listIndexNamesTheFourSeasons();
    void objectListLinesHaveFourValidFields_data();
    void objectListLinesHaveFourValidFields();
    void listsHoldEveryMessierObjectOnce();
    void siteLinesBeginWithALongitude();
};

void TestDeliveredData::textFilesAreWindows1252WithCrLf_data()
{
    QTest::addColumn<QString>("fileName");
    for (const char *name :
         {"standort.txt", "liste.txt", "Fruehling.txt", "Sommer.txt", "Herbst.txt", "Winter.txt"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestDeliveredData::textFilesAreWindows1252WithCrLf()
{
    QFETCH(QString, fileName);
    const QString fault = textFault(readBytes(fileName));
    QVERIFY2(fault.isEmpty(), qPrintable(fileName + QStringLiteral(": ") + fault));
}

void TestDeliveredData::listIndexNamesTheFourSeasons()
{
    QCOMPARE(readBytes(QStringLiteral("liste.txt")),
             QByteArray("Fruehling\r\nSommer\r\nHerbst\r\nWinter\r\n"));
}

void TestDeliveredData::objectListLinesHaveFourValidFields_data()
{
    // Each list with the right ascension range of its season, widened by five
    // minutes because the lists are precessed from the J2000.0 positions that
    // decide the season.
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<int>("firstMinute");
    QTest::addColumn<int>("endMinute");
    QTest::newRow("Fruehling") << "Fruehling.txt" << 9 * 60 - 5 << 15 * 60 + 5;
    QTest::newRow("Sommer") << "Sommer.txt" << 15 * 60 - 5 << 21 * 60 + 5;
    QTest::newRow("Herbst") << "Herbst.txt" << 21 * 60 - 5 << 27 * 60 + 5;
    QTest::newRow("Winter") << "Winter.txt" << 3 * 60 - 5 << 9 * 60 + 5;
}

void TestDeliveredData::objectListLinesHaveFourValidFields()
{
    QFETCH(QString, fileName);
    QFETCH(int, firstMinute);
    QFETCH(int, endMinute);

    static const QRegularExpression name(QStringLiteral("^M ([1-9][0-9]{0,2})$"));
    static const QRegularExpression rightAscension(
        QStringLiteral("^([0-9]{2}):([0-9]{2}):([0-9]{2})$"));
    static const QRegularExpression declination(QStringLiteral("^([+-])([0-9]{2}):([0-9]{2}):00$"));

    const QStringList lines = linesOf(readBytes(fileName));
    QVERIFY2(!lines.isEmpty(), qPrintable(fileName));
    int previousNumber = 0;
    for (qsizetype index = 0; index < lines.size(); ++index) {
        const QString where =
            QStringLiteral("%1 line %2: %3").arg(fileName).arg(index + 1).arg(lines[index]);
        const QStringList fields = lines[index].split(QLatin1Char(';'));
        QVERIFY2(fields.size() == 4, qPrintable(where));

        const QRegularExpressionMatch nameMatch = name.match(fields[0]);
        QVERIFY2(nameMatch.hasMatch(), qPrintable(where));
        const int number = nameMatch.captured(1).toInt();
        QVERIFY2(number <= 110 && number > previousNumber, qPrintable(where));
        previousNumber = number;

        QCOMPARE(fields[1].split(QLatin1Char(':')).size(), 3);
        const QRegularExpressionMatch ra = rightAscension.match(fields[1]);
        QVERIFY2(ra.hasMatch(), qPrintable(where));
        const int hours = ra.captured(1).toInt();
        const int minutes = ra.captured(2).toInt();
        QVERIFY2(hours < 24 && minutes < 60 && ra.captured(3).toInt() < 60, qPrintable(where));
        int minuteOfDay = hours * 60 + minutes;
        if (minuteOfDay < firstMinute)
            minuteOfDay += 24 * 60;
        QVERIFY2(minuteOfDay >= firstMinute && minuteOfDay < endMinute,
                 qPrintable(where + QStringLiteral(" lies outside its season")));

        QCOMPARE(fields[2].split(QLatin1Char(':')).size(), 3);
        const QRegularExpressionMatch dec = declination.match(fields[2]);
        QVERIFY2(dec.hasMatch(), qPrintable(where));
        const int degrees = dec.captured(2).toInt();
        const int arcMinutes = dec.captured(3).toInt();
        QVERIFY2(arcMinutes < 60 && degrees * 60 + arcMinutes <= 90 * 60, qPrintable(where));

        QVERIFY2(!fields[3].trimmed().isEmpty(), qPrintable(where));
    }
}

void TestDeliveredData::listsHoldEveryMessierObjectOnce()
{
    QSet<int> numbers;
    int lineCount = 0;
    for (const char *fileName : {"Fruehling.txt", "Sommer.txt", "Herbst.txt", "Winter.txt"}) {
        for (const QString &line : linesOf(readBytes(QString::fromLatin1(fileName)))) {
            ++lineCount;
            const QString objectName = line.section(QLatin1Char(';'), 0, 0);
            QVERIFY2(objectName.startsWith(QStringLiteral("M ")), qPrintable(line));
            numbers.insert(objectName.mid(2).toInt());
        }
    }
    QCOMPARE(lineCount, 110);
    QCOMPARE(numbers.size(), 110);
    for (int number = 1; number <= 110; ++number)
        QVERIFY2(numbers.contains(number), qPrintable(QStringLiteral("M %1 missing").arg(number)));
}

void TestDeliveredData::siteLinesBeginWithALongitude()
{
    // Longitude in decimal degrees with a point and at least two decimals, a
    // blank, the site's name without ";", then ";" and the latitude to 0.01 degree,
    // which the site choice ignores and the plan reads.
    static const QRegularExpression site(
        QStringLiteral("^(-?[0-9]{1,3}\\.[0-9]{2,}) ([^ ;][^;]*[^ ;]);(-?[0-9]{1,2}\\.[0-9]{2})$"));
    const QStringList lines = linesOf(readBytes(QStringLiteral("standort.txt")));
    QVERIFY(lines.size() >= 10);
    for (const QString &line : lines) {
        const QRegularExpressionMatch match = site.match(line);
        QVERIFY2(match.hasMatch(), qPrintable(line));
        const double longitude = match.captured(1).toDouble();
        QVERIFY2(longitude >= -180.0 && longitude <= 180.0, qPrintable(line));
        const double latitude = match.captured(3).toDouble();
        QVERIFY2(latitude >= -90.0 && latitude <= 90.0, qPrintable(line));
    }
}

QTEST_APPLESS_MAIN(TestDeliveredData)
#include "tst_delivereddata.moc"
