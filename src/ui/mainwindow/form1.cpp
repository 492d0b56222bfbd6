// SPDX-License-Identifier: GPL-3.0-or-later
#include "form1.h"

#include "clock/picturebox.h"
#include "ui/editor/form2.h"
#include "ui/help/form3.h"
#include "ui/mainwindow/form1design.h"
#include "ui/mainwindow/summertimeguard.h"
#include "ui/shared/buttonkeys.h"
#include "ui/shared/captionlabel.h"
#include "ui/shared/designfont.h"
#include "ui/shared/focusmark.h"
#include "ui/shared/nightvision.h"
#include "ui/shared/staricon.h"
#include "ui/shared/textfit.h"
#include "ui/shared/widelistcombobox.h"
#include "zenitorversion.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>

namespace {

CaptionLabel *createLabel(const ControlDesign &design, const QString &caption, QWidget *parent)
{
    auto *label = new CaptionLabel(caption, parent);
    label->setWordWrap(true);
    label->setAlignment((design.centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
    label->setAutoFillBackground(true);
    return label;
}

WideListComboBox *createComboBox(const ControlDesign &design, const QString &caption,
                                 QWidget *parent)
{
    auto *combo = new WideListComboBox(parent);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setFrame(!design.flat);
    combo->setEditText(caption);
    // Typing "13.4" must stay 13.4, not be completed to an entry like "13.41 Berlin".
    combo->setCompleter(nullptr);
    // Typing changes only the text: Enter or leaving the field must not pick the entry
    // of that name, which would run its handler; only a choice from the list does.
    QObject::disconnect(combo->lineEdit(), &QLineEdit::editingFinished, combo, nullptr);
    QObject::disconnect(combo->lineEdit(), &QLineEdit::returnPressed, combo, nullptr);
    // The drop-down list is a window of its own and does not inherit the palette.
    combo->view()->setPalette(NightVision::palette());
    combo->view()->window()->setPalette(NightVision::palette());
    // The text shrinks to fit the box, which keeps the height of the combo box's own font.
    TextFit::attach(combo->lineEdit(), combo);
    return combo;
}

QLineEdit *createTextBox(const ControlDesign &design, const QString &caption, QWidget *parent)
{
    auto *edit = new QLineEdit(caption, parent);
    edit->setFrame(!design.flat);
    // A declination like +28° 14' 00" must keep its closing mark in any window shape.
    TextFit::attach(edit, edit);
    return edit;
}

QPlainTextEdit *createMultiLineTextBox(const QString &caption, QWidget *parent)
{
    auto *edit = new QPlainTextEdit(caption, parent);
    edit->setReadOnly(true);
    edit->setFrameShape(QFrame::NoFrame);
    edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    return edit;
}

QPushButton *createButton(const QString &caption, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setAutoDefault(false);
    pressOnReturn(button);
    return button;
}

/// Builds the control of one row of the design table as the class its kind calls for, so that
/// a handler's member of another class does not compile, and records it as that row's control.
template <std::size_t Row>
auto *createControl(QWidget *parent, ProportionalLayout::Widgets &controls)
{
    constexpr ControlDesign design = FORM1_CONTROLS[Row];
    const QString caption =
        QString::fromUtf8(design.caption.data(), qsizetype(design.caption.size()));
    const auto widget = [&] {
        if constexpr (design.kind == ControlKind::Label)
            return createLabel(design, caption, parent);
        else if constexpr (design.kind == ControlKind::ComboBox)
            return createComboBox(design, caption, parent);
        else if constexpr (design.kind == ControlKind::TextBox)
            return createTextBox(design, caption, parent);
        else if constexpr (design.kind == ControlKind::MultiLineTextBox)
            return createMultiLineTextBox(caption, parent);
        else if constexpr (design.kind == ControlKind::CheckBox)
            return new QCheckBox(caption, parent);
        else if constexpr (design.kind == ControlKind::Button)
            return createButton(caption, parent);
        else {
            static_assert(design.kind == ControlKind::PictureBox);
            return new PictureBox(parent);
        }
    }();

    widget->setObjectName(QString::fromLatin1(design.name.data(), qsizetype(design.name.size())));
    widget->setGeometry(twipsToPixels(QRect(design.left, design.top, design.width, design.height)));
    if constexpr (design.ruleColour) {
        QPalette rule = widget->palette();
        rule.setColor(QPalette::Window, NightVision::buttonFace);
        widget->setPalette(rule);
    }
    if constexpr (design.kind == ControlKind::Label)
        widget->setFocusPolicy(Qt::NoFocus);
    if constexpr (design.kind == ControlKind::CheckBox ||
                  (design.kind == ControlKind::ComboBox && !design.flat))
        NightVision::showEdges(widget);
    if constexpr (design.kind == ControlKind::CheckBox)
        NightVision::showCheckField(widget);
    controls[Row] = widget;
    return widget;
}

} // namespace

Form1::Form1(const Form1Services &services, QWidget *parent) : QWidget(parent), services(services)
{
    setWindowTitle(QStringLiteral("Zenitor " ZENITOR_VERSION));
    setWindowIcon(starClockIcon());
    NightVision::applyToWindow(this);
    setAutoFillBackground(true);
    resize(twipsToPixels(FORM1_DESIGN_WIDTH), twipsToPixels(FORM1_DESIGN_HEIGHT));

    createControls();
    setDesignFonts();
    setTabOrder();
    proportionalLayout = std::make_unique<ProportionalLayout>(this, FORM1_CONTROLS, controls);
    clock =
        std::make_unique<SiderealClock>(ClockControls{Combo1, Text1, Text3, Text4, Check1, Picture1,
                                                      Picture2, Picture3, Picture4, Command4},
                                        *services.timeSource, *services.pause);
    connectHandlers();
    connectKeys();
    connectPlanWindow();
    auto *summerTime = new SummerTimeGuard(Check1, *services.timeSource); // owned by the box
    // The offset changes in the middle of a run: the mark must come with the first wrong pass.
    clock->setAfterPass([summerTime] { summerTime->check(); });
    Form_Load();
}

Form1::~Form1()
{
    closePlanWindow();
}

const ProportionalLayout &Form1::layout() const
{
    return *proportionalLayout;
}

Form2 *Form1::editorWindow() const
{
    return editor;
}

Form3 *Form1::helpWindow() const
{
    return help;
}

void Form1::createControls()
{
    using form1design::rowOf;
    Label1 = createControl<rowOf("Label1")>(this, controls);
    Label2 = createControl<rowOf("Label2")>(this, controls);
    Label3 = createControl<rowOf("Label3")>(this, controls);
    Label4 = createControl<rowOf("Label4")>(this, controls);
    Label5 = createControl<rowOf("Label5")>(this, controls);
    Label6 = createControl<rowOf("Label6")>(this, controls);
    Label7 = createControl<rowOf("Label7")>(this, controls);
    Label8 = createControl<rowOf("Label8")>(this, controls);
    Label9 = createControl<rowOf("Label9")>(this, controls);
    Label10 = createControl<rowOf("Label10")>(this, controls);
    Label11 = createControl<rowOf("Label11")>(this, controls);
    Label12 = createControl<rowOf("Label12")>(this, controls);
    Label13 = createControl<rowOf("Label13")>(this, controls);
    Label14 = createControl<rowOf("Label14")>(this, controls);
    Combo1 = createControl<rowOf("Combo1")>(this, controls);
    Combo2 = createControl<rowOf("Combo2")>(this, controls);
    Combo3 = createControl<rowOf("Combo3")>(this, controls);
    Text1 = createControl<rowOf("Text1")>(this, controls);
    Text2 = createControl<rowOf("Text2")>(this, controls);
    Text3 = createControl<rowOf("Text3")>(this, controls);
    Text4 = createControl<rowOf("Text4")>(this, controls);
    Text5 = createControl<rowOf("Text5")>(this, controls);
    Check1 = createControl<rowOf("Check1")>(this, controls);
    Command1 = createControl<rowOf("Command1")>(this, controls);
    Command2 = createControl<rowOf("Command2")>(this, controls);
    Command3 = createControl<rowOf("Command3")>(this, controls);
    Command4 = createControl<rowOf("Command4")>(this, controls);
    Command5 = createControl<rowOf("Command5")>(this, controls);
    Picture1 = createControl<rowOf("Picture1")>(this, controls);
    Picture2 = createControl<rowOf("Picture2")>(this, controls);
    Picture3 = createControl<rowOf("Picture3")>(this, controls);
    Picture4 = createControl<rowOf("Picture4")>(this, controls);
    // A row of the table left out above would leave a hole that every later step trips over.
    for (std::size_t row = 0; row < controls.size(); ++row)
        if (!controls[row])
            qFatal("the main window's control %s is not built", FORM1_CONTROLS[row].name.data());
}

void Form1::setDesignFonts()
{
    for (std::size_t i = 0; i < FORM1_CONTROLS.size(); ++i) {
        const ControlDesign &design = FORM1_CONTROLS[i];
        QFont font = designFont(design.fontPoints, design.bold);
        font.setUnderline(design.underline);
        controls[i]->setFont(font);
    }
}

void Form1::setTabOrder()
{
    // Labels hold places in the tab order but never take the focus.
    std::array<QWidget *, FORM1_CONTROL_COUNT> byTab{};
    for (std::size_t i = 0; i < FORM1_CONTROLS.size(); ++i)
        byTab[std::size_t(FORM1_CONTROLS[i].tabIndex)] = controls[i];
    QWidget *previous = nullptr;
    for (QWidget *widget : byTab) {
        if (widget->focusPolicy() == Qt::NoFocus)
            continue;
        if (previous)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
    Picture1->setFocus();
}

void Form1::connectHandlers()
{
    connect(Command1, &QPushButton::clicked, this, [this] { clock->Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { clock->Command2_Click(); });
    connect(Command4, &QPushButton::clicked, this, &Form1::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &Form1::Command5_Click);
    connect(Command3, &QPushButton::clicked, this, &Form1::Command3_Click);
    connect(Combo3, &QComboBox::activated, this, &Form1::Combo3_Click);
    connect(Combo2, &QComboBox::activated, this, &Form1::Combo2_Click);
}

void Form1::connectKeys()
{
    auto *help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(help, &QShortcut::activated, this, &Form1::openHelpWindow);
    auto *fullScreen = new QShortcut(QKeySequence(Qt::Key_F11), this);
    connect(fullScreen, &QShortcut::activated, this, &Form1::toggleFullScreen);
    // The menu key is turned into a context menu request by the platform; Shift+F10 is not.
    auto *menu = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10), this);
    connect(menu, &QShortcut::activated, this, &Form1::openContextMenuForKeyboard);
    FocusMark::install(this);
}

void Form1::openContextMenuForKeyboard()
{
    // As the platform does for the menu key: the request goes to the focused control, and one
    // without a menu of its own passes it on to the window, whose background menu opens.
    QWidget *target = focusWidget() ? focusWidget() : this;
    QPoint pos = target->inputMethodQuery(Qt::ImCursorRectangle).toRect().center();
    if (!target->rect().contains(pos))
        pos = target->rect().center();
    QContextMenuEvent request(QContextMenuEvent::Keyboard, pos, target->mapToGlobal(pos));
    QApplication::sendEvent(target, &request);
}

void Form1::toggleFullScreen()
{
    if (isFullScreen())
        showNormal();
    else
        showFullScreen();
}

void Form1::Form_Load()
{
    clock->resetRunFlag();
    fillChoicesFromFiles();
    proportionalLayout->capture();
}

void Form1::Command4_Click()
{
    close();
}

bool Form1::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        windowActivated();
    return QWidget::event(event);
}

void Form1::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

void Form1::Form_Resize()
{
    if (proportionalLayout)
        proportionalLayout->windowResized();
}

void Form1::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (proportionalLayout)
        proportionalLayout->windowChanged(*event);
}

void Form1::closeEvent(QCloseEvent *event)
{
    // Nothing may keep running behind a closed window.
    clock->endAllRuns();
    closePlanWindow();
    event->accept();
}
