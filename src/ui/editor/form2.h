// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/cataloguefiles.h"
#include "ui/editor/listcheck.h"

#include <QString>
#include <QWidget>

class MessagePresenter;
class QLabel;
class QPlainTextEdit;
class QPushButton;

/// The object list editor: the whole text of one object list file, saved by "OK". It has no
/// owner and does not block the main window; closing it destroys it (Qt::WA_DeleteOnClose).
class Form2 : public QWidget
{
    Q_OBJECT
public:
    /// messages: shows a failed save; programFolder: the folder of the object list files;
    /// writeBytes: writes the bytes of a save.
    Form2(MessagePresenter *messages, const QString &programFolder,
          ByteWriter writeBytes = writeAllBytes);

    /// Shows a list's text, replacing whatever the editor held; a later save writes that list's
    /// file in the given encoding. loaded: the file as it was read, so that a save notices
    /// another program's change since.
    void showList(const QString &listName, const QString &text, TextEncoding encoding,
                  const FileStamp &loaded = {});

    /// The list whose file a save writes.
    QString editedList() const { return listName; }

    /// "OK": saves the text, reloads the main window's object choice if that list is still the
    /// chosen one, and closes the editor. A failed save keeps the editor open with its text, as
    /// does the choice to keep a version another program saved meanwhile.
    void Command1_Click();

    /// Night colours like the main window's, or the designed look.
    void showInNightColours(bool night);

    /// What the editor tells about the text as it stands: the lines the object choice would
    /// refuse or misread, and names on more than one line.
    const ListCheck &check() const { return lastCheck; }
    /// The status line under the text.
    QLabel *statusLine() const { return Label2; }

signals:
    /// A list's file has been written; the main window reloads its object choice from it.
    void listSaved(const QString &listName);

protected:
    /// The close box discards the text, after asking when it was changed.
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool textChanged() const;
    /// Judges the text again, marks the lines with problems and fills the status line.
    void checkText();
    void markProblemLines();
    /// Puts the text cursor at the start of a line, from 1.
    void goToLine(qsizetype line);

    bool night = false;
    ListCheck lastCheck;
    /// Not part of the design: the status line of the check, left of "OK".
    QLabel *Label2;

    QLabel *Label1;
    QPlainTextEdit *Text1;
    QPushButton *Command1;

    CatalogueFiles files;
    MessagePresenter *messages;
    QString listName;
    TextEncoding encoding = TextEncoding::Windows1252;
    QString loadedText;
    FileStamp loadedStamp;
    bool saved = false;
};
