// SPDX-License-Identifier: GPL-3.0-or-later
// The object list editor on the real main window: what a save writes, where it writes it, and
// that no typed text and no former file is ever lost.
#include "support/fakeservices.h"
#include "support/scratchfolder.h"

#include "ui/application.h"
#include "ui/form1.h"
#include "ui/form2.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <memory>

namespace {

const QByteArray LIST_INDEX("Sommer\r\nWinter\r\n");
const QByteArray SITES("13.40 Berlin\r\n");
const QByteArray SOMMER("M 13;16:42:38;36:25:02;Kugelsternhaufen im Herkules\r\n"
                        "M 57;18:54:21;33:03:40;Ringnebel in der Leier\r\n");
const QByteArray WINTER("M 42;05:36:24;-05:22:14;Orionnebel\r\n");
const QString NEW_RECORD = QStringLiteral("M 1;05:35:50;22:01:00;Krebsnebel");

QStringList entries(const QComboBox *combo)
{
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts.append(combo->itemText(i));
    return texts;
}

/// A shown main window on two lists, Sommer and Winter.
struct EditorFixture
{
    ScratchFolder folder;
    FakeServices fakes;
    std::unique_ptr<Form1> window;

    bool setUp(const QByteArray &sommer = SOMMER)
    {
        if (!folder.write(QStringLiteral("liste.txt"), LIST_INDEX) ||
            !folder.write(QStringLiteral("standort.txt"), SITES) ||
            !folder.write(QStringLiteral("Sommer.txt"), sommer) ||
            !folder.write(QStringLiteral("Winter.txt"), WINTER))
            return false;
        window = std::make_unique<Form1>(fakes.forFolder(folder.path()));
        window->show();
        if (!QTest::qWaitForWindowActive(window.get()))
            return false;
        fakes.messages.shown.clear();
        return true;
    }

    ~EditorFixture()
    {
        if (window)
            delete window->editorWindow;
    }

    /// Presses "Edit" and returns the editor, or null when none opened.
    Form2 *edit()
    {
        window->Command3_Click();
        return window->editorWindow;
    }

    /// Lets the editor's deferred deletion happen; true when it is gone.
    bool editorGone(const QPointer<Form2> &editor)
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return editor.isNull();
    }
};

