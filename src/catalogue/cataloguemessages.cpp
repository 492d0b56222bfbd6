// SPDX-License-Identifier: GPL-3.0-or-later
#include "cataloguemessages.h"

#include "catalogue/cataloguefiles.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>

namespace {

QString fileInFolder(const QString &path)
{
    const QFileInfo file(path);
    return QStringLiteral("Datei ") + file.fileName() + QStringLiteral(" im Ordner ") +
           QDir::toNativeSeparators(file.absolutePath());
}

} // namespace

QString writeFailureReason(int systemError)
{
    switch (systemError) {
    case ENOSPC:
        return QStringLiteral("Datenträger voll");
    case EDQUOT:
        return QStringLiteral("Speicherkontingent erschöpft");
    case EACCES:
    case EPERM:
        return QStringLiteral("keine Schreibberechtigung");
    case EROFS:
        return QStringLiteral("Datenträger schreibgeschützt");
    case ENOENT:
        return QStringLiteral("Ordner fehlt");
    case EISDIR:
        return QStringLiteral("an Stelle der Datei steht ein Ordner");
    case EIO:
        return QStringLiteral("Ein-/Ausgabefehler des Datenträgers");
    case ENAMETOOLONG:
        return QStringLiteral("Dateiname zu lang");
    case EBADF:
        return QStringLiteral("Ausgabe geschlossen");
    case 0:
        return QStringLiteral("Schreibfehler");
    default:
        return QStringLiteral("Systemfehler %1").arg(systemError);
    }
}

QString fileProblemMessage(FileState state, const QString &path, const QString &listName,
                           int systemError)
{
    switch (state) {
    case FileState::Missing:
        return fileInFolder(path) + QStringLiteral(" nicht gefunden!!!");
    case FileState::Unreadable:
        return fileInFolder(path) + QStringLiteral(" nicht lesbar!!!");
    case FileState::NotWritable:
        return fileInFolder(path) + QStringLiteral(" konnte nicht gespeichert werden (") +
               writeFailureReason(systemError) + QStringLiteral(")!!! Die Datei ist unverändert.");
    case FileState::TooLarge:
        return fileInFolder(path) +
               QStringLiteral(" ist größer als 1 MiB und wird nicht gelesen!!!");
    case FileState::OutsideFolder:
        return fileInFolder(path) + QStringLiteral(" verweist auf ") +
               QDir::toNativeSeparators(QFileInfo(path).symLinkTarget()) +
               QStringLiteral(" außerhalb des Datenordners und wird weder gelesen noch "
                              "gespeichert!!!");
    case FileState::ChangedMeanwhile:
        return fileInFolder(path) + QStringLiteral(" wurde inzwischen geändert!!!");
    case FileState::NameNotAllowed:
        return QStringLiteral("Listenname ") + listName +
               QStringLiteral(" nicht erlaubt (kein / oder \\, nicht . oder ..)!!!");
    case FileState::Done:
        break;
    }
    return {};
}

QString noEntriesMessage(const QString &path)
{
    return fileInFolder(path) + QStringLiteral(" enthält keine Einträge!!!");
}

QString shortRecordMessage(const QString &objectName, const QString &path)
{
    return QStringLiteral("für ") + objectName + QStringLiteral(" Datensatz in ") +
           fileInFolder(path) + QStringLiteral(" überprüfen!!!");
}

QString latitudeMessage(const QString &latitudeText, int lineNumber, const QString &path)
{
    return QStringLiteral("Breite ") + latitudeText + QStringLiteral(" in Zeile ") +
           QString::number(lineNumber) + QStringLiteral(" der ") + fileInFolder(path) +
           QStringLiteral(" überprüfen (Zahl von -90 bis 90, Punkt als Dezimalzeichen)!!!");
}

QString siteTextMessage(int lineNumber, const QString &path)
{
    return QStringLiteral("Zeile ") + QString::number(lineNumber) + QStringLiteral(" der ") +
           fileInFolder(path) +
           QStringLiteral(" nennt keinen Standort (erst die Länge in Grad, dann der Name) und "
                          "steht für Länge 0, überprüfen!!!");
}

QString rightAscensionMessage(const QString &objectName)
{
    return QStringLiteral("für ") + objectName + QStringLiteral(" Rektaszension überprüfen!!!");
}

QString declinationMessage(const QString &objectName)
{
    return QStringLiteral("für ") + objectName + QStringLiteral(" Deklination überprüfen!!!");
}

namespace {

QString lineNumbersText(const QList<qsizetype> &lineNumbers)
{
    // A handful of numbers tell where to look; a file of nothing but long lines needs no more.
    constexpr qsizetype SHOWN = 5;
    QStringList numbers;
    for (qsizetype i = 0; i < lineNumbers.size() && i < SHOWN; ++i)
        numbers.append(QString::number(lineNumbers[i]));
    if (lineNumbers.size() > SHOWN)
        numbers.append(QStringLiteral("… (%1 insgesamt)").arg(lineNumbers.size()));
    return (lineNumbers.size() == 1 ? QStringLiteral(": Zeile ") : QStringLiteral(": Zeilen ")) +
           numbers.join(QStringLiteral(", "));
}

} // namespace

QString longLinesMessage(const QString &path, const QList<qsizetype> &lineNumbers)
{
    const bool one = lineNumbers.size() == 1;
    return fileInFolder(path) + lineNumbersText(lineNumbers) +
           (one ? QStringLiteral(" ist länger als %1 Zeichen und wird übersprungen!!!")
                : QStringLiteral(" sind länger als %1 Zeichen und werden übersprungen!!!"))
               .arg(MAX_LINE_CHARACTERS);
}

QString controlCharactersMessage(const QString &path, const QList<qsizetype> &lineNumbers)
{
    return fileInFolder(path) + lineNumbersText(lineNumbers) +
           QStringLiteral(": Steuerzeichen (etwa ein Nullzeichen) in Objekt, Rektaszension oder "
                          "Deklination werden als \uFFFD ausgegeben, ein Tabulator als "
                          "Leerzeichen!!!");
}

QString longLinesNotEditableMessage(const QString &path, const QList<qsizetype> &lineNumbers)
{
    return fileInFolder(path) + lineNumbersText(lineNumbers) +
           (lineNumbers.size() == 1 ? QStringLiteral(" ist") : QStringLiteral(" sind")) +
           QStringLiteral(" länger als %1 Zeichen; die Datei lässt sich nur mit einem anderen "
                          "Texteditor bearbeiten!!!")
               .arg(MAX_LINE_CHARACTERS);
}

QString changedMeanwhileQuestion(const QString &path)
{
    return fileInFolder(path) +
           QStringLiteral(" wurde geändert, seit der Editor sie geöffnet hat (etwa von einem "
                          "zweiten Zenitor). Mit dem Text des Editors überschreiben?\n\n"
                          "Nein behält die andere Fassung; der Text bleibt im Editor.");
}
