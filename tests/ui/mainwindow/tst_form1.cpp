// SPDX-License-Identifier: GPL-3.0-or-later
#include "clock/picturebox.h"
#include "support/fakeservices.h"
#include "support/mainwindow.h"
#include "ui/mainwindow/form1.h"
#include "ui/shared/application.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHash>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class TestForm1 : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void windowAsDesigned();
    void controlsAsDesigned_data();
    void controlsAsDesigned();
    void tabOrderAndStartFocus();
    void staysDarkRedOnBlack();
    void choiceFieldsAreBlack();
    void captionsStartAtTheTop();
    void endeClosesTheWindow();

private:
    std::unique_ptr<TestMainWindow> fixture;
    FakeServices *fakes = nullptr;
    Form1 *window = nullptr;
};

void TestForm1::initTestCase()
{
    configureApplication(*qApp);
}

void TestForm1::init()
{
    fixture = std::make_unique<TestMainWindow>();
    fakes = &fixture->fakes;
    window = fixture->window.get();
}

void TestForm1::cleanup()
{
    fixture.reset();
    fakes = nullptr;
    window = nullptr;
}

void TestForm1::windowAsDesigned()
{
    QCOMPARE(window->windowTitle(), QStringLiteral("Zenitor 2.1"));
    QCOMPARE(window->size(), QSize(592, 423)); // 8880 x 6345 twips
    QCOMPARE(window->palette().color(QPalette::Window), QColor(0, 0, 0));
    QVERIFY(!window->windowIcon().isNull());
    const Qt::WindowFlags flags = window->windowFlags();
    QVERIFY(flags & Qt::WindowMinimizeButtonHint);
    QVERIFY(flags & Qt::WindowMaximizeButtonHint);
}

void TestForm1::controlsAsDesigned_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("pixels");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<double>("points");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("underline");
    QTest::addColumn<QColor>("textColour");
    QTest::addColumn<QColor>("background");
    // Design values in twips, divided by 15 by hand.
    QTest::newRow("Label1, umlaut caption")
        << "Label1" << QRect(8, 8, 145, 17) << "geografische Länge:" << 8.25 << true << true
        << QColor(192, 0, 0) << QColor(0, 0, 0);
    QTest::newRow("Label2 keeps its typo")
        << "Label2" << QRect(296, 128, 289, 17) << "Meridan:" << 9.75 << true << true
        << QColor(192, 0, 0) << QColor(0, 0, 0);
    QTest::newRow("Label9 unit, not underlined")
        << "Label9" << QRect(496, 56, 25, 17) << "h" << 8.25 << true << false << QColor(192, 0, 0)
        << QColor(0, 0, 0);
    QTest::newRow("Label14 red rule") << "Label14" << QRect(8, 104, 577, 3) << "" << -1.0 << false
                                      << false << QColor(192, 0, 0) << QColor(128, 0, 0);
    // Loading replaces the design texts of Combo2 and Text2 ("*": not compared here).
    QTest::newRow("Combo2") << "Combo2" << QRect(360, 32, 121, -1) << "*" << 8.25 << false << false
                            << QColor(192, 0, 0) << QColor();
    QTest::newRow("Text2 large bold") << "Text2" << QRect(320, 336, 265, 43) << "*" << 18.0 << true
                                      << false << QColor(192, 0, 0) << QColor(0, 0, 0);
    QTest::newRow("Text5 info box") << "Text5" << QRect(8, 224, 577, 81) << "" << 8.25 << false
                                    << false << QColor(192, 0, 0) << QColor(0, 0, 0);
    QTest::newRow("Check1") << "Check1" << QRect(8, 72, 145, 17) << "Sommerzeit" << 8.25 << false
                            << false << QColor(192, 0, 0) << QColor();
    QTest::newRow("Picture2 readout") << "Picture2" << QRect(296, 152, 289, 41) << "" << 18.0
                                      << true << false << QColor(192, 0, 0) << QColor(0, 0, 0);
    QTest::newRow("Command3 deep red button")
        << "Command3" << QRect(360, 64, 105, 33) << "Edit" << 8.25 << true << false
        << QColor(0, 0, 0) << QColor(128, 0, 0);
    QTest::newRow("Command4 Ende") << "Command4" << QRect(480, 384, 105, 33) << "Ende" << 8.25
                                   << true << false << QColor(0, 0, 0) << QColor(128, 0, 0);
}

void TestForm1::controlsAsDesigned()
{
    QFETCH(QString, name);
    QFETCH(QRect, pixels);
    QFETCH(QString, caption);
    QFETCH(double, points);
    QFETCH(bool, bold);
    QFETCH(bool, underline);
    QFETCH(QColor, textColour);
    QFETCH(QColor, background);

    QWidget *widget = window->findChild<QWidget *>(name);
    QVERIFY(widget);
    const QRect geometry = widget->geometry();
    QCOMPARE(geometry.topLeft(), pixels.topLeft());
    QCOMPARE(geometry.width(), pixels.width());
    if (pixels.height() >= 0) // a combo box's height follows its font
        QCOMPARE(geometry.height(), pixels.height());

    QString shown;
    if (auto *label = qobject_cast<QLabel *>(widget))
        shown = label->text();
    else if (auto *combo = qobject_cast<QComboBox *>(widget))
        shown = combo->currentText();
    else if (auto *edit = qobject_cast<QLineEdit *>(widget))
        shown = edit->text();
    else if (auto *info = qobject_cast<QPlainTextEdit *>(widget))
        shown = info->toPlainText();
    else if (auto *button = qobject_cast<QAbstractButton *>(widget))
        shown = button->text();
    if (caption != QLatin1String("*"))
        QCOMPARE(shown, caption);

    const QFont font = widget->font();
    if (points > 0) {
        QCOMPARE(font.family(), QStringLiteral("Arial"));
        QCOMPARE(font.pointSizeF(), points);
    }
    QCOMPARE(font.bold(), bold);
    QCOMPARE(font.underline(), underline);

    const QPalette palette = widget->palette();
    const bool isButton = qobject_cast<QPushButton *>(widget) != nullptr;
    QCOMPARE(palette.color(isButton ? QPalette::ButtonText : widget->foregroundRole()), textColour);
    if (background.isValid())
        QCOMPARE(palette.color(isButton ? QPalette::Button : widget->backgroundRole()), background);
}

