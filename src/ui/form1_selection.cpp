// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/form1.h"

#include "catalogue/cataloguefiles.h"
#include "catalogue/cataloguemessages.h"
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
    for (const QStringList &fields : records.value) {
        if (CatalogueFiles::trimSpaces(fields.constFirst()) != objectName)
            continue;
        Text5->setPlainText(fields.size() == 4 ? fields[3] : QString());
        if (fields.size() < 3) {
            tell(services.messages, this, shortRecordMessage(objectName, records.path));
            clearRightAscension(*this);
            Text2->clear();
            return;
        }
        const QStringList rightAscension =
            CatalogueFiles::trimSpaces(fields[1]).split(QLatin1Char(':'));
        if (rightAscension.size() != 3) {
            tell(services.messages, this, rightAscensionMessage(objectName));
            clearRightAscension(*this);
            return;
        }
        Text1->setText(rightAscension[0]);
        Text3->setText(rightAscension[1]);
        Text4->setText(rightAscension[2]);
        const QStringList declination =
            CatalogueFiles::trimSpaces(fields[2]).split(QLatin1Char(':'));
        if (declination.size() != 3) {
            tell(services.messages, this, declinationMessage(objectName));
            Text2->clear();
            return;
        }
        Text2->setText(declination[0] + QStringLiteral("° ") + declination[1] +
                       QStringLiteral("' ") + declination[2] + QLatin1Char('"'));
    }
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
