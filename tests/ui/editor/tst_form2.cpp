// SPDX-License-Identifier: GPL-3.0-or-later
// The object list editor on the real main window: what a save writes, where it writes it, and
// that no typed text and no former file is ever lost.
#include "support/fakeservices.h"
#include "support/mainwindow.h"
#include "support/scratchfolder.h"

#include "support/pixels.h"
#include "ui/editor/form2.h"
#include "ui/mainwindow/form1.h"
#include "ui/shared/application.h"
#include "ui/shared/nightvision.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>

#include <cerrno>
#include <memory>

namespace {

const QByteArray LIST_INDEX("Sommer\r\nWinter\r\n");
const QByteArray SITES("13.40 Berlin\r\n");
const QByteArray SOMMER("M 13;16:42:38;36:25:02;Kugelsternhaufen im Herkules\r\n"
                        "M 57;18:54:21;33:03:40;Ringnebel in der Leier\r\n");
const QByteArray WINTER("M 42;05:36:24;-05:22:14;Orionnebel\r\n");
const QString NEW_RECORD = QStringLiteral("M 1;05:35:50;22:01:00;Krebsnebel");

/// A data folder with two lists, Sommer and Winter, and one site.
struct ListFolder
{
    explicit ListFolder(const QByteArray &sommer)
        : written(folder.write(QStringLiteral("liste.txt"), LIST_INDEX) &&
                  folder.write(QStringLiteral("standort.txt"), SITES) &&
                  folder.write(QStringLiteral("Sommer.txt"), sommer) &&
                  folder.write(QStringLiteral("Winter.txt"), WINTER))
    {
    }

    ScratchFolder folder;
    bool written;
};

/// A main window on the two lists; setUp shows it.
struct EditorFixture : ListFolder, TestMainWindow
{
    explicit EditorFixture(const QByteArray &sommer = SOMMER)
        : ListFolder(sommer), TestMainWindow(folder.path())
    {
    }

    bool setUp()
    {
        if (!written)
            return false;
        window->show();
        if (!QTest::qWaitForWindowActive(window.get()))
            return false;
        fakes.messages.shown.clear();
        return true;
    }

    ~EditorFixture()
    {
        if (window)
            delete window->editorWindow();
    }

    /// Presses "Edit" and returns the editor, or null when none opened.
    Form2 *edit()
    {
        window->Command3_Click();
        return window->editorWindow();
    }

    /// Lets the editor's deferred deletion happen; true when it is gone.
    bool editorGone(const QPointer<Form2> &editor)
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return editor.isNull();
    }
};

/// Types text into the field key by key, a line break as Return.
void typeText(QPlainTextEdit *field, const QString &text)
{
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            QTest::keyClick(field, Qt::Key_Return);
        QTest::keyClicks(field, lines[i]);
    }
}

void appendText(Form2 *editor, const QString &text)
{
    controlsOf(*editor).Text1->moveCursor(QTextCursor::End);
    controlsOf(*editor).Text1->insertPlainText(text);
}

} // namespace

class TestForm2 : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void editorAsDesigned();
    void roundTrips_data();
    void roundTrips();
    void okReloadsTheChosenListsObjects();
    void saveGoesToTheListTheEditorWasOpenedFor();
    void activationAfterOkShowsTheFirstList();
    void editTwiceReloadsTheOneEditor();
    void closeBoxLeavesTheFileUntouched();
    void missingFileOpensAnEmptyEditor();
    void editRefused_data();
    void editRefused();
    void failedSaveKeepsEditorAndFormerFile_data();
    void failedSaveKeepsEditorAndFormerFile();
    void closeBoxAsksOnlyForChangedText_data();
    void closeBoxAsksOnlyForChangedText();
    void secondCopySavedMeanwhile_data();
    void secondCopySavedMeanwhile();
    void overLongRecordIsSkippedAndNotEdited();
    void okAfterTheMainWindowIsGone_data();
    void okAfterTheMainWindowIsGone();
    void saveKeysDoWhatOkDoes_data();
    void saveKeysDoWhatOkDoes();
    void escapeDoesWhatTheCloseBoxDoes_data();
    void escapeDoesWhatTheCloseBoxDoes();
    void ctrlTabLeavesTheTextTabStaysInIt();
    void linesTheChoiceWouldRefuseAreMarked_data();
    void linesTheChoiceWouldRefuseAreMarked();
    void marksAreNightColouredAtNight();
    void okAsksOnceBeforeSavingSuchLines_data();
    void okAsksOnceBeforeSavingSuchLines();
    void editorOpensWhollyOnTheScreen();
};

void TestForm2::initTestCase()
{
    configureApplication(*qApp);
}

