// SPDX-License-Identifier: GPL-3.0-or-later
// The drop-down lists of the main window open as wide as their longest entry, within the
// screen, so no entry is elided; the combo boxes keep their size and place.
#include "support/fakeservices.h"
#include "support/mainwindow.h"
#include "support/pixels.h"
#include "ui/mainwindow/form1.h"
#include "ui/shared/application.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

} // namespace

class TestDropLists : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void entriesReadWhole_data();
    void entriesReadWhole();

private:
    std::unique_ptr<TestMainWindow> fixture;
    Form1 *window = nullptr;
};

void TestDropLists::initTestCase()
{
    configureApplication(*qApp);
}

void TestDropLists::init()
{
    // The delivered data files: the real site names and lists.
    fixture = std::make_unique<TestMainWindow>(ZENITOR_SOURCE_DIR "/data");
    window = fixture->window.get();
    window->move(0, 0);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
}

void TestDropLists::cleanup()
{
    fixture.reset();
    window = nullptr;
}

void TestDropLists::entriesReadWhole_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("addedEntry"); // appended to the delivered entries
    QTest::addColumn<int>("windowLeft");     // pixels from the screen's left edge

    const QString longerThanScreen =
        QStringLiteral("13.4 ") + QString(400, QLatin1Char('W')) + QStringLiteral(" Ende");
    QTest::newRow("Combo1, delivered sites") << "Combo1" << QString() << 0;
    QTest::newRow("Combo3, delivered lists") << "Combo3" << QString() << 0;
    QTest::newRow("Combo2, objects of the first list") << "Combo2" << QString() << 0;
    QTest::newRow("Combo1, a site with a long name")
        << "Combo1" << QStringLiteral("-122.4194 San Francisco, Kalifornien (Vereinigte Staaten)")
        << 0;
    QTest::newRow("Combo2 near the screen's right edge")
        << "Combo2" << QStringLiteral("M 31 Andromedanebel mit M 32 und M 110 als Begleitern")
        << 400;
    QTest::newRow("Combo1, an entry wider than the screen") << "Combo1" << longerThanScreen << 0;
}

void TestDropLists::entriesReadWhole()
{
    QFETCH(QString, name);
    QFETCH(QString, addedEntry);
    QFETCH(int, windowLeft);

    const QRect screen = window->screen()->availableGeometry();
    window->move(screen.left() + windowLeft, screen.top());
    auto *combo = qobject_cast<QComboBox *>(controlNamed(*window, name));
    QVERIFY(combo);
    if (!addedEntry.isEmpty())
        combo->addItem(addedEntry);
    QVERIFY(combo->count() > 0);
    const QRect comboBefore = combo->geometry();
    const QString textBefore = combo->currentText();

    combo->showPopup();
    QAbstractItemView *list = combo->view();
    QWidget *popup = list->window();
    // Where the list is placed; the offscreen platform shifts a window by its frame on showing.
    const QRect popupRect = popup->frameGeometry();
    QVERIFY(QTest::qWaitForWindowExposed(popup));

    QCOMPARE(combo->geometry(), comboBefore);
    QCOMPARE(combo->currentText(), textBefore);
    QVERIFY2(screen.contains(popupRect),
             qPrintable(QStringLiteral("list at %1 leaves the screen %2")
                            .arg(describe(popupRect), describe(screen))));
    QVERIFY2(popupRect.width() >= combo->width(),
             qPrintable(QStringLiteral("list %1 narrower than its combo box %2")
                            .arg(popupRect.width())
                            .arg(combo->width())));

    const int room = list->viewport()->width();
    for (int row = 0; row < combo->count(); ++row) {
        const QString entry = combo->itemText(row);
        const int needed = list->sizeHintForIndex(combo->model()->index(row, 0)).width();
        if (entry == addedEntry && needed > screen.width()) {
            // Wider than the screen: the list takes the whole width and no more.
            QCOMPARE(popupRect.width(), screen.width());
            continue;
        }
        QVERIFY2(needed <= room, qPrintable(QStringLiteral("\"%1\" needs %2 px, list shows %3 px")
                                                .arg(entry)
                                                .arg(needed)
                                                .arg(room)));
    }
    combo->hidePopup();
}

QTEST_MAIN(TestDropLists)
#include "tst_droplists.moc"
