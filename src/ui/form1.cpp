// SPDX-License-Identifier: GPL-3.0-or-later
#include "form1.h"

#include "clock/picturebox.h"
#include "ui/captionlabel.h"
#include "ui/form1design.h"
#include "ui/nightvision.h"
#include "ui/staricon.h"
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

#include <algorithm>

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

Form1::Form1(const Form1Services &services, QWidget *parent)
    : QWidget(parent),
      proportionalLayout(this, [this](std::string_view name) { return control(name); }),
      services(services)
{
    setWindowTitle(QStringLiteral("Zenitor " ZENITOR_VERSION));
    setWindowIcon(starClockIcon());
    NightVision::applyToWindow(this);
    setAutoFillBackground(true);
    resize(twipsToPixels(FORM1_DESIGN_WIDTH), twipsToPixels(FORM1_DESIGN_HEIGHT));

    buildControls();
    clock =
        std::make_unique<SiderealClock>(ClockControls{Combo1, Text1, Text3, Text4, Check1, Picture1,
                                                      Picture2, Picture3, Picture4, Command4},
                                        *services.timeSource, *services.pause);
    connectHandlers();
    Form_Load();
}

Form1::~Form1() = default;

QWidget *Form1::control(std::string_view name) const
{
    for (std::size_t i = 0; i < FORM1_CONTROLS.size(); ++i)
        if (FORM1_CONTROLS[i].name == name)
            return controls[i];
    return nullptr;
}

void Form1::buildControls()
{
    for (std::size_t i = 0; i < FORM1_CONTROLS.size(); ++i) {
        const ControlDesign &design = FORM1_CONTROLS[i];
        QWidget *widget = createControl(design, this);
        widget->setObjectName(
            QString::fromLatin1(design.name.data(), qsizetype(design.name.size())));
        widget->setGeometry(twipsToPixels(design.left), twipsToPixels(design.top),
                            twipsToPixels(design.width), twipsToPixels(design.height));
        QFont font(QStringLiteral("Arial"));
        if (design.fontPoints > 0)
            font.setPointSizeF(design.fontPoints);
        font.setBold(design.bold);
        font.setUnderline(design.underline);
        widget->setFont(font);
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

    auto find = [this]<typename T>(T *&member, std::string_view name) {
        member = qobject_cast<T *>(control(name));
        Q_ASSERT(member);
    };
    find(Label1, "Label1"), find(Label2, "Label2"), find(Label3, "Label3");
    find(Label4, "Label4"), find(Label5, "Label5"), find(Label6, "Label6");
    find(Label7, "Label7"), find(Label8, "Label8"), find(Label9, "Label9");
    find(Label10, "Label10"), find(Label11, "Label11"), find(Label12, "Label12");
    find(Label13, "Label13"), find(Label14, "Label14");
    find(Combo1, "Combo1"), find(Combo2, "Combo2"), find(Combo3, "Combo3");
    find(Text1, "Text1"), find(Text2, "Text2"), find(Text3, "Text3"), find(Text4, "Text4");
    find(Text5, "Text5");
    find(Check1, "Check1");
    find(Command1, "Command1"), find(Command2, "Command2"), find(Command3, "Command3");
    find(Command4, "Command4"), find(Command5, "Command5");
    find(Picture1, "Picture1"), find(Picture2, "Picture2"), find(Picture3, "Picture3");
    find(Picture4, "Picture4");

    // Tab order of the design; labels hold places in it but never take the focus.
    std::array<std::size_t, 32> byTab{};
    for (std::size_t i = 0; i < byTab.size(); ++i)
        byTab[i] = i;
    std::sort(byTab.begin(), byTab.end(), [](std::size_t a, std::size_t b) {
        return FORM1_CONTROLS[a].tabIndex < FORM1_CONTROLS[b].tabIndex;
    });
    QWidget *previous = nullptr;
    for (const std::size_t i : byTab) {
        if (controls[i]->focusPolicy() == Qt::NoFocus)
            continue;
        if (previous)
            setTabOrder(previous, controls[i]);
        previous = controls[i];
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
    clock->RunFlag = 1;
    fillChoicesFromFiles();
    proportionalLayout.capture();
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
    proportionalLayout.windowResized();
}

void Form1::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    proportionalLayout.windowChanged(*event);
}

void Form1::closeEvent(QCloseEvent *event)
{
    // Nothing may keep running behind a closed window.
    clock->endAllRuns();
    event->accept();
}