void TestForm2::editorAsDesigned()
{
    EditorFixture fixture;
    QVERIFY(fixture.setUp());
    Form2 *editor = fixture.edit();
    QVERIFY(editor);

    QCOMPARE(editor->windowTitle(), QStringLiteral("Sommer.txt"));
    QCOMPARE(controlsOf(*editor).Label1->text(),
             QStringLiteral("Objekt;Rektaszension(h:m:s);Deklination(grad:min:sek);Info"));
    QVERIFY(controlsOf(*editor).Label1->font().bold());
    QCOMPARE(controlsOf(*editor).Command1->text(), QStringLiteral("OK"));
    QCOMPARE(controlsOf(*editor).Text1->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QVERIFY(!controlsOf(*editor).Text1->isReadOnly());

    // Design twips divided by 15 by hand; the controls keep them when the window is resized.
    QCOMPARE(editor->size(), QSize(452, 329));
    editor->resize(700, 500);
    QCOMPARE(controlsOf(*editor).Label1->geometry(), QRect(0, 0, 385, 25));
    QCOMPARE(controlsOf(*editor).Text1->geometry(), QRect(0, 24, 449, 273));
    QCOMPARE(controlsOf(*editor).Command1->geometry(), QRect(376, 304, 73, 17));
}

void TestForm2::roundTrips_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("typed"); // appended at the end of the text before "OK"
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("unchanged: one CR LF more, every record as before")
        << SOMMER << QString() << SOMMER + "\r\n";
    QTest::newRow("text without a final line break gets one")
        << QByteArray("M 1;05:35:50;22:01:00;Krebsnebel") << QString()
        << QByteArray("M 1;05:35:50;22:01:00;Krebsnebel\r\n");
    QTest::newRow("typed record without a final line break")
        << SOMMER << NEW_RECORD << SOMMER + NEW_RECORD.toLatin1() + "\r\n";
    QTest::newRow("Windows-1252 umlauts stay single bytes")
        << QByteArray("M 13;1:2:3;4:5:6;sch\xf6n\r\n") << QStringLiteral("ü")
        << QByteArray("M 13;1:2:3;4:5:6;sch\xf6n\r\n\xfc\r\n");
    QTest::newRow("UTF-8 umlauts stay UTF-8")
        << QByteArray("M 13;1:2:3;4:5:6;sch\xc3\xb6n\r\n") << QStringLiteral("ü")
        << QByteArray("M 13;1:2:3;4:5:6;sch\xc3\xb6n\r\n\xc3\xbc\r\n");
    QTest::newRow("UTF-8 keeps its byte order mark")
        << QByteArray("\xef\xbb\xbfM 13;1:2:3;4:5:6;sch\xc3\xb6n\r\n") << QString()
        << QByteArray("\xef\xbb\xbfM 13;1:2:3;4:5:6;sch\xc3\xb6n\r\n\r\n");
    QTest::newRow("a character outside Windows-1252 makes the file UTF-8")
        << QByteArray("M 13;1:2:3;4:5:6;sch\xf6n\r\n") << QStringLiteral("M 1;1:2:3;4:5:6;→")
        << QByteArray("M 13;1:2:3;4:5:6;sch\xc3\xb6n\r\nM 1;1:2:3;4:5:6;\xe2\x86\x92\r\n");
    QTest::newRow("euro sign and non-breaking space survive")
        << QByteArray("M 13;1:2:3;4:5:6;\x80\xa0\r\n") << QString()
        << QByteArray("M 13;1:2:3;4:5:6;\x80\xa0\r\n\r\n");
    QTest::newRow("LF line ends become CR LF")
        << QByteArray("A;1:2:3;4:5:6;x\nB;1:2:3;4:5:6;y\n") << QString()
        << QByteArray("A;1:2:3;4:5:6;x\r\nB;1:2:3;4:5:6;y\r\n\r\n");
    QTest::newRow("lone CR line ends become CR LF, never CR CR LF")
        << QByteArray("A;1:2:3;4:5:6;x\rB;1:2:3;4:5:6;y\r") << QString()
        << QByteArray("A;1:2:3;4:5:6;x\r\nB;1:2:3;4:5:6;y\r\n\r\n");
    QTest::newRow("CR LF kept without doubling")
        << QByteArray("A;1:2:3;4:5:6;x\r\n\r\nB;1:2:3;4:5:6;y\r\n") << QStringLiteral("\n")
        << QByteArray("A;1:2:3;4:5:6;x\r\n\r\nB;1:2:3;4:5:6;y\r\n\r\n\r\n");
}

void TestForm2::roundTrips()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, typed);
    QFETCH(QByteArray, after);

    EditorFixture fixture(before);
    QVERIFY(fixture.setUp());
    QPointer<Form2> editor = fixture.edit();
    QVERIFY(editor);
    appendText(editor, typed);
    fixture.fakes.messages.shown.clear();
    controlsOf(*editor).Command1->click();

    QCOMPARE(fixture.folder.read(QStringLiteral("Sommer.txt")), after);
    QVERIFY(fixture.fakes.messages.shown.isEmpty());
    QVERIFY(fixture.editorGone(editor));
}

