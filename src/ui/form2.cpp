// SPDX-License-Identifier: GPL-3.0-or-later
#include "form2.h"

#include "catalogue/cataloguemessages.h"
#include "ui/form1.h"
#include "ui/messagepresenter.h"
#include "ui/nightvision.h"
#include "ui/twips.h"

#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>

namespace {

/// A control's design place in the client area, twips.
struct EditorGeometry
{
    int left, top, width, height;
};

constexpr int CLIENT_WIDTH = 6780; // twips
constexpr int CLIENT_HEIGHT = 4935;
constexpr EditorGeometry LABEL1{0, 0, 5775, 375};
constexpr EditorGeometry TEXT1{0, 360, 6735, 4095};
constexpr EditorGeometry COMMAND1{5640, 4560, 1095, 255};

void place(QWidget *widget, const EditorGeometry &geometry)
{
    widget->setGeometry(twipsToPixels(geometry.left), twipsToPixels(geometry.top),
                        twipsToPixels(geometry.width), twipsToPixels(geometry.height));
}

// toPlainText() would turn non-breaking spaces into plain ones; the raw text keeps every
// character and has only the document's own separators to turn back into line breaks.
QString editedText(const QPlainTextEdit *edit)
{
    QString text = edit->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return text;
}

} // namespace

Form2::Form2(Form1 *mainWindow, MessagePresenter *messages, const QString &programFolder)
    : files(programFolder), mainWindow(mainWindow), messages(messages)
{
    setAttribute(Qt::WA_DeleteOnClose);
    resize(twipsToPixels(CLIENT_WIDTH), twipsToPixels(CLIENT_HEIGHT));

    Label1 = new QLabel(
        QStringLiteral("Objekt;Rektaszension(h:m:s);Deklination(grad:min:sek);Info"), this);
    QFont labelFont(QStringLiteral("MS Sans Serif"));
    labelFont.setPointSizeF(8.25);
    labelFont.setBold(true);
    Label1->setFont(labelFont);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1->setObjectName(QStringLiteral("Label1"));
    place(Label1, LABEL1);

    Text1 = new QPlainTextEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Text1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    place(Text1, TEXT1);

    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    place(Command1, COMMAND1);

    setTabOrder(Text1, Command1);
    Text1->setFocus();
    connect(Command1, &QPushButton::clicked, this, &Form2::Command1_Click);
}

void Form2::showInNightColours(bool night)
{
    if (night)
        NightVision::applyToWindow(this);
    else
        NightVision::removeFromWindow(this);
}

void Form2::showList(const QString &listName, const QString &text, TextEncoding encoding)
{
    this->listName = listName;
    this->encoding = encoding;
    setWindowTitle(listName + QStringLiteral(".txt"));
    Text1->setPlainText(text);
}

void Form2::Command1_Click()
{
    // The file is the one the editor was opened for: the list choice may show another by now.
    const FileWrite saved = files.WriteListText(listName, editedText(Text1), encoding);
    if (saved.state != FileState::Done) {
        messages->showMessage(this, fileProblemMessage(saved.state, saved.path, listName));
        return;
    }
    encoding = saved.encoding;
    reloadObjectChoice();
    close();
}

void Form2::reloadObjectChoice()
{
    // A closed main window stays hidden: nothing of it is refilled, nothing is shown.
    if (!mainWindow || !mainWindow->isVisible())
        return;
    if (mainWindow->Combo3->currentText() != listName)
        return;
    QComboBox *objects = mainWindow->Combo2;
    objects->clear();
    objects->clearEditText();
    const FileRead<QStringList> names = files.ReadObjectNames(listName);
    if (names.state != FileState::Done)
        messages->showMessage(mainWindow, fileProblemMessage(names.state, names.path, listName));
    else if (names.value.isEmpty())
        messages->showMessage(mainWindow, noEntriesMessage(names.path));
    objects->addItems(names.value);
    // The saved names are listed, but none is chosen: the entry fields keep their texts.
    objects->setCurrentIndex(-1);
    objects->clearEditText();
}
