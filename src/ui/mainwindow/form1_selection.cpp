// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/mainwindow/form1.h"

#include "catalogue/cataloguefiles.h"
#include "catalogue/cataloguemessages.h"
#include "catalogue/objectrecord.h"
#include "ui/shared/messagepresenter.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace {

/// The message for a file that could not be read, has lines too long to use or holds no
/// entries, or an empty text.
template <typename T>
QString readProblem(const FileRead<T> &read, qsizetype entries, const QString &listName = {})
{
    if (read.state != FileState::Done)
        return fileProblemMessage(read.state, read.path, listName);
    if (!read.longLines.isEmpty())
        return longLinesMessage(read.path, read.longLines);
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

} // namespace

void Form1::clearRightAscension()
{
    Text1->clear();
    Text3->clear();
    Text4->clear();
}

void Form1::clearObjectFields()
{
    clearRightAscension();
    Text2->clear();
    Text5->clear();
}

void Form1::fillChoicesFromFiles()
{
    const CatalogueFiles files(services.dataFolder);

    const FileRead<QStringList> lists = files.ReadListNames();
    if (const QString problem = readProblem(lists, lists.value.size()); !problem.isEmpty())
        tell(services.messages, this, problem);
    Combo3->addItems(lists.value);
    selectEntry(Combo3, 0);

    const FileRead<QList<SiteEntry>> sites = files.ReadSites();
    if (const QString problem = readProblem(sites, sites.value.size()); !problem.isEmpty())
        tell(services.messages, this, problem);
    for (const SiteEntry &site : sites.value) {
        Combo1->addItem(site.text);
        if (!site.textProblem.isEmpty())
            tell(services.messages, this, site.textProblem);
    }
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
    loadObjectNames(Combo3->currentText(), FieldsOnProblem::Clear);
    selectEntry(Combo2, 0);
}

void Form1::listSaved(const QString &listName)
{
    // A closed main window stays hidden: nothing of it is refilled, nothing is shown.
    if (!isVisible() || Combo3->currentText() != listName)
        return;
    loadObjectNames(listName, FieldsOnProblem::Keep);
    // The saved names are listed, but none is chosen: the entry fields keep their texts.
    Combo2->setCurrentIndex(-1);
    Combo2->clearEditText();
}

void Form1::loadObjectNames(const QString &listName, FieldsOnProblem fields)
{
    Combo2->clear();
    Combo2->clearEditText();
    const FileRead<QStringList> names =
        CatalogueFiles(services.dataFolder).ReadObjectNames(listName);
    if (const QString problem = readProblem(names, names.value.size(), listName);
        !problem.isEmpty()) {
        if (fields == FieldsOnProblem::Clear)
            clearObjectFields();
        tell(services.messages, this, problem);
    }
    Combo2->addItems(names.value);
}

void Form1::Combo2_Click()
{
    const QString objectName = Combo2->currentText();
    const QString listName = Combo3->currentText();
    const FileRead<QList<QStringList>> records =
        CatalogueFiles(services.dataFolder).ReadObjectRecords(listName);
    if (records.state != FileState::Done) {
        clearObjectFields();
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
        clearRightAscension();
        Text2->clear();
        return false;
    case RecordProblem::RightAscension:
        tell(services.messages, this, rightAscensionMessage(record.name));
        clearRightAscension();
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
