// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/form1.h"

#include "catalogue/cataloguefiles.h"
#include "catalogue/cataloguemessages.h"
#include "ui/form2.h"
#include "ui/messagepresenter.h"
#include "ui/nightchoice.h"

#include <QComboBox>

void Form1::Command3_Click()
{
    const QString listName = Combo3->currentText();
    const FileRead<QString> read = CatalogueFiles(services.dataFolder).ReadListText(listName);
    // A missing file opens an empty editor, whose save creates the file; a file that is there
    // but cannot be read must not be replaced by an empty one.
    if (read.state != FileState::Done && read.state != FileState::Missing) {
        services.messages->showMessage(this, fileProblemMessage(read.state, read.path, listName));
        return;
    }
    if (editorWindow.isNull()) {
        editorWindow = new Form2(this, services.messages, services.dataFolder);
        editorWindow->showInNightColours(AllWindowsNight::isChosen());
    }
    editorWindow->showList(listName, read.value, read.encoding);
    editorWindow->show();
    editorWindow->raise();
    editorWindow->activateWindow();
}