void TestForm2::okReloadsTheChosenListsObjects()
{
    EditorFixture fixture;
    QVERIFY(fixture.setUp());
    const QString fieldsBefore = controlsOf(*fixture.window).Text2->text();
    QPointer<Form2> editor = fixture.edit();
    controlsOf(*editor).Text1->setPlainText(QStringLiteral("M 8;18:05:03;-24:22:49;Lagunennebel\r\n"
                                                           "M 20;18:03;-22:58:18;Trifidnebel"));
    controlsOf(*editor).Command1->click();
    QVERIFY(fixture.editorGone(editor));

    // The saved names are listed, none is chosen, and the fields keep their texts.
    Form1 &window = *fixture.window;
    QCOMPARE(entries(controlsOf(window).Combo2), (QStringList{"M 8", "M 20"}));
    QCOMPARE(controlsOf(window).Combo2->currentIndex(), -1);
    QCOMPARE(controlsOf(window).Combo2->currentText(), QString());
    QCOMPARE(controlsOf(window).Text2->text(), fieldsBefore);

    // The malformed record gives its message when it is chosen.
    QTest::keyClick(controlsOf(window).Combo2, Qt::Key_Down);
    QTest::keyClick(controlsOf(window).Combo2, Qt::Key_Down);
    QCOMPARE(controlsOf(window).Combo2->currentText(), QStringLiteral("M 20"));
    QCOMPARE(fixture.fakes.messages.shown,
             QStringList{QStringLiteral("für M 20 Rektaszension überprüfen!!!")});
    QCOMPARE(controlsOf(window).Text1->text(), QString());
}

void TestForm2::saveGoesToTheListTheEditorWasOpenedFor()
{
    EditorFixture fixture;
    QVERIFY(fixture.setUp());
    Form1 &window = *fixture.window;
    QTest::keyClick(controlsOf(window).Combo3, Qt::Key_Down);
    QPointer<Form2> editor = fixture.edit();
    QCOMPARE(editor->windowTitle(), QStringLiteral("Winter.txt"));

    // Back in the main window, the first list is chosen again before "OK".
    QTest::keyClick(controlsOf(window).Combo3, Qt::Key_Up);
    QCOMPARE(controlsOf(window).Combo3->currentText(), QStringLiteral("Sommer"));
    controlsOf(*editor).Text1->setPlainText(NEW_RECORD);
    controlsOf(*editor).Command1->click();

    QCOMPARE(fixture.folder.read(QStringLiteral("Winter.txt")), NEW_RECORD.toLatin1() + "\r\n");
    QCOMPARE(fixture.folder.read(QStringLiteral("Sommer.txt")), SOMMER);
    // Sommer's objects stay listed: Winter is not the chosen list.
    QCOMPARE(entries(controlsOf(window).Combo2), (QStringList{"M 13", "M 57"}));
    QCOMPARE(controlsOf(window).Combo2->currentText(), QStringLiteral("M 13"));
}

void TestForm2::activationAfterOkShowsTheFirstList()
{
    EditorFixture fixture;
    QVERIFY(fixture.setUp());
    Form1 &window = *fixture.window;
    QTest::keyClick(controlsOf(window).Combo3, Qt::Key_Down);
    QPointer<Form2> editor = fixture.edit();
    QVERIFY(QTest::qWaitForWindowActive(editor));
    controlsOf(*editor).Text1->setPlainText(NEW_RECORD);
    controlsOf(*editor).Command1->click();
    QCOMPARE(entries(controlsOf(window).Combo2), QStringList{"M 1"});

    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QCOMPARE(controlsOf(window).Combo3->currentText(), QStringLiteral("Sommer"));
    QCOMPARE(controlsOf(window).Combo2->currentText(), QStringLiteral("M 13"));
    QCOMPARE(controlsOf(window).Text1->text(), QStringLiteral("16"));
}

void TestForm2::editTwiceReloadsTheOneEditor()
{
    EditorFixture fixture;
    QVERIFY(fixture.setUp());
    QPointer<Form2> first = fixture.edit();
    appendText(first, QStringLiteral("ungespeichert"));

    QTest::keyClick(controlsOf(*fixture.window).Combo3, Qt::Key_Down);
    QPointer<Form2> second = fixture.edit();
    QCOMPARE(second.data(), first.data());
    QCOMPARE(second->windowTitle(), QStringLiteral("Winter.txt"));
    QCOMPARE(controlsOf(*second).Text1->toPlainText(),
             QString::fromLatin1(WINTER).replace("\r\n", "\n"));

    controlsOf(*second).Command1->click();
    QCOMPARE(fixture.folder.read(QStringLiteral("Winter.txt")), WINTER + "\r\n");
    QCOMPARE(fixture.folder.read(QStringLiteral("Sommer.txt")), SOMMER);
}

void TestForm2::closeBoxLeavesTheFileUntouched()
{
    const QByteArray lfOnly("M 13;16:42:38;36:25:02;sch\xc3\xb6n\n");
    EditorFixture fixture(lfOnly);
    QVERIFY(fixture.setUp());
    QPointer<Form2> editor = fixture.edit();
    appendText(editor, NEW_RECORD);
    editor->close();

    QVERIFY(fixture.editorGone(editor));
    QCOMPARE(fixture.folder.read(QStringLiteral("Sommer.txt")), lfOnly);
    QCOMPARE(entries(controlsOf(*fixture.window).Combo2), QStringList{"M 13"});
}

