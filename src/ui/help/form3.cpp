// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/help/form3.h"

#include "catalogue/cataloguefiles.h"
#include "ui/shared/captionlabel.h"
#include "ui/shared/designfont.h"
#include "ui/shared/nightvision.h"
#include "ui/shared/twips.h"
#include "zenitorversion.h"

#include <QColor>
#include <QDir>
#include <QFont>
#include <QLabel>
#include <QPalette>
#include <QShortcut>
#include <QString>
#include <QStringList>

namespace {

/// Design client area of the page, in twips.
constexpr int CLIENT_WIDTH_TWIPS = 10680;
constexpr int CLIENT_HEIGHT_TWIPS = 7725;
/// The section on what this program adds lies below the designed page, which keeps its size.
constexpr int ADDED_SECTION_TOP_TWIPS = 7800;
constexpr int ADDED_SECTION_BOTTOM_TWIPS = 10695;

enum class LabelStyle
{
    Title,
    Heading,
    Emphasis,
    Body
};

struct HelpLabel
{
    QLabel *Form3::*member;
    const char *name;
    LabelStyle style;
    int left;         ///< twips from the client area's left edge
    int top;          ///< twips from the client area's top edge
    int width;        ///< twips
    int height;       ///< twips
    const char *text; ///< UTF-8
};

// Top to bottom; later rows are raised above earlier ones where boxes overlap.
constexpr HelpLabel HELP_LABELS[] = {
    {&Form3::Label1, "Label1", LabelStyle::Title, 120, 120, 2655, 495,
     "Zenitor Version " ZENITOR_VERSION},
    {&Form3::Label2, "Label2", LabelStyle::Emphasis, 120, 480, 10335, 375,
     "Ein Programm zur Bestimmung des Stundenwinkels von Objekten als Beobachtungshilfe."},
    {&Form3::Label3, "Label3", LabelStyle::Heading, 120, 840, 10575, 255, "1. Standort festlegen"},
    {&Form3::Label4, "Label4", LabelStyle::Body, 120, 1200, 10335, 975,
     "Legen Sie zuerst die geografische Länge Ihres Beobachtungsortes fest, indem Sie im "
     "Auswahlfeld einen Ort wählen. Fehlt Ihr Ort, können Sie ihn mit einem beliebigen "
     "Texteditor in die Datei „{siteFile}“ im Ordner „{dataFolder}“ eintragen. Die Länge "
     "wird als Dezimalzahl geschrieben, östliche Länge positiv und westliche Länge negativ. Sie "
     "können einen Standort auch direkt in das Feld „geografische Länge“ eingeben; er wird dann "
     "aber nicht gespeichert."},
    {&Form3::Label5, "Label5", LabelStyle::Heading, 120, 2280, 9015, 255,
     "2. Auswählen der Beobachtungobjektes"},
    {&Form3::Label6, "Label6", LabelStyle::Body, 120, 2640, 10455, 975,
     "Wählen Sie zuerst im Auswahlfeld „Liste“ die Objektliste. Mitgeliefert werden vier Listen "
     "mit den Messier-Objekten, die in der jeweiligen Jahreszeit gut zu beobachten sind. Danach "
     "wählen Sie in der Liste „Objekt“ das gewünschte Objekt. Für ein Objekt, das in keiner Liste "
     "steht (zum Beispiel einen Planeten), können Sie Rektaszension und Deklination direkt in "
     "ihre Felder eingeben; die Werte werden dann aber nicht gespeichert."},
    {&Form3::Label7, "Label7", LabelStyle::Heading, 120, 3600, 9015, 255,
     "3. Start und Beendigung der Uhr"},
    {&Form3::Label8, "Label8", LabelStyle::Body, 120, 3960, 10455, 735,
     "Starten Sie die Uhr mit dem Button „Start“. Während der Sommerzeit muss das Kästchen "
     "„Sommerzeit“ angekreuzt sein. Zum Beenden des Programms müssen Sie erst die Uhr mit dem "
     "Button „Stop“ anhalten; danach verlassen Sie das Programm mit „Ende“."},
    {&Form3::Label9, "Label9", LabelStyle::Heading, 120, 4680, 9015, 255,
     "4. Bearbeitung vorhandener und Erstellung neuer Objektlisten"},
    {&Form3::Label10, "Label10", LabelStyle::Body, 120, 5040, 10455, 735,
     "Die Objektlisten heißen „Fruehling.txt“, „Sommer.txt“, „Herbst.txt“ und „Winter.txt“. "
     "Mit dem Button „Edit“ ergänzen Sie die Datei der unter „Liste“ gewählten Liste; jeder "
     "andere Texteditor eignet sich ebenso. Informationen zu einem Objekt können Sie in seinen "
     "Datensatz schreiben; sie erscheinen dann im Feld „Info“."},
    {&Form3::Label11, "Label11", LabelStyle::Body, 120, 5760, 9015, 255,
     "Bei der Eingabe der Daten in die Datei entsprechende Datei ist folgender Syntax zu "
     "beachten:"},
    {&Form3::Label12, "Label12", LabelStyle::Emphasis, 120, 6120, 9015, 255,
     "Objekt;Rektaszension (hh:mm:ss);Deklination (grad:min:sek);Info"},
    {&Form3::Label13, "Label13", LabelStyle::Body, 120, 6480, 10455, 375,
     "Das Semikolon darf nur als Trennzeichen dieser Syntax vorkommen. Auch ein Datensatz ohne "
     "Info braucht das Semikolon vor der leeren Info."},
    {&Form3::Label14, "Label14", LabelStyle::Body, 120, 6960, 10455, 735,
     "Neue Objektdateien können Sie unter beliebigem Namen als „.txt“-Datei im Ordner "
     "„{dataFolder}“ anlegen; jede muss mindestens einen Datensatz enthalten. Tragen Sie "
     "danach den Dateinamen ohne „.txt“ mit einem beliebigen Texteditor als neue Zeile in die "
     "Datei „{listIndexFile}“ ein."},
    // Not part of the designed page: what this program adds, below it.
    {&Form3::Label15, "Label15", LabelStyle::Heading, 120, ADDED_SECTION_TOP_TWIPS, 10455, 255,
     "5. Was dieses Programm ergänzt"},
    {&Form3::Label16, "Label16", LabelStyle::Body, 120, 8160, 10455, 735,
     "F1 öffnet diese Hilfe, Esc schließt sie. F2 öffnet den „Beobachtungsplan“: alle Objekte "
     "der gewählten Liste mit Stundenwinkel, Meridiandurchgang, Höhe und Azimut; ein Doppelklick "
     "auf den Stundenwinkel tut dasselbe. F11 schaltet das Hauptfenster auf Vollbild und zurück. "
     "Mit Tab wandern Sie von Feld zu Feld; ein roter Rahmen zeigt, wo Sie stehen."},
    {&Form3::Label17, "Label17", LabelStyle::Body, 120, 8880, 10455, 735,
     "Ein Rechtsklick auf den Hintergrund des Hauptfensters, Umschalt+F10 oder die Menütaste "
     "öffnen ein Menü mit „Beobachtungsplan“ und „Alle Fenster in Nachtfarben“; ist dieser "
     "Eintrag angekreuzt, erscheinen auch der Editor und diese Hilfe rot auf Schwarz. Im Editor "
     "speichern Strg+S und Strg+Eingabe wie „OK“, Esc schließt ihn; Zeilen, die die "
     "Objektauswahl nicht lesen kann, werden markiert."},
    {&Form3::Label18, "Label18", LabelStyle::Body, 120, 9600, 10455, 495,
     "In „{siteFile}“ kann hinter dem Ort, durch ein Semikolon getrennt, als zweites Feld die "
     "geografische Breite stehen (nördlich positiv, zum Beispiel „13.41 Berlin;52.52“); der "
     "Beobachtungsplan braucht sie für Höhe und Azimut."},
    {&Form3::Label19, "Label19", LabelStyle::Body, 120, 10080, 10455, 495,
     "Den Beobachtungsplan gibt „zenitor --plan“ auch ohne Fenster als Text aus, Dämmerung und "
     "Mond der Nacht „zenitor --nacht“; „zenitor --help“ nennt alle Möglichkeiten der "
     "Befehlszeile."},
};

/// The folder as a user reads it: the home folder written "~", as shells and file managers do.
QString folderForReading(const QString &folder)
{
    const QString clean = QDir::cleanPath(folder);
    const QString home = QDir::cleanPath(QDir::homePath());
    if (home != QLatin1String("/") && (clean == home || clean.startsWith(home + QLatin1Char('/'))))
        return QDir::toNativeSeparators(QLatin1Char('~') + clean.mid(home.size()));
    return QDir::toNativeSeparators(clean);
}

/// The page text with the data folder in use and the data files' names as they are there.
QString pageText(const char *text, const QString &dataFolder)
{
    const CatalogueFiles files(dataFolder);
    QString page = QString::fromUtf8(text);
    page.replace(QLatin1String("{dataFolder}"), folderForReading(dataFolder));
    page.replace(QLatin1String("{siteFile}"), files.siteFileName());
    page.replace(QLatin1String("{listIndexFile}"), files.listIndexFileName());
    return page;
}

// Liberation Serif is the metric twin of Times New Roman, so the title keeps its design width.
QFont titleFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif")});
    font.setStyleHint(QFont::Serif);
    font.setPointSizeF(12.0);
    font.setBold(true);
    font.setUnderline(true);
    return font;
}

