// SPDX-License-Identifier: GPL-3.0-or-later
// Popups are windows of their own and do not inherit their opener's palette: the context
// menus, drop-down lists, tooltips and message boxes of the main window must still be red on
// black, and those of other windows must keep their normal colours.
#include "support/fakeservices.h"
#include "support/mainwindow.h"
#include "support/pixels.h"
#include "support/popups.h"
#include "ui/mainwindow/form1.h"
#include "ui/shared/application.h"
#include "ui/shared/messagepresenter.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolTip>

#include <memory>
#include <utility>

namespace {

/// The colours of the design, not those of the palette under test: black, dark red text and
/// the deep red of the buttons.
bool hasNightColours(const QPalette &palette)
{
    const QColor black(0, 0, 0), darkRed(192, 0, 0), deepRed(128, 0, 0);
    const std::pair<QPalette::ColorRole, QColor> design[] = {{QPalette::Window, black},
                                                             {QPalette::WindowText, darkRed},
                                                             {QPalette::Base, black},
                                                             {QPalette::Text, darkRed},
                                                             {QPalette::Button, deepRed},
                                                             {QPalette::Highlight, deepRed},
                                                             {QPalette::HighlightedText, black},
                                                             {QPalette::ToolTipBase, black},
                                                             {QPalette::ToolTipText, darkRed}};
    for (const auto &[role, colour] : design)
        if (palette.color(role) != colour)
            return false;
    return true;
}

/// The visible tooltip window, if any.
QWidget *shownToolTip()
{
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (widget->windowType() == Qt::ToolTip && widget->isVisible())
            return widget;
    return nullptr;
}

} // namespace

class TestPopups : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void contextMenus_data();
    void contextMenus();
    void dropDownLists_data();
    void dropDownLists();
    void toolTips_data();
    void toolTips();
    void messageBoxes_data();
    void messageBoxes();

private:
    /// A text field by row name: a control of the main window, the text field of one of its
    /// combo boxes, or one in a window of its own opened from the main window (as the editor).
    QWidget *field(const QString &name) const;
    void checkLook(QWidget *popup, bool night);
    void checkNoLightPixel(QWidget *popup);

    std::unique_ptr<TestMainWindow> fixture;
    FakeServices *fakes = nullptr;
    Form1 *window = nullptr;
    QPointer<QWidget> ownWindow;
    QPointer<QLineEdit> ownWindowField;
};

void TestPopups::initTestCase()
{
    configureApplication(*qApp);
}

void TestPopups::init()
{
    fixture = std::make_unique<TestMainWindow>();
    fakes = &fixture->fakes;
    window = fixture->window.get();
    ownWindow = new QWidget(window, Qt::Window);
    ownWindowField = new QLineEdit(QStringLiteral("Objekt"), ownWindow);
    window->show();
    ownWindow->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QVERIFY(QTest::qWaitForWindowExposed(ownWindow));
}

void TestPopups::cleanup()
{
    fixture.reset();
    fakes = nullptr;
    window = nullptr;
}

QWidget *TestPopups::field(const QString &name) const
{
    if (name == QLatin1String("own window"))
        return ownWindowField;
    if (auto *combo = qobject_cast<QComboBox *>(controlNamed(*window, name)))
        return combo->lineEdit();
    return controlNamed(*window, name);
}

void TestPopups::checkLook(QWidget *popup, bool night)
{
    QVERIFY(popup);
    QCOMPARE(hasNightColours(popup->palette()), night);
    if (night)
        checkNoLightPixel(popup);
}

void TestPopups::checkNoLightPixel(QWidget *popup)
{
    const QString light = firstLightPixel(popup->grab().toImage());
    QVERIFY2(light.isEmpty(), qPrintable(QStringLiteral("light pixel ") + light));
}

void TestPopups::contextMenus_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("night");
    for (const char *name :
         {"Text1", "Text2", "Text3", "Text4", "Text5", "Combo1", "Combo2", "Combo3"})
        QTest::newRow(name) << QString::fromLatin1(name) << true;
    QTest::newRow("window of its own") << QStringLiteral("own window") << false;
}

void TestPopups::contextMenus()
{
    QFETCH(QString, name);
    QFETCH(bool, night);

    // The menu is built afresh on every request, after the window was polished.
    for (int request = 0; request < 2; ++request) {
        QWidget *target = field(name);
        QVERIFY(target);
        QPointer<QWidget> menu = openContextMenu(target, target);
        QVERIFY(menu);
        checkLook(menu, night);
        if (QTest::currentTestFailed())
            return;
        menu->close();
        QTRY_VERIFY(!menu); // deleted on close
    }
}

void TestPopups::dropDownLists_data()
{
    QTest::addColumn<QString>("name");
    // Combo2 and Combo3 have a 3-D edge and a palette of their own; Combo1 is flat.
    QTest::newRow("Combo1") << QStringLiteral("Combo1");
    QTest::newRow("Combo2") << QStringLiteral("Combo2");
    QTest::newRow("Combo3") << QStringLiteral("Combo3");
}

void TestPopups::dropDownLists()
{
    QFETCH(QString, name);
    auto *combo = qobject_cast<QComboBox *>(controlNamed(*window, name));
    QVERIFY(combo);
    // Enough entries for a scroll bar.
    for (int number = 1; number <= 40; ++number)
        combo->addItem(QStringLiteral("M %1").arg(number));
    combo->setCurrentIndex(1);
    combo->showPopup();
    QWidget *list = combo->view()->window();
    QVERIFY(QTest::qWaitForWindowExposed(list));
    QVERIFY(list != window);
    // The frame takes the combo box's own palette; the list inside is plain night.
    QVERIFY(hasNightColours(combo->view()->palette()));
    checkNoLightPixel(list);
    combo->hidePopup();
}

void TestPopups::toolTips_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("night");
    QTest::newRow("Text1") << QStringLiteral("Text1") << true;
    QTest::newRow("window of its own") << QStringLiteral("own window") << false;
}

void TestPopups::toolTips()
{
    QFETCH(QString, name);
    QFETCH(bool, night);
    QWidget *target = field(name);
    QToolTip::showText(target->mapToGlobal(QPoint(2, 2)), QStringLiteral("Stunden"), target);
    QTRY_VERIFY(shownToolTip());
    QWidget *tip = shownToolTip();
    QVERIFY(QTest::qWaitForWindowExposed(tip));
    checkLook(tip, night);
    QToolTip::hideText();
}

void TestPopups::messageBoxes_data()
{
    QTest::addColumn<QString>("parent");
    QTest::addColumn<bool>("night");
    QTest::newRow("for the main window") << QStringLiteral("main window") << true;
    QTest::newRow("before the main window shows") << QString() << true;
    QTest::newRow("for a window of its own") << QStringLiteral("own window") << false;
}

void TestPopups::messageBoxes()
{
    QFETCH(QString, parent);
    QFETCH(bool, night);
    QWidget *parentWidget = parent.isEmpty()                         ? nullptr
                            : parent == QLatin1String("main window") ? window
                                                                     : ownWindow.data();

    // The box blocks until closed, so it is looked at and closed from inside its event loop.
    bool seen = false;
    QTimer::singleShot(0, this, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen = true;
        if (QTest::qWaitForWindowExposed(box))
            checkLook(box, night);
        box->accept();
    });
    MessageBoxPresenter().showMessage(parentWidget, QStringLiteral("Keine Objektliste gewählt."));
    QVERIFY(seen);
}

QTEST_MAIN(TestPopups)
#include "tst_popups.moc"