void TestForm2::missingFileOpensAnEmptyEditor()
{
    EditorFixture fixture;
    QVERIFY(fixture.setUp());
    controlsOf(*fixture.window).Combo3->setEditText(QStringLiteral("Neu"));
    QPointer<Form2> editor = fixture.edit();
    QVERIFY(editor);
    QCOMPARE(editor->windowTitle(), QStringLiteral("Neu.txt"));
    QCOMPARE(controlsOf(*editor).Text1->toPlainText(), QString());
    QVERIFY(fixture.fakes.messages.shown.isEmpty());

    controlsOf(*editor).Text1->setPlainText(NEW_RECORD);
    controlsOf(*editor).Command1->click();
    QCOMPARE(fixture.folder.read(QStringLiteral("Neu.txt")), NEW_RECORD.toLatin1() + "\r\n");
    QCOMPARE(entries(controlsOf(*fixture.window).Combo2), QStringList{"M 1"});
}

void TestForm2::editRefused_data()
{
    QTest::addColumn<QString>("listName");
    QTest::addColumn<QString>("onDisk"); // "folder", "large", "link" (to Sommer.txt outside)
    QTest::addColumn<QString>("message");

    QTest::newRow("name reaching out of the program folder")
        << QStringLiteral("../Sommer") << QString()
        << QStringLiteral(
               "Listenname ../Sommer nicht erlaubt (kein / oder \\, nicht . oder ..)!!!");
    QTest::newRow("list file that cannot be read")
        << QStringLiteral("Herbst") << QStringLiteral("folder")
        << QStringLiteral("Datei Herbst.txt im Ordner %1 nicht lesbar!!!");
    QTest::newRow("list file over 1 MiB")
        << QStringLiteral("Herbst") << QStringLiteral("large")
        << QStringLiteral("Datei Herbst.txt im Ordner %1 ist größer als 1 MiB und wird nicht "
                          "gelesen!!!");
    QTest::newRow("list file linked to a file outside the data folder")
        << QStringLiteral("Herbst") << QStringLiteral("link")
        << QStringLiteral("Datei Herbst.txt im Ordner %1 verweist auf %2 außerhalb des "
                          "Datenordners und wird weder gelesen noch gespeichert!!!");
}

void TestForm2::editRefused()
{
    QFETCH(QString, listName);
    QFETCH(QString, onDisk);
    QFETCH(QString, message);

    EditorFixture fixture;
    QVERIFY(fixture.setUp());
    const QString path = fixture.folder.filePath(listName + QStringLiteral(".txt"));
    QTemporaryDir elsewhere;
    const QString outside = elsewhere.filePath(QStringLiteral("Sommer.txt"));
    if (onDisk == QLatin1String("folder"))
        QVERIFY(QDir(fixture.folder.path()).mkdir(listName + QStringLiteral(".txt")));
    else if (onDisk == QLatin1String("large"))
        QVERIFY(fixture.folder.write(listName + QStringLiteral(".txt"),
                                     SOMMER.repeated(1024 * 1024 / SOMMER.size() + 1)));
    else if (onDisk == QLatin1String("link"))
        QVERIFY(QFile::copy(fixture.folder.filePath(QStringLiteral("Sommer.txt")), outside) &&
                QFile::link(outside, path));
    controlsOf(*fixture.window).Combo3->setEditText(listName);

    QVERIFY(!fixture.edit());
    QCOMPARE(fixture.fakes.messages.shown,
             QStringList{message.arg(fixture.folder.shownPath(), outside)});
    if (onDisk == QLatin1String("link")) {
        QFile target(outside);
        QVERIFY(target.open(QIODevice::ReadOnly));
        QCOMPARE(target.readAll(), SOMMER);
    }
}

void TestForm2::failedSaveKeepsEditorAndFormerFile_data()
{
    QTest::addColumn<bool>("breaksOffHalfway"); // otherwise a folder replaces the file
    QTest::addColumn<int>("systemError");       // errno left by the write that breaks off
    QTest::addColumn<QString>("reason");
    QTest::newRow("write breaks off halfway on a full disk")
        << true << ENOSPC << QStringLiteral("Datenträger voll");
    QTest::newRow("write breaks off halfway with an input/output error")
        << true << EIO << QStringLiteral("Ein-/Ausgabefehler des Datenträgers");
    QTest::newRow("write breaks off halfway, the system gives no reason")
        << true << 0 << QStringLiteral("Schreibfehler");
    QTest::newRow("a folder stands where the file was")
        << false << 0 << QStringLiteral("an Stelle der Datei steht ein Ordner");
}

