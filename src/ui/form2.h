// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/cataloguefiles.h"

#include <QPointer>
#include <QString>
#include <QWidget>

class Form1;
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
    /// mainWindow: whose object choice a save reloads (it may be gone by then); messages: shows
    /// a failed save; programFolder: the folder of the object list files.
    Form2(Form1 *mainWindow, MessagePresenter *messages, const QString &programFolder);

    /// Shows a list's text, replacing whatever the editor held; a later save writes that list's
    /// file in the given encoding.
    void showList(const QString &listName, const QString &text, TextEncoding encoding);

    /// The list whose file a save writes.
    QString editedList() const { return listName; }

    /// "OK": saves the text, reloads the main window's object choice if that list is still the
    /// chosen one, and closes the editor. A failed save keeps the editor open with its text.
    void Command1_Click();

    /// Night colours like the main window's, or the designed look.
    void showInNightColours(bool night);

    QLabel *Label1;
    QPlainTextEdit *Text1;
    QPushButton *Command1;

    /// Writes the saves; tests replace its byte writer to simulate a write that breaks off.
    CatalogueFiles files;

private:
    void reloadObjectChoice();

    QPointer<Form1> mainWindow;
    MessagePresenter *messages;
    QString listName;
    TextEncoding encoding = TextEncoding::Windows1252;
};
