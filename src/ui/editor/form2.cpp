// SPDX-License-Identifier: GPL-3.0-or-later
#include "form2.h"

#include "catalogue/cataloguemessages.h"
#include "ui/shared/designfont.h"
#include "ui/shared/messagepresenter.h"
#include "ui/shared/nightvision.h"
#include "ui/shared/twips.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>

#include <utility>

namespace {

constexpr int CLIENT_WIDTH = 6780; // twips
constexpr int CLIENT_HEIGHT = 4935;
/// The controls' design places in the client area, twips.
constexpr QRect LABEL1{0, 0, 5775, 375};
constexpr QRect TEXT1{0, 360, 6735, 4095};
constexpr QRect COMMAND1{5640, 4560, 1095, 255};

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

Form2::Form2(MessagePresenter *messages, const QString &programFolder, ByteWriter writeBytes)
    : files(programFolder, std::move(writeBytes)), messages(messages)
{
    setAttribute(Qt::WA_DeleteOnClose);
    resize(twipsToPixels(CLIENT_WIDTH), twipsToPixels(CLIENT_HEIGHT));

    Label1 = new QLabel(
        QStringLiteral("Objekt;Rektaszension(h:m:s);Deklination(grad:min:sek);Info"), this);
    // MS Sans Serif of the design is a Windows bitmap font; the design font is as narrow.
    Label1->setFont(designFont(8.25, true));
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(twipsToPixels(LABEL1));

    Text1 = new QPlainTextEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Text1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Text1->setGeometry(twipsToPixels(TEXT1));

    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(twipsToPixels(COMMAND1));

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

void Form2::showList(const QString &listName, const QString &text, TextEncoding encoding,
                     const FileStamp &loaded)
{
    this->listName = listName;
    this->encoding = encoding;
    loadedStamp = loaded;
    setWindowTitle(listName + QStringLiteral(".txt"));
    Text1->setPlainText(text);
    loadedText = editedText(Text1);
}

bool Form2::textChanged() const
{
    return editedText(Text1) != loadedText;
}

void Form2::Command1_Click()
{
    // The file is the one the editor was opened for: the list choice may show another by now.
    const QString text = editedText(Text1);
    FileWrite written = files.WriteListText(listName, text, encoding, &loadedStamp);
    if (written.state == FileState::ChangedMeanwhile) {
        if (!messages->askYesNo(this, changedMeanwhileQuestion(written.path)))
            return;
        written = files.WriteListText(listName, text, encoding);
    }
    if (written.state != FileState::Done) {
        messages->showMessage(
            this, fileProblemMessage(written.state, written.path, listName, written.systemError));
        return;
    }
    encoding = written.encoding;
    saved = true;
    emit listSaved(listName);
    close();
}

void Form2::closeEvent(QCloseEvent *event)
{
    if (!saved && textChanged() &&
        !messages->askYesNo(this, QStringLiteral("Änderungen verwerfen?"))) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}