void TestForm2::failedSaveKeepsEditorAndFormerFile()
{
    QFETCH(bool, breaksOffHalfway);
    QFETCH(int, systemError);
    QFETCH(QString, reason);

    EditorFixture fixture;
    QVERIFY(fixture.setUp());
    QPointer<Form2> editor = fixture.edit();
    appendText(editor, NEW_RECORD);
    const QString typed = controlsOf(*editor).Text1->toPlainText();
    if (breaksOffHalfway) {
        fixture.fakes.savesBreakOff = true;
        fixture.fakes.saveErrorNumber = systemError;
    } else {
        QVERIFY(QFile::remove(fixture.folder.filePath(QStringLiteral("Sommer.txt"))));
        QVERIFY(QDir(fixture.folder.path()).mkdir(QStringLiteral("Sommer.txt")));
    }
    const QStringList filesBefore = QDir(fixture.folder.path()).entryList(QDir::AllEntries);

    controlsOf(*editor).Command1->click();

    QCOMPARE(fixture.fakes.messages.shown,
             QStringList{QStringLiteral("Datei Sommer.txt im Ordner %1 konnte nicht gespeichert "
                                        "werden (%2)!!! Die Datei ist unverändert.")
                             .arg(fixture.folder.shownPath(), reason)});
    QVERIFY(!fixture.editorGone(editor));
    QVERIFY(editor->isVisible());
    QCOMPARE(controlsOf(*editor).Text1->toPlainText(), typed);
    // No temporary file is left behind, and the former file is whole.
    QCOMPARE(QDir(fixture.folder.path()).entryList(QDir::AllEntries), filesBefore);
    if (breaksOffHalfway)
        QCOMPARE(fixture.folder.read(QStringLiteral("Sommer.txt")), SOMMER);

    // Once the cause is gone, the same text is saved.
    fixture.fakes.savesBreakOff = false;
    if (!breaksOffHalfway)
        QVERIFY(QDir(fixture.folder.path()).rmdir(QStringLiteral("Sommer.txt")));
    controlsOf(*editor).Command1->click();
    QVERIFY(fixture.editorGone(editor));
    QCOMPARE(fixture.folder.read(QStringLiteral("Sommer.txt")),
             SOMMER + NEW_RECORD.toLatin1() + "\r\n");
}

void TestForm2::closeBoxAsksOnlyForChangedText_data()
{
    QTest::addColumn<QString>("typed"); // appended; "\b" removes the last character again
    QTest::addColumn<bool>("answer");   // to "Änderungen verwerfen?"
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("closed");

    QTest::newRow("unchanged text closes at once") << QString() << false << false << true;
    QTest::newRow("a character typed and removed again closes at once")
        << QStringLiteral("x\b") << false << false << true;
    QTest::newRow("changed text, Ja discards it") << NEW_RECORD << true << true << true;
    QTest::newRow("changed text, Nein returns to the editor")
        << NEW_RECORD << false << true << false;
}

void TestForm2::closeBoxAsksOnlyForChangedText()
{
    QFETCH(QString, typed);
    QFETCH(bool, answer);
    QFETCH(bool, asked);
    QFETCH(bool, closed);

    EditorFixture fixture;
    QVERIFY(fixture.setUp());
    QPointer<Form2> editor = fixture.edit();
    QVERIFY(QTest::qWaitForWindowActive(editor));
    controlsOf(*editor).Text1->setFocus();
    controlsOf(*editor).Text1->moveCursor(QTextCursor::End);
    for (const QChar character : typed) {
        if (character == QLatin1Char('\b'))
            QTest::keyClick(controlsOf(*editor).Text1, Qt::Key_Backspace);
        else
            QTest::keyClicks(controlsOf(*editor).Text1, QString(character));
    }
    const QString text = controlsOf(*editor).Text1->toPlainText();
    fixture.fakes.messages.answer = answer;

    // What the close box and Alt+F4 do.
    editor->close();

    QCOMPARE(fixture.fakes.messages.asked,
             asked ? QStringList{QStringLiteral("Änderungen verwerfen?")} : QStringList());
    QCOMPARE(fixture.editorGone(editor), closed);
    if (!closed) {
        QVERIFY(editor->isVisible());
        QCOMPARE(controlsOf(*editor).Text1->toPlainText(), text);
    }
    QCOMPARE(fixture.folder.read(QStringLiteral("Sommer.txt")), SOMMER);
}

void TestForm2::secondCopySavedMeanwhile_data()
{
    QTest::addColumn<bool>("overwrite"); // the answer to the question
    QTest::newRow("Ja: the editor's text replaces the other version") << true;
    QTest::newRow("Nein: the other version stays, the typed text too") << false;
}

void TestForm2::secondCopySavedMeanwhile()
{
    QFETCH(bool, overwrite);

    // Two copies of the program on one data folder, both editing Sommer.
    EditorFixture fixture;
    QVERIFY(fixture.setUp());
    TestMainWindow otherFixture(fixture.folder.path());
    Form1 &otherCopy = *otherFixture.window;
    otherCopy.Command3_Click();
    QPointer<Form2> otherEditor = otherCopy.editorWindow();
    QPointer<Form2> editor = fixture.edit();
    QVERIFY(otherEditor && editor);

    appendText(otherEditor, QStringLiteral("M 92;17:17:07;43:08:09;anderes Programm"));
    controlsOf(*otherEditor).Command1->click();
    QVERIFY(fixture.editorGone(otherEditor));
    const QByteArray otherVersion = fixture.folder.read(QStringLiteral("Sommer.txt"));
    QVERIFY(otherVersion.contains("M 92"));

    appendText(editor, NEW_RECORD);
    const QString typed = controlsOf(*editor).Text1->toPlainText();
    fixture.fakes.messages.answer = overwrite;
    controlsOf(*editor).Command1->click();

    QCOMPARE(fixture.fakes.messages.asked.size(), 1);
    QVERIFY2(fixture.fakes.messages.asked.constFirst().startsWith(
                 QStringLiteral("Datei Sommer.txt im Ordner %1 wurde geändert")
                     .arg(fixture.folder.shownPath())),
             qPrintable(fixture.fakes.messages.asked.constFirst()));
    QVERIFY(fixture.fakes.messages.shown.isEmpty());
    if (overwrite) {
        QCOMPARE(fixture.folder.read(QStringLiteral("Sommer.txt")),
                 SOMMER + NEW_RECORD.toLatin1() + "\r\n");
        QVERIFY(fixture.editorGone(editor));
    } else {
        QCOMPARE(fixture.folder.read(QStringLiteral("Sommer.txt")), otherVersion);
        QVERIFY(!fixture.editorGone(editor));
        QCOMPARE(controlsOf(*editor).Text1->toPlainText(), typed);
    }
}

