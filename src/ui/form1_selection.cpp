#include "ui/form1.h"

#include "catalogue/cataloguefiles.h"
#include "catalogue/cataloguemessages.h"
#include "catalogue/objectrecord.h"
#include "ui/messagepresenter.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace {

/// The message for a file that could not be read or holds no entries, or an empty text.
template <typename T>
QString readProblem(const FileRead<T> &read, qsizetype entries, const QString &listName = {})
{
    if (read.state != FileState::Done)
        return fileProblemMessage(read.state, read.path, listName);
    if (entries == 0)
        return noEntriesMessage(read.path);
    return {};
}

/// Shows a message over the main window. Before the window's first show the box has no owner:
/// owning it would create the main window's native window early, and the window manager would
/// then place the window itself instead of at the top left.
void tell(MessagePresenter *messages, Form1 *window, const QString &text)
{
    messages->showMessage(window->isVisible() ? window : nullptr, text);
}

void clearRightAscension(Form1 &window)
{
    window.Text1->clear();
    window.Text3->clear();
    window.Text4->clear();
}

void clearObjectFields(Form1 &window)
{
    clearRightAscension(window);
    window.Text2->clear();
    window.Text5->clear();
}

} // namespace

void Form1::fillChoicesFromFiles()
{
    const CatalogueFiles files(services.dataFolder);

    const FileRead<QStringList> lists = files.ReadListNames();
    if (const QString problem = readProblem(lists, lists.value.size()); !problem.isEmpty())
        tell(services.messages, this, problem);
    Combo3->addItems(lists.value);
    selectEntry(Combo3, 0);

    const FileRead<QStringList> sites = files.ReadSiteEntries();
    if (const QString problem = readProblem(sites, sites.value.size()); !problem.isEmpty())
        tell(services.messages, this, problem);
    Combo1->addItems(sites.value);
    // The first site is chosen by the activation, not by loading.
    Combo1->setCurrentIndex(-1);
    Combo1->clearEditText();
}

void Form1::windowActivated()
{
    const bool returnFromProgramWindow = focusHistory.takeReturnFromProgramWindow();
    const bool first = !activatedBefore;
    activatedBefore = true;
    if (first || returnFromProgramWindow)
        Form_Activate();
}

void Form1::Form_Activate()
{
    selectEntry(Combo1, 0);
    selectEntry(Combo2, 0);
    selectEntry(Combo3, 0);
}

void Form1::Combo3_Click()
{
    Combo2->clear();
    Combo2->clearEditText();
    const QString listName = Combo3->currentText();
    const FileRead<QStringList> names =
        CatalogueFiles(services.dataFolder).ReadObjectNames(listName);
    if (const QString problem = readProblem(names, names.value.size(), listName);
        !problem.isEmpty()) {
        // No object is chosen, so no object's values may stay in the fields.
        clearObjectFields(*this);
        tell(services.messages, this, problem);
    }
    Combo2->addItems(names.value);
    selectEntry(Combo2, 0);
}

void Form1::Combo2_Click()
{
    const QString objectName = Combo2->currentText();
    const QString listName = Combo3->currentText();
    const FileRead<QList<QStringList>> records =
        CatalogueFiles(services.dataFolder).ReadObjectRecords(listName);
    if (records.state != FileState::Done) {
        clearObjectFields(*this);
        tell(services.messages, this, fileProblemMessage(records.state, records.path, listName));
        return;
    }
    // Every record of the chosen name is shown in turn, so the last of several wins; the
    // first malformed one ends the search.
    for (const QStringList &fields : records.value) {
        const ObjectRecord record = parseObjectRecord(fields);
        if (record.name != objectName)
            continue;
        if (!showObjectRecord(record, records.path))
            return;
    }
}

bool Form1::showObjectRecord(const ObjectRecord &record, const QString &path)
{
    Text5->setPlainText(record.info);
    switch (record.problem) {
    case RecordProblem::TooFewFields:
        tell(services.messages, this, shortRecordMessage(record.name, path));
        clearRightAscension(*this);
        Text2->clear();
        return false;
    case RecordProblem::RightAscension:
        tell(services.messages, this, rightAscensionMessage(record.name));
        clearRightAscension(*this);
        return false;
    case RecordProblem::Declination:
    case RecordProblem::None:
        break;
    }
    Text1->setText(record.rightAscension[0]);
    Text3->setText(record.rightAscension[1]);
    Text4->setText(record.rightAscension[2]);
    if (record.problem == RecordProblem::Declination) {
        tell(services.messages, this, declinationMessage(record.name));
        Text2->clear();
        return false;
    }
    Text2->setText(record.declinationText());
    return true;
}

void Form1::selectEntry(QComboBox *combo, int index)
{
    if (index < 0 || index >= combo->count())
        return;
    combo->setCurrentIndex(index);
    // An unchanged index leaves typed text in place, so the entry's text is set as well.
    combo->setEditText(combo->itemText(index));
    if (combo == Combo3)
        Combo3_Click();
    else if (combo == Combo2)
        Combo2_Click();
}
