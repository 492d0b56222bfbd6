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
    if (editor.isNull()) {
        editor = new Form2(services.messages, services.dataFolder, services.writeBytes);
        editor->showInNightColours(AllWindowsNight::isChosen());
        connect(editor, &Form2::listSaved, this, &Form1::listSaved);
        focusHistory.countAsProgramWindow(editor);
    }
    editor->showList(listName, read.value, read.encoding);
    editor->show();
    editor->raise();
    editor->activateWindow();
}