void TestForm2::overLongRecordIsSkippedAndNotEdited()
{
    // An info field of one unbroken word: laid out in the main window, it froze the window.
    const QByteArray hostile = "M 1;05:34:32;22:00:52;" + QByteArray(1000 * 1000, 'x') + "\r\n";
    EditorFixture fixture(hostile + SOMMER);
    QVERIFY(fixture.setUp());
    Form1 &window = *fixture.window;
    window.activateWindow();
    QTest::keyClick(controlsOf(window).Combo3, Qt::Key_Down);
    QTest::keyClick(controlsOf(window).Combo3, Qt::Key_Up);

    const QString message = QStringLiteral("Datei Sommer.txt im Ordner %1: Zeile 1 ist länger als "
                                           "4096 Zeichen und wird übersprungen!!!")
                                .arg(fixture.folder.shownPath());
    QCOMPARE(fixture.fakes.messages.shown, QStringList{message});
    QCOMPARE(entries(controlsOf(window).Combo2), (QStringList{"M 13", "M 57"}));
    QCOMPARE(controlsOf(window).Text1->text(), QStringLiteral("16"));

    // The editor would have to drop the line, and a save would lose it.
    fixture.fakes.messages.shown.clear();
    QVERIFY(!fixture.edit());
    QCOMPARE(fixture.fakes.messages.shown,
             QStringList{QStringLiteral("Datei Sommer.txt im Ordner %1: Zeile 1 ist länger als "
                                        "4096 Zeichen; die Datei lässt sich nur mit einem anderen "
                                        "Texteditor bearbeiten!!!")
                             .arg(fixture.folder.shownPath())});
    QCOMPARE(fixture.folder.read(QStringLiteral("Sommer.txt")), hostile + SOMMER);
}

void TestForm2::okAfterTheMainWindowIsGone_data()
{
    QTest::addColumn<bool>("destroyed"); // otherwise only closed by "Ende"
    QTest::newRow("main window closed") << false;
    QTest::newRow("main window destroyed") << true;
}

void TestForm2::okAfterTheMainWindowIsGone()
{
    QFETCH(bool, destroyed);

    EditorFixture fixture;
    QVERIFY(fixture.setUp());
    QPointer<Form2> editor = fixture.edit();
    fixture.window->Command4_Click();
    QVERIFY(!fixture.window->isVisible());
    if (destroyed)
        fixture.window.reset();

    controlsOf(*editor).Text1->setPlainText(NEW_RECORD);
    controlsOf(*editor).Command1->click();
    QCoreApplication::processEvents();

    QCOMPARE(fixture.folder.read(QStringLiteral("Sommer.txt")), NEW_RECORD.toLatin1() + "\r\n");
    QVERIFY(fixture.editorGone(editor));
    QVERIFY(fixture.fakes.messages.shown.isEmpty());
    if (!destroyed) {
        QVERIFY(!fixture.window->isVisible());
        QCOMPARE(entries(controlsOf(*fixture.window).Combo2), (QStringList{"M 13", "M 57"}));
    }
}

void TestForm2::saveKeysDoWhatOkDoes_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("Ctrl+S") << int(Qt::Key_S) << int(Qt::ControlModifier);
    QTest::newRow("Ctrl+Return") << int(Qt::Key_Return) << int(Qt::ControlModifier);
    QTest::newRow("Ctrl+Enter on the keypad")
        << int(Qt::Key_Enter) << int(Qt::ControlModifier | Qt::KeypadModifier);
    // Return alone is a line break in the text; on the focused "OK" it presses it.
    QTest::newRow("Return on OK") << int(Qt::Key_Return) << int(Qt::NoModifier);
}

void TestForm2::saveKeysDoWhatOkDoes()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    EditorFixture fixture;
    QVERIFY(fixture.setUp());
    QPointer<Form2> editor = fixture.edit();
    QVERIFY(QTest::qWaitForWindowActive(editor));
    QPlainTextEdit *text = controlsOf(*editor).Text1;
    text->setFocus();
    text->moveCursor(QTextCursor::End);
    QTest::keyClicks(text, NEW_RECORD);
    QWidget *receiver = text;
    if (modifiers == Qt::NoModifier) {
        QTest::keyClick(text, Qt::Key_Tab, Qt::ControlModifier);
        receiver = controlsOf(*editor).Command1;
        QTRY_VERIFY(receiver->hasFocus());
    }

    QTest::keyClick(receiver, Qt::Key(key), Qt::KeyboardModifiers(modifiers));

    QCOMPARE(fixture.folder.read(QStringLiteral("Sommer.txt")),
             SOMMER + NEW_RECORD.toLatin1() + "\r\n");
    QVERIFY(fixture.editorGone(editor));
    QVERIFY(fixture.fakes.messages.asked.isEmpty());
    QCOMPARE(entries(controlsOf(*fixture.window).Combo2), (QStringList{"M 13", "M 57", "M 1"}));
}