void appendText(Form2 *editor, const QString &text)
{
    editor->Text1->moveCursor(QTextCursor::End);
    editor->Text1->insertPlainText(text);
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
    void okAfterTheMainWindowIsGone_data();
    void okAfterTheMainWindowIsGone();
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
    QCOMPARE(editor->Label1->text(),
             QStringLiteral("Objekt;Rektaszension(h:m:s);Deklination(grad:min:sek);Info"));
    QVERIFY(editor->Label1->font().bold());
    QCOMPARE(editor->Command1->text(), QStringLiteral("OK"));
    QCOMPARE(editor->Text1->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QVERIFY(!editor->Text1->isReadOnly());

    // Design twips divided by 15 by hand; the controls keep them when the window is resized.
    QCOMPARE(editor->size(), QSize(452, 329));
    editor->resize(700, 500);
    QCOMPARE(editor->Label1->geometry(), QRect(0, 0, 385, 25));
    QCOMPARE(editor->Text1->geometry(), QRect(0, 24, 449, 273));
    QCOMPARE(editor->Command1->geometry(), QRect(376, 304, 73, 17));
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

    EditorFixture fixture;
    QVERIFY(fixture.setUp(before));
    QPointer<Form2> editor = fixture.edit();
    QVERIFY(editor);
    appendText(editor, typed);
    fixture.fakes.messages.shown.clear();
    editor->Command1->click();

    QCOMPARE(fixture.folder.read(QStringLiteral("Sommer.txt")), after);
    QVERIFY(fixture.fakes.messages.shown.isEmpty());
    QVERIFY(fixture.editorGone(editor));
}

void TestForm2::okReloadsTheChosenListsObjects()
{
    EditorFixture fixture;
    QVERIFY(fixture.setUp());
    const QString fieldsBefore = fixture.window->Text2->text();
    QPointer<Form2> editor = fixture.edit();
    editor->Text1->setPlainText(QStringLiteral("M 8;18:05:03;-24:22:49;Lagunennebel\r\n"
                                               "M 20;18:03;-22:58:18;Trifidnebel"));
    editor->Command1->click();
    QVERIFY(fixture.editorGone(editor));

    // The saved names are listed, none is chosen, and the fields keep their texts.
    Form1 &window = *fixture.window;
    QCOMPARE(entries(window.Combo2), (QStringList{"M 8", "M 20"}));
    QCOMPARE(window.Combo2->currentIndex(), -1);
    QCOMPARE(window.Combo2->currentText(), QString());
    QCOMPARE(window.Text2->text(), fieldsBefore);

    // The malformed record gives its message when it is chosen.
    QTest::keyClick(window.Combo2, Qt::Key_Down);
    QTest::keyClick(window.Combo2, Qt::Key_Down);
    QCOMPARE(window.Combo2->currentText(), QStringLiteral("M 20"));
    QCOMPARE(fixture.fakes.messages.shown,
             QStringList{QStringLiteral("für M 20 Rektaszension überprüfen!!!")});
    QCOMPARE(window.Text1->text(), QString());
}

void TestForm2::saveGoesToTheListTheEditorWasOpenedFor()
{
    EditorFixture fixture;
    QVERIFY(fixture.setUp());
    Form1 &window = *fixture.window;
    QTest::keyClick(window.Combo3, Qt::Key_Down);
    QPointer<Form2> editor = fixture.edit();
    QCOMPARE(editor->windowTitle(), QStringLiteral("Winter.txt"));

    // Back in the main window, the first list is chosen again before "OK".
    QTest::keyClick(window.Combo3, Qt::Key_Up);
    QCOMPARE(window.Combo3->currentText(), QStringLiteral("Sommer"));
    editor->Text1->setPlainText(NEW_RECORD);
    editor->Command1->click();

    QCOMPARE(fixture.folder.read(QStringLiteral("Winter.txt")), NEW_RECORD.toLatin1() + "\r\n");
    QCOMPARE(fixture.folder.read(QStringLiteral("Sommer.txt")), SOMMER);
    // Sommer's objects stay listed: Winter is not the chosen list.
    QCOMPARE(entries(window.Combo2), (QStringList{"M 13", "M 57"}));
    QCOMPARE(window.Combo2->currentText(), QStringLiteral("M 13"));
}

void TestForm2::activationAfterOkShowsTheFirstList()
{
    EditorFixture fixture;
    QVERIFY(fixture.setUp());
    Form1 &window = *fixture.window;
    QTest::keyClick(window.Combo3, Qt::Key_Down);
    QPointer<Form2> editor = fixture.edit();
    QVERIFY(QTest::qWaitForWindowActive(editor));
    editor->Text1->setPlainText(NEW_RECORD);
    editor->Command1->click();
    QCOMPARE(entries(window.Combo2), QStringList{"M 1"});

    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QCOMPARE(window.Combo3->currentText(), QStringLiteral("Sommer"));
    QCOMPARE(window.Combo2->currentText(), QStringLiteral("M 13"));
    QCOMPARE(window.Text1->text(), QStringLiteral("16"));
}

void TestForm2::editTwiceReloadsTheOneEditor()
{
    EditorFixture fixture;
    QVERIFY(fixture.setUp());
    QPointer<Form2> first = fixture.edit();
    appendText(first, QStringLiteral("ungespeichert"));

    QTest::keyClick(fixture.window->Combo3, Qt::Key_Down);
    QPointer<Form2> second = fixture.edit();
    QCOMPARE(second.data(), first.data());
    QCOMPARE(second->windowTitle(), QStringLiteral("Winter.txt"));
    QCOMPARE(second->Text1->toPlainText(), QString::fromLatin1(WINTER).replace("\r\n", "\n"));

    second->Command1->click();
    QCOMPARE(fixture.folder.read(QStringLiteral("Winter.txt")), WINTER + "\r\n");
    QCOMPARE(fixture.folder.read(QStringLiteral("Sommer.txt")), SOMMER);
}

void TestForm2::closeBoxLeavesTheFileUntouched()
{
    const QByteArray lfOnly("M 13;16:42:38;36:25:02;sch\xc3\xb6n\n");
    EditorFixture fixture;
    QVERIFY(fixture.setUp(lfOnly));
    QPointer<Form2> editor = fixture.edit();
    appendText(editor, NEW_RECORD);
    editor->close();

    QVERIFY(fixture.editorGone(editor));
    QCOMPARE(fixture.folder.read(QStringLiteral("Sommer.txt")), lfOnly);
    QCOMPARE(entries(fixture.window->Combo2), QStringList{"M 13"});
}

void TestForm2::missingFileOpensAnEmptyEditor()
{
    EditorFixture fixture;
    QVERIFY(fixture.setUp());
    fixture.window->Combo3->setEditText(QStringLiteral("Neu"));
    QPointer<Form2> editor = fixture.edit();
    QVERIFY(editor);
    QCOMPARE(editor->windowTitle(), QStringLiteral("Neu.txt"));
    QCOMPARE(editor->Text1->toPlainText(), QString());
    QVERIFY(fixture.fakes.messages.shown.isEmpty());

    editor->Text1->setPlainText(NEW_RECORD);
    editor->Command1->click();
    QCOMPARE(fixture.folder.read(QStringLiteral("Neu.txt")), NEW_RECORD.toLatin1() + "\r\n");
    QCOMPARE(entries(fixture.window->Combo2), QStringList{"M 1"});
}

void TestForm2::editRefused_data()
{
    QTest::addColumn<QString>("listName");
    QTest::addColumn<bool>("folderInstead"); // a folder stands where the list file should be
    QTest::addColumn<QString>("message");

    QTest::newRow("name reaching out of the program folder")
        << QStringLiteral("../Sommer") << false
        << QStringLiteral(
               "Listenname ../Sommer nicht erlaubt (kein / oder \\, nicht . oder ..)!!!");
    QTest::newRow("list file that cannot be read")
        << QStringLiteral("Herbst") << true
        << QStringLiteral("Datei Herbst.txt im Ordner %1 nicht lesbar!!!");
}

void TestForm2::editRefused()
{
    QFETCH(QString, listName);
    QFETCH(bool, folderInstead);
    QFETCH(QString, message);

    EditorFixture fixture;
    QVERIFY(fixture.setUp());
    if (folderInstead)
        QVERIFY(QDir(fixture.folder.path()).mkdir(listName + QStringLiteral(".txt")));
    fixture.window->Combo3->setEditText(listName);

    QVERIFY(!fixture.edit());
    QCOMPARE(fixture.fakes.messages.shown, QStringList{message.arg(fixture.folder.shownPath())});
}

void TestForm2::failedSaveKeepsEditorAndFormerFile_data()
{
    QTest::addColumn<bool>("breaksOffHalfway"); // otherwise a folder replaces the file
    QTest::newRow("write breaks off halfway") << true;
    QTest::newRow("a folder stands where the file was") << false;
}

void TestForm2::failedSaveKeepsEditorAndFormerFile()
{
    QFETCH(bool, breaksOffHalfway);

    EditorFixture fixture;
    QVERIFY(fixture.setUp());
    QPointer<Form2> editor = fixture.edit();
    appendText(editor, NEW_RECORD);
    const QString typed = editor->Text1->toPlainText();
    const auto defaultWriter = editor->files.writeBytes;
    if (breaksOffHalfway) {
        editor->files.writeBytes = [](QIODevice &device, const QByteArray &bytes) {
            device.write(bytes.left(bytes.size() / 2));
            return false;
        };
    } else {
        QVERIFY(QFile::remove(fixture.folder.filePath(QStringLiteral("Sommer.txt"))));
        QVERIFY(QDir(fixture.folder.path()).mkdir(QStringLiteral("Sommer.txt")));
    }
    const QStringList filesBefore = QDir(fixture.folder.path()).entryList(QDir::AllEntries);

    editor->Command1->click();

    QCOMPARE(fixture.fakes.messages.shown,
             QStringList{QStringLiteral("Datei Sommer.txt im Ordner %1 konnte nicht gespeichert "
                                        "werden!!!")
                             .arg(fixture.folder.shownPath())});
    QVERIFY(!fixture.editorGone(editor));
    QVERIFY(editor->isVisible());
    QCOMPARE(editor->Text1->toPlainText(), typed);
    // No temporary file is left behind, and the former file is whole.
    QCOMPARE(QDir(fixture.folder.path()).entryList(QDir::AllEntries), filesBefore);
    if (breaksOffHalfway)
        QCOMPARE(fixture.folder.read(QStringLiteral("Sommer.txt")), SOMMER);

    // Once the cause is gone, the same text is saved.
    editor->files.writeBytes = defaultWriter;
    if (!breaksOffHalfway)
        QVERIFY(QDir(fixture.folder.path()).rmdir(QStringLiteral("Sommer.txt")));
    editor->Command1->click();
    QVERIFY(fixture.editorGone(editor));
    QCOMPARE(fixture.folder.read(QStringLiteral("Sommer.txt")),
             SOMMER + NEW_RECORD.toLatin1() + "\r\n");
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

    editor->Text1->setPlainText(NEW_RECORD);
    editor->Command1->click();
    QCoreApplication::processEvents();

    QCOMPARE(fixture.folder.read(QStringLiteral("Sommer.txt")), NEW_RECORD.toLatin1() + "\r\n");
    QVERIFY(fixture.editorGone(editor));
    QVERIFY(fixture.fakes.messages.shown.isEmpty());
    if (!destroyed) {
        QVERIFY(!fixture.window->isVisible());
        QCOMPARE(entries(fixture.window->Combo2), (QStringList{"M 13", "M 57"}));
    }
}

QTEST_MAIN(TestForm2)
#include "tst_form2.moc"
