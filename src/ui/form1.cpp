// SPDX-License-Identifier: GPL-3.0-or-later
#include "form1.h"

#include "clock/picturebox.h"
#include "ui/captionlabel.h"
#include "ui/designfont.h"
#include "ui/form1design.h"
#include "ui/form2.h"
#include "ui/form3.h"
#include "ui/nightvision.h"
#include "ui/staricon.h"
#include "ui/summertimeguard.h"
#include "ui/widelistcombobox.h"
#include "zenitorversion.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

QWidget *createControl(const ControlDesign &design, QWidget *parent)
{
    const QString caption =
        QString::fromUtf8(design.caption.data(), qsizetype(design.caption.size()));
    switch (design.kind) {
    case ControlKind::Label: {
        auto *label = new CaptionLabel(caption, parent);
        label->setWordWrap(true);
        label->setAlignment((design.centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
        label->setAutoFillBackground(true);
        return label;
    }
    case ControlKind::ComboBox: {
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
        return combo;
    }
    case ControlKind::TextBox: {
        auto *edit = new QLineEdit(caption, parent);
        edit->setFrame(!design.flat);
        return edit;
    }
    case ControlKind::MultiLineTextBox: {
        auto *edit = new QPlainTextEdit(caption, parent);
        edit->setReadOnly(true);
        edit->setFrameShape(QFrame::NoFrame);
        edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        edit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        return edit;
    }
    case ControlKind::CheckBox:
        return new QCheckBox(caption, parent);
    case ControlKind::Button: {
        auto *button = new QPushButton(caption, parent);
        button->setAutoDefault(false);
        return button;
    }
    case ControlKind::PictureBox:
        return new PictureBox(parent);
    }
    return nullptr;
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
    connectPlanWindow();
    new SummerTimeGuard(Check1, *services.timeSource); // owned by the box
    Form_Load();
}

Form1::~Form1()
{
    closePlanWindow();
}

const SiderealClock &Form1::siderealClock() const
{
    return *clock;
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

QWidget *Form1::control(std::string_view name) const
{
    for (std::size_t i = 0; i < FORM1_CONTROLS.size(); ++i)
        if (FORM1_CONTROLS[i].name == name)
            return controls[i];
    return nullptr;
}

void Form1::createControls()
{
    for (std::size_t i = 0; i < FORM1_CONTROLS.size(); ++i) {
        const ControlDesign &design = FORM1_CONTROLS[i];
        QWidget *widget = createControl(design, this);
        widget->setObjectName(
            QString::fromLatin1(design.name.data(), qsizetype(design.name.size())));
        widget->setGeometry(
            twipsToPixels(QRect(design.left, design.top, design.width, design.height)));
        if (design.ruleColour) {
            QPalette rule = widget->palette();
            rule.setColor(QPalette::Window, NightVision::buttonFace);
            widget->setPalette(rule);
        }
        if (design.kind == ControlKind::Label)
            widget->setFocusPolicy(Qt::NoFocus);
        if (design.kind == ControlKind::CheckBox ||
            (design.kind == ControlKind::ComboBox && !design.flat))
            NightVision::showEdges(widget);
        if (design.kind == ControlKind::CheckBox)
            NightVision::showCheckField(widget);
        controls[i] = widget;
    }

    // The handlers reach the controls by their names.
    const auto typed = [this]<typename T>(T *&member, std::string_view name) {
        member = qobject_cast<T *>(control(name));
        Q_ASSERT(member);
    };
    typed(Label1, "Label1"), typed(Label2, "Label2"), typed(Label3, "Label3");
    typed(Label4, "Label4"), typed(Label5, "Label5"), typed(Label6, "Label6");
    typed(Label7, "Label7"), typed(Label8, "Label8"), typed(Label9, "Label9");
    typed(Label10, "Label10"), typed(Label11, "Label11"), typed(Label12, "Label12");
    typed(Label13, "Label13"), typed(Label14, "Label14");
    typed(Combo1, "Combo1"), typed(Combo2, "Combo2"), typed(Combo3, "Combo3");
    typed(Text1, "Text1"), typed(Text2, "Text2"), typed(Text3, "Text3"), typed(Text4, "Text4");
    typed(Text5, "Text5");
    typed(Check1, "Check1");
    typed(Command1, "Command1"), typed(Command2, "Command2"), typed(Command3, "Command3");
    typed(Command4, "Command4"), typed(Command5, "Command5");
    typed(Picture1, "Picture1"), typed(Picture2, "Picture2"), typed(Picture3, "Picture3");
    typed(Picture4, "Picture4");
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