void TestForm2::escapeDoesWhatTheCloseBoxDoes_data()
{
    QTest::addColumn<bool>("changed");
    QTest::addColumn<bool>("answer"); // to "Änderungen verwerfen?"
    QTest::addColumn<bool>("closed");
    QTest::newRow("unchanged: closes without a question") << false << false << true;
    QTest::newRow("changed, Ja: discards") << true << true << true;
    QTest::newRow("changed, Nein: stays with the text") << true << false << false;
}

void TestForm2::escapeDoesWhatTheCloseBoxDoes()
{
    QFETCH(bool, changed);
    QFETCH(bool, answer);
    QFETCH(bool, closed);
    EditorFixture fixture;
    QVERIFY(fixture.setUp());
    QPointer<Form2> editor = fixture.edit();
    QVERIFY(QTest::qWaitForWindowActive(editor));
    QPlainTextEdit *text = controlsOf(*editor).Text1;
    text->setFocus();
    if (changed)
        QTest::keyClicks(text, QStringLiteral("x"));
    fixture.fakes.messages.answer = answer;

    QTest::keyClick(text, Qt::Key_Escape);

    QCOMPARE(fixture.fakes.messages.asked,
             changed ? QStringList{QStringLiteral("Änderungen verwerfen?")} : QStringList());
    QCOMPARE(fixture.editorGone(editor), closed);
    QCOMPARE(fixture.folder.read(QStringLiteral("Sommer.txt")), SOMMER);
}

void TestForm2::ctrlTabLeavesTheTextTabStaysInIt()
{
    EditorFixture fixture;
    QVERIFY(fixture.setUp());
    QPointer<Form2> editor = fixture.edit();
    QVERIFY(QTest::qWaitForWindowActive(editor));
    QPlainTextEdit *text = controlsOf(*editor).Text1;
    text->setFocus();
    text->moveCursor(QTextCursor::End);

    QTest::keyClick(text, Qt::Key_Tab);
    QVERIFY(text->hasFocus());
    QVERIFY(text->toPlainText().endsWith(QLatin1Char('\t')));
    const QString typed = text->toPlainText();

    QTest::keyClick(text, Qt::Key_Tab, Qt::ControlModifier);
    QTRY_VERIFY(controlsOf(*editor).Command1->hasFocus());
    text->setFocus();
    QTest::keyClick(text, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    QTRY_VERIFY(!text->hasFocus());
    QCOMPARE(text->toPlainText(), typed);
}

void TestForm2::linesTheChoiceWouldRefuseAreMarked_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("marked"); // line numbers, from 1
    QTest::addColumn<QString>("status");

    QTest::newRow("sound list: no marks, no status")
        << QStringLiteral("M 13;16:42:38;36:25:02;Herkules\nM 57;18:54:21;33:03:40;")
        << QList<int>{} << QString();
    QTest::newRow("a word alone: fewer than three fields")
        << QStringLiteral("M 13;16:42:38;36:25:02;Herkules\nfoo") << QList<int>{2}
        << QStringLiteral(
               "Zeile 2: weniger als drei Felder (Objekt;Rektaszension;Deklination;Info)");
    QTest::newRow("right ascension with two parts")
        << QStringLiteral("M 20;18:03;-22:58:18;Trifidnebel") << QList<int>{1}
        << QStringLiteral("Zeile 1: Rektaszension nicht in der Form hh:mm:ss");
    QTest::newRow("declination with four parts, blank lines counted")
        << QStringLiteral("\n\nM 20;18:03:00;-22:58:18:1;x") << QList<int>{3}
        << QStringLiteral("Zeile 3: Deklination nicht in der Form grad:min:sek");
    QTest::newRow("empty name") << QStringLiteral(" ;18:03:00;-22:58:18;x") << QList<int>{1}
                                << QStringLiteral("Zeile 1: kein Objektname");
    QTest::newRow("several: the first named, the others counted")
        << QStringLiteral("a\nM 1;05:34:32;22:00:52;\nb;1:2\nc;1:2:3;4") << QList<int>{1, 3, 4}
        << QStringLiteral("Zeile 1: weniger als drei Felder "
                          "(Objekt;Rektaszension;Deklination;Info) (und 2 weitere Zeilen)");
    QTest::newRow("a name twice: a quiet note, no mark")
        << QStringLiteral("M 13;16:42:38;36:25:02;a\nM 57;18:54:21;33:03:40;\n"
                          "M 13;16:42:38;36:25:02;b")
        << QList<int>{}
        << QStringLiteral("Hinweis: „M 13“ steht in den Zeilen 1, 3; gewählt wird die letzte.");
}

