// SPDX-License-Identifier: GPL-3.0-or-later
#include "form2.h"

#include "catalogue/cataloguemessages.h"
#include "ui/shared/buttonkeys.h"
#include "ui/shared/designfont.h"
#include "ui/shared/focusmark.h"
#include "ui/shared/messagepresenter.h"
#include "ui/shared/nightvision.h"
#include "ui/shared/twips.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTextBlock>
#include <QTextDocument>

#include <utility>

namespace {

constexpr int CLIENT_WIDTH = 6780; // twips
constexpr int CLIENT_HEIGHT = 4935;
/// The controls' design places in the client area, twips.
constexpr QRect LABEL1{0, 0, 5775, 375};
constexpr QRect TEXT1{0, 360, 6735, 4095};
constexpr QRect COMMAND1{5640, 4560, 1095, 255};
/// The status line of the check, in the free room left of "OK".
constexpr QRect STATUS_LINE{0, 4560, 5580, 255};
/// Background of a line the check warns about by day.
const QColor DAY_WARNING_LINE(255, 226, 160);

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
    pressOnReturn(Command1);

    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setFont(designFont(8.25, false));
    Label2->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Label2->setTextFormat(Qt::PlainText);
    Label2->setGeometry(twipsToPixels(STATUS_LINE));

    setTabOrder(Text1, Command1);
    Text1->setFocus();
    connect(Command1, &QPushButton::clicked, this, &Form2::Command1_Click);
    connect(Text1, &QPlainTextEdit::textChanged, this, &Form2::checkText);

    // Keys for gloved hands: save as "OK" does, leave as the close box does.
    for (const QKeySequence &keys :
         {QKeySequence(Qt::CTRL | Qt::Key_S), QKeySequence(Qt::CTRL | Qt::Key_Return),
          QKeySequence(Qt::CTRL | Qt::Key_Enter)}) {
        auto *save = new QShortcut(keys, this);
        connect(save, &QShortcut::activated, this, &Form2::Command1_Click);
    }
    auto *leave = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(leave, &QShortcut::activated, this, &Form2::close);
    // Tab is a character of the text; Ctrl+Tab and Ctrl+Shift+Tab move the focus on.
    Text1->installEventFilter(this);
    FocusMark::install(this);
}

bool Form2::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Text1 && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) &&
            key->modifiers().testFlag(Qt::ControlModifier)) {
            const bool back =
                key->key() == Qt::Key_Backtab || key->modifiers().testFlag(Qt::ShiftModifier);
            focusNextPrevChild(!back);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Form2::checkText()
{
    lastCheck = checkListText(editedText(Text1));
    Label2->setText(lastCheck.statusText());
    markProblemLines();
}

void Form2::markProblemLines()
{
    QList<QTextEdit::ExtraSelection> marks;
    QTextCharFormat format;
    format.setBackground(night ? NightVision::warningLine : DAY_WARNING_LINE);
    format.setProperty(QTextFormat::FullWidthSelection, true);
    for (const LineProblem &problem : lastCheck.problems) {
        const QTextBlock block = Text1->document()->findBlockByNumber(int(problem.line - 1));
        if (!block.isValid())
            continue;
        QTextEdit::ExtraSelection mark;
        mark.cursor = QTextCursor(block);
        mark.format = format;
        marks.append(mark);
    }
    Text1->setExtraSelections(marks);
}

void Form2::goToLine(qsizetype line)
{
    const QTextBlock block = Text1->document()->findBlockByNumber(int(line - 1));
    if (block.isValid())
        Text1->setTextCursor(QTextCursor(block));
    Text1->setFocus();
}

void Form2::showInNightColours(bool night)
{
    this->night = night;
    if (night)
        NightVision::applyToWindow(this);
    else
        NightVision::removeFromWindow(this);
    // Qt draws the text cursor by inverting the black below, white; the focus mark draws it red.
    // After the palette: a change of palette sets the width back.
    Text1->setCursorWidth(night ? 0 : 1);
    markProblemLines();
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
    // Saved as typed if the observer says so; the text is never changed behind their back.
    const ListCheck check = checkListText(text);
    if (!check.problems.isEmpty() && !messages->askYesNo(this, check.saveQuestion())) {
        goToLine(check.problems.constFirst().line);
        return;
    }
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
