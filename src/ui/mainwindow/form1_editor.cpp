// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/mainwindow/form1.h"

#include "catalogue/cataloguefiles.h"
#include "catalogue/cataloguemessages.h"
#include "ui/editor/form2.h"
#include "ui/shared/messagepresenter.h"
#include "ui/shared/nightchoice.h"
#include "ui/shared/windowplacement.h"

#include <QComboBox>

void Form1::Command3_Click()
{
    const QString listName = Combo3->currentText();
    const FileRead<QString> read = CatalogueFiles(services.dataFolder).ReadListText(listName);
    // A missing file opens an empty editor, whose save creates the file; a file that is there
    // but cannot be read (or is too large to) must not be replaced by an empty one.
    if (read.state != FileState::Done && read.state != FileState::Missing) {
        services.messages->showMessage(this, fileProblemMessage(read.state, read.path, listName));
        return;
    }
    // Laying out a line of that length keeps the editor busy for minutes, and leaving the line
    // out would lose it on the next save.
    if (!read.longLines.isEmpty()) {
        services.messages->showMessage(this,
                                       longLinesNotEditableMessage(read.path, read.longLines));
        return;
    }
    if (editor.isNull()) {
        editor = new Form2(services.messages, services.dataFolder, services.writeBytes);
        connect(editor, &Form2::listSaved, this, &Form1::listSaved);
        connect(editor, &Form2::listSaved, this, &Form1::planListSaved);
        focusHistory.countAsProgramWindow(editor);
        editor->showInNightColours(AllWindowsNight::isChosen());
        placeOnScreenOf(editor, this);
    }
    editor->showList(listName, read.value, read.encoding, read.stamp);
    editor->show();
    editor->raise();
    editor->activateWindow();
}