void TestForm1::tabOrderAndStartFocus()
{
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window));
    QCOMPARE(QApplication::focusWidget(), controlsOf(*window).Picture1);

    const QStringList expected{"Picture1", "Picture2", "Command1", "Command2", "Combo1",
                               "Picture3", "Combo2",   "Text1",    "Text2",    "Command3",
                               "Command4", "Check1",   "Picture4", "Text3",    "Text4",
                               "Text5",    "Combo3",   "Command5", "Picture1"};
    QStringList visited;
    for (int step = 0; step < expected.size(); ++step) {
        QWidget *focus = QApplication::focusWidget();
        // An editable combo box hands the focus to its line edit.
        while (focus && focus->objectName().isEmpty())
            focus = focus->parentWidget();
        visited << (focus ? focus->objectName() : QStringLiteral("(none)"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(visited, expected);
}

void TestForm1::staysDarkRedOnBlack()
{
    controlsOf(*window).Combo1->addItems({"13.41 Berlin", "11.58 München"});
    controlsOf(*window).Combo1->setEditText(QStringLiteral("13.41 Berlin"));
    controlsOf(*window).Combo1->lineEdit()->selectAll();
    controlsOf(*window).Text1->setText(QStringLiteral("5"));
    controlsOf(*window).Text5->setPlainText(QStringLiteral("Orionnebel, Emissionsnebel"));
    controlsOf(*window).Check1->setChecked(true);
    controlsOf(*window).Picture2->Print(QStringLiteral("4 h 34 m 21 s"));
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window));
    controlsOf(*window).Combo1->setFocus();
    controlsOf(*window).Command4->setEnabled(false);
    controlsOf(*window).Combo1->showPopup();
    QTest::qWait(50);

    const QList<QPair<QString, QImage>> pictures{
        {"main window", window->grab().toImage()},
        {"drop-down list", controlsOf(*window).Combo1->view()->window()->grab().toImage()}};
    controlsOf(*window).Combo1->hidePopup();
    for (const auto &[what, image] : pictures) {
        if (qEnvironmentVariableIsSet("ZENITOR_SAVE_GRABS"))
            image.save(QStringLiteral("/tmp/grab-%1.png").arg(what.left(4)));
        int offending = 0;
        QPoint first;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c.green() > 48 || c.blue() > 48) {
                    if (offending++ == 0)
                        first = {x, y};
                }
            }
        QVERIFY2(offending == 0,
                 qPrintable(QStringLiteral("%1: %2 pixels with green or blue above 48, first at "
                                           "%3,%4: %5")
                                .arg(what)
                                .arg(offending)
                                .arg(first.x())
                                .arg(first.y())
                                .arg(image.pixelColor(first).name())));
    }
}

void TestForm1::choiceFieldsAreBlack()
{
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    // All three text fields are black; Combo2 and Combo3 differ from Combo1 only by their edge.
    for (QComboBox *combo :
         {controlsOf(*window).Combo1, controlsOf(*window).Combo2, controlsOf(*window).Combo3}) {
        combo->setEditText(QStringLiteral("M 42"));
        const QImage field = combo->lineEdit()->grab().toImage();
        QHash<QRgb, int> counts;
        for (int y = 0; y < field.height(); ++y)
            for (int x = 0; x < field.width(); ++x)
                ++counts[field.pixel(x, y)];
        QRgb mostCommon = 0;
        for (auto it = counts.cbegin(); it != counts.cend(); ++it)
            if (it.value() > counts.value(mostCommon))
                mostCommon = it.key();
        QCOMPARE(QColor(mostCommon), QColor(Qt::black));
    }
}

void TestForm1::captionsStartAtTheTop()
{
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    // A caption taller than its label ("geografische Länge:" takes two lines) shows its first
    // line whole: no ink in the label's top row, some in its upper half.
    const QList<QLabel *> labels = window->findChildren<QLabel *>();
    for (QLabel *label : labels) {
        if (label->text().isEmpty())
            continue;
        const QImage image = label->grab().toImage();
        auto inkInRow = [&image](int y) {
            for (int x = 0; x < image.width(); ++x)
                if (qRed(image.pixel(x, y)) > 96)
                    return true;
            return false;
        };
        int firstInk = -1;
        for (int y = 0; y < image.height() && firstInk < 0; ++y)
            if (inkInRow(y))
                firstInk = y;
        QVERIFY2(
            firstInk > 0 && firstInk < image.height() / 2,
            qPrintable(
                label->objectName() +
                QStringLiteral(": first ink in row %1 of %2").arg(firstInk).arg(image.height())));
    }
}

void TestForm1::endeClosesTheWindow()
{
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    controlsOf(*window).Command4->click();
    QVERIFY(!window->isVisible());
}

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