void TestForm2::linesTheChoiceWouldRefuseAreMarked()
{
    QFETCH(QString, text);
    QFETCH(QList<int>, marked);
    QFETCH(QString, status);
    EditorFixture fixture;
    QVERIFY(fixture.setUp());
    QPointer<Form2> editor = fixture.edit();
    QPlainTextEdit *field = controlsOf(*editor).Text1;
    field->clear();
    // Typed, as the observer does; the marks follow every keystroke.
    field->setFocus();
    typeText(field, text);
    QCOMPARE(field->toPlainText(), text);

    QList<int> markedLines;
    for (const QTextEdit::ExtraSelection &mark : field->extraSelections())
        markedLines.append(mark.cursor.block().blockNumber() + 1);
    QCOMPARE(markedLines, marked);
    QCOMPARE(editor->statusLine()->text(), status);
    QVERIFY(editor->statusLine()->isVisible());
    // The status line stays inside the window, left of "OK".
    QVERIFY(editor->statusLine()->geometry().right() <
            controlsOf(*editor).Command1->geometry().left());
}

void TestForm2::marksAreNightColouredAtNight()
{
    EditorFixture fixture;
    QVERIFY(fixture.setUp());
    QPointer<Form2> editor = fixture.edit();
    controlsOf(*editor).Text1->setPlainText(QStringLiteral("foo\nM 20;18:03;-22:58:18;x"));
    editor->showInNightColours(true);
    QVERIFY(QTest::qWaitForWindowExposed(editor));
    QCOMPARE(controlsOf(*editor).Text1->extraSelections().size(), 2);
    // The text cursor stands on a marked line; it blinks, so look several times.
    controlsOf(*editor).Text1->setFocus();
    controlsOf(*editor).Text1->moveCursor(QTextCursor::Start);
    QTRY_VERIFY(controlsOf(*editor).Text1->hasFocus());
    for (int look = 0; look < 8; ++look) {
        const QString light = firstLightPixel(editor->grab().toImage());
        QVERIFY2(light.isEmpty(), qPrintable(light));
        QTest::qWait(80);
    }
    // The marked line stands out from the black field.
    const QImage field = controlsOf(*editor).Text1->viewport()->grab().toImage();
    QVERIFY(showsColour(field, NightVision::warningLine));

    editor->showInNightColours(false);
    const QColor day =
        controlsOf(*editor).Text1->extraSelections().constFirst().format.background().color();
    QVERIFY(day != NightVision::warningLine);
}

void TestForm2::okAsksOnceBeforeSavingSuchLines_data()
{
    QTest::addColumn<bool>("answer");
    QTest::newRow("Ja: saved exactly as typed") << true;
    QTest::newRow("Nein: back to the text at the first such line") << false;
}

void TestForm2::okAsksOnceBeforeSavingSuchLines()
{
    QFETCH(bool, answer);
    EditorFixture fixture;
    QVERIFY(fixture.setUp());
    QPointer<Form2> editor = fixture.edit();
    QVERIFY(QTest::qWaitForWindowActive(editor));
    QPlainTextEdit *text = controlsOf(*editor).Text1;
    text->setFocus();
    text->moveCursor(QTextCursor::End);
    typeText(text, QStringLiteral("o\nM 20;18:03;-22:58:18;x"));
    const QString typed = text->toPlainText();
    fixture.fakes.messages.answer = answer;

    QTest::keyClick(text, Qt::Key_S, Qt::ControlModifier);

    QCOMPARE(fixture.fakes.messages.asked.size(), 1);
    QVERIFY2(fixture.fakes.messages.asked.constFirst().startsWith(
                 QStringLiteral("Zeile 3: weniger als drei Felder")),
             qPrintable(fixture.fakes.messages.asked.constFirst()));
    QVERIFY(fixture.fakes.messages.asked.constFirst().contains(
        QStringLiteral("(und 1 weitere Zeile)")));
    if (answer) {
        QVERIFY(fixture.editorGone(editor));
        QCOMPARE(fixture.folder.read(QStringLiteral("Sommer.txt")),
                 SOMMER + "o\r\nM 20;18:03;-22:58:18;x\r\n");
        return;
    }
    QVERIFY(!fixture.editorGone(editor));
    QCOMPARE(fixture.folder.read(QStringLiteral("Sommer.txt")), SOMMER);
    QCOMPARE(text->toPlainText(), typed);
    QVERIFY(text->hasFocus());
    QCOMPARE(text->textCursor().blockNumber(), 2);
}

void TestForm2::editorOpensWhollyOnTheScreen()
{
    EditorFixture fixture;
    QVERIFY(fixture.setUp());
    const QRect screen = fixture.window->screen()->availableGeometry();
    fixture.window->move(screen.right() - 50, screen.bottom() - 50);
    QPointer<Form2> editor = fixture.edit();
    QVERIFY(QTest::qWaitForWindowExposed(editor));
    QVERIFY2(screen.contains(editor->frameGeometry()),
             qPrintable(describe(editor->frameGeometry()) + QStringLiteral(" not within ") +
                        describe(screen)));
}

QTEST_MAIN(TestForm2)
#include "tst_form2.moc"
