// SPDX-License-Identifier: GPL-3.0-or-later
// What configureApplication gives every window of the program.
#include "ui/shared/application.h"

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>

#include <memory>

namespace {

enum class TextSource
{
    LineEditMenu,
    PlainTextEditMenu,
    DialogButtons
};

QStringList actionTexts(std::unique_ptr<QMenu> menu)
{
    QStringList texts;
    for (const QAction *action : menu->actions())
        texts.append(action->text());
    return texts;
}

/// The texts a person reads, without the "&" of the keyboard accelerators.
QStringList shownTexts(TextSource source)
{
    QStringList texts;
    QLineEdit lineEdit;
    QPlainTextEdit plainTextEdit;
    QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    switch (source) {
    case TextSource::LineEditMenu:
        texts = actionTexts(std::unique_ptr<QMenu>(lineEdit.createStandardContextMenu()));
        break;
    case TextSource::PlainTextEditMenu:
        texts = actionTexts(std::unique_ptr<QMenu>(plainTextEdit.createStandardContextMenu()));
        break;
    case TextSource::DialogButtons:
        for (const QAbstractButton *button : buttons.buttons())
            texts.append(button->text());
        break;
    }
    for (QString &text : texts)
        text.remove(QLatin1Char('&'));
    return texts;
}

} // namespace

class TestApplication : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void perUserDataFolderIsLowerCaseZenitor();
    void standardTextsAreGerman_data();
    void standardTextsAreGerman();
};

void TestApplication::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    configureApplication(*qApp);
}

void TestApplication::perUserDataFolderIsLowerCaseZenitor()
{
    QCOMPARE(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation),
             QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                 QStringLiteral("/zenitor"));
}

void TestApplication::standardTextsAreGerman_data()
{
    QTest::addColumn<TextSource>("source");
    QTest::addColumn<QStringList>("german");

    // Every entry, shortcuts included, so no English text is left anywhere in the menu.
    const QStringList editMenu{
        "Rückgängig\tStrg+Z",     "Wiederherstellen\tStrg+Y", "",        "Ausschneiden\tStrg+X",
        "Kopieren\tStrg+C",       "Einfügen\tStrg+V",         "Löschen", "",
        "Alles auswählen\tStrg+A"};
    QTest::newRow("context menu of a text field") << TextSource::LineEditMenu << editMenu;
    QTest::newRow("context menu of the info field") << TextSource::PlainTextEditMenu << editMenu;
    QTest::newRow("dialog buttons") << TextSource::DialogButtons << QStringList{"OK", "Abbrechen"};
}

void TestApplication::standardTextsAreGerman()
{
    QFETCH(TextSource, source);
    QFETCH(QStringList, german);
    QCOMPARE(shownTexts(source), german);
}

QTEST_MAIN(TestApplication)
#include "tst_application.moc"