// MS Sans Serif is a Windows bitmap font that fontconfig would replace by the much wider DejaVu
// Sans; the design font is as narrow and matches the main window.
QFont pageFont(bool bold)
{
    return designFont(8.25, bold);
}

QFont fontFor(LabelStyle style)
{
    switch (style) {
    case LabelStyle::Title:
        return titleFont();
    case LabelStyle::Heading:
    case LabelStyle::Emphasis:
        return pageFont(true);
    case LabelStyle::Body:
        break;
    }
    return pageFont(false);
}

QColor textColourFor(LabelStyle style, bool night)
{
    switch (style) {
    case LabelStyle::Title:
        return QColor(255, 0, 0);
    case LabelStyle::Heading:
        return night ? QColor(224, 0, 0) : QColor(0, 128, 0);
    case LabelStyle::Emphasis:
    case LabelStyle::Body:
        break;
    }
    return night ? NightVision::text : QColor(0, 0, 0);
}

} // namespace

Form3::Form3(const QString &dataFolder, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Hilfe"));
    setObjectName(QStringLiteral("Form3"));

    resize(twipsToPixels(CLIENT_WIDTH_TWIPS), twipsToPixels(ADDED_SECTION_BOTTOM_TWIPS));
    static_assert(ADDED_SECTION_TOP_TWIPS > CLIENT_HEIGHT_TWIPS);

    // No layout: the labels keep their design place, so a smaller window cuts the page off.
    for (const HelpLabel &design : HELP_LABELS) {
        // A long folder name must not cut off the end of its paragraph.
        auto *label = new CaptionLabel(pageText(design.text, dataFolder), this);
        label->setObjectName(QString::fromLatin1(design.name));
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setFont(fontFor(design.style));
        label->setAutoFillBackground(true);
        label->setGeometry(
            twipsToPixels(QRect(design.left, design.top, design.width, design.height)));
        label->raise();
        this->*design.member = label;
    }
    setAutoFillBackground(true);
    showInNightColours(false);

    auto *leave = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(leave, &QShortcut::activated, this, &Form3::close);
}

void Form3::showInNightColours(bool night)
{
    const QColor page = night ? NightVision::background : QColor(255, 255, 255);
    if (night)
        NightVision::applyToWindow(this);
    else
        NightVision::removeFromWindow(this);
    QPalette pagePalette = palette();
    pagePalette.setColor(QPalette::Window, page);
    setPalette(pagePalette);
    for (const HelpLabel &design : HELP_LABELS) {
        QLabel *label = this->*design.member;
        QPalette labelPalette = label->palette();
        labelPalette.setColor(QPalette::Window, page);
        labelPalette.setColor(QPalette::WindowText, textColourFor(design.style, night));
        label->setPalette(labelPalette);
    }
}
