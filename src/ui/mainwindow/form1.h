// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/cataloguefiles.h"
#include "clock/siderealclock.h"
#include "ui/mainwindow/focushistory.h"
#include "ui/mainwindow/proportionallayout.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <array>
#include <memory>

class ClockPause;
class Form2;
class Form3;
class MessagePresenter;
struct ObjectRecord;
class PictureBox;
class PlanWindow;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class TimeSource;

/// What the main window needs from outside: the clock, the pause, the message
/// box, the folder of the data files and the writer of saves. Tests pass their own.
struct Form1Services
{
    TimeSource *timeSource;
    ClockPause *pause;
    MessagePresenter *messages;
    QString dataFolder;
    /// Writes the bytes of the editor's saves.
    ByteWriter writeBytes = writeAllBytes;
};

/// The main window: site, list and object choice, the four readouts and the buttons.
class Form1 : public QWidget
{
    Q_OBJECT
public:
    explicit Form1(const Form1Services &services, QWidget *parent = nullptr);
    ~Form1() override;

    // Handlers of the window and its controls.
    void Form_Resize();
    void Form_Activate();
    void Combo3_Click();
    void Combo2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();

    /// For tests: the captured ratios are finer than any pixel, and the saved size tells when
    /// the aspect step has settled, which the window's geometry alone cannot.
    const ProportionalLayout &layout() const;
    /// The editor and the help window while they exist, else null.
    Form2 *editorWindow() const;
    Form3 *helpWindow() const;

    /// The menu of a right-click on the window's background, built afresh for each request.
    QMenu *createBackgroundMenu();
    /// Switches the night colours of the editor and the help window, open or opened later.
    void setAllWindowsNight(bool night);

    /// Opens the observing plan, or brings the open one to the front.
    void openPlanWindow();
    PlanWindow *planWindow() const;
    /// Chooses the object of that name as a choice in the object list does; a message when the
    /// object list holds no such name.
    void chooseObject(const QString &name);

    /// Opens the background menu for the keyboard (Shift+F10, the menu key) at the focused
    /// control, unless that control has a menu of its own, which then opens instead.
    void openContextMenuForKeyboard();

public slots:
    /// What "Hilfe" does: opens the help window or brings the open one to the front (F1).
    void openHelpWindow();
    /// Full screen and back (F11): at night the window manager's bright frame then vanishes.
    void toggleFullScreen();

protected:
    bool event(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    /// What becomes of the entry fields when the object names cannot be read.
    enum class FieldsOnProblem
    {
        Clear, ///< no object is chosen, so no object's values may stay
        Keep,  ///< after a save: the fields keep their texts
    };

    void createControls();
    void setDesignFonts();
    void setTabOrder();
    void connectHandlers();
    void connectKeys();
    void Form_Load();
    void fillChoicesFromFiles();
    /// Fills the object choice with the names of a list, none of them chosen yet.
    void loadObjectNames(const QString &listName, FieldsOnProblem fields);
    /// The editor saved a list: the object choice shows its names if it is the chosen list.
    void listSaved(const QString &listName);
    /// Selects entry index of a choice list from code and runs its handler at once.
    void selectEntry(QComboBox *combo, int index);
    void windowActivated();
    void clearRightAscension();
    void clearObjectFields();
    /// Puts one record of the chosen object into the fields, or shows its problem and empties
    /// the fields it concerns; false when the search ends there.
    bool showObjectRecord(const ObjectRecord &record, const QString &path);
    void connectPlanWindow();
    void planListSaved(const QString &listName);
    void closePlanWindow();
    /// Says once why "Alle Fenster in Nachtfarben" is not kept across starts.
    void tellNightNotice();

    QLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6, *Label7, *Label8, *Label9,
        *Label10, *Label11, *Label12, *Label13, *Label14;
    QComboBox *Combo1, *Combo2, *Combo3;
    QLineEdit *Text1, *Text2, *Text3, *Text4;
    QPlainTextEdit *Text5;
    QCheckBox *Check1;
    QPushButton *Command1, *Command2, *Command3, *Command4, *Command5;
    PictureBox *Picture1, *Picture2, *Picture3, *Picture4;

    Form1Services services;
    /// The control of each row of the design table.
    ProportionalLayout::Widgets controls{};
    std::unique_ptr<SiderealClock> clock;
    /// Keeps the window at 4:3 and its controls in proportion; captured at the end of loading.
    std::unique_ptr<ProportionalLayout> proportionalLayout;
    QPointer<Form2> editor;
    QPointer<Form3> help;
    QPointer<PlanWindow> plan;

    // The activation defaults apply on the first activation and on a return from the editor
    // or the help window, so the window tracks the focus.
    FocusHistory focusHistory{this};
    bool activatedBefore = false;
};
