#pragma once

#include "catalogue/focushistory.h"
#include "clock/siderealclock.h"

#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <array>
#include <memory>
#include <string_view>

class ClockPause;
class Form2;
class Form3;
class MessagePresenter;
class PictureBox;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class TimeSource;

/// What the main window needs from outside: the clock, the pause, the message
/// box and the folder of the data files. Tests pass their own.
struct Form1Services
{
    TimeSource *timeSource;
    ClockPause *pause;
    MessagePresenter *messages;
    QString dataFolder;
};

/// A control's place as fractions of the window's outer size at load.
struct LayoutRatios
{
    float TopRatio = 0;
    float LeftRatio = 0;
    float WidthRatio = 0;
    float HeightRatio = 0; ///< unused for combo boxes, whose height follows their font
};

/// The main window: site, list and object choice, the four readouts and the buttons.
class Form1 : public QWidget
{
    Q_OBJECT
public:
    explicit Form1(const Form1Services &services, QWidget *parent = nullptr);
    ~Form1() override;

    /// The widget built for a control of the design table, by its name.
    QWidget *control(std::string_view name) const;

    QLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6, *Label7, *Label8, *Label9,
        *Label10, *Label11, *Label12, *Label13, *Label14;
    QComboBox *Combo1, *Combo2, *Combo3;
    QLineEdit *Text1, *Text2, *Text3, *Text4;
    QPlainTextEdit *Text5;
    QCheckBox *Check1;
    QPushButton *Command1, *Command2, *Command3, *Command4, *Command5;
    PictureBox *Picture1, *Picture2, *Picture3, *Picture4;

    std::unique_ptr<SiderealClock> clock;

    // Handlers of the window and its controls.
    void Form_Resize();
    void Form_Activate();
    void Combo3_Click();
    void Combo2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();

    QPointer<Form2> editorWindow;
    QPointer<Form3> helpWindow;

    // Proportional layout state, captured at the end of loading.
    std::array<LayoutRatios, 32> layoutRatios{};
    float SavedWidth = 0;
    float SavedHeight = 0;

protected:
    bool event(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls();
    void connectHandlers();
    void Form_Load();
    void fillChoicesFromFiles();
    void captureLayout();
    /// Selects entry index of a choice list from code and runs its handler at once.
    void selectEntry(QComboBox *combo, int index);
    void windowActivated();

    Form1Services services;
    std::array<QWidget *, 32> controls{};

    // Proportional layout (form1_layout.cpp).
public:
    /// Control names in the order of layoutRatios and of every layout pass.
    static constexpr std::array<std::string_view, 32> layoutOrder{
        "Check1",   "Picture1", "Picture2", "Picture3", "Picture4", "Text1",    "Text2",
        "Text3",    "Text4",    "Text5",    "Command1", "Command2", "Command3", "Command4",
        "Command5", "Label1",   "Label2",   "Label3",   "Label4",   "Label5",   "Label6",
        "Label7",   "Label8",   "Label9",   "Label10",  "Label11",  "Label12",  "Label13",
        "Label14",  "Combo1",   "Combo2",   "Combo3"};

protected:
    void changeEvent(QEvent *event) override;

private:
    /// The window manager's frame in pixels, or the design frame while the window has none yet.
    QMargins outerFrame() const;
    /// Outer size including frame and title bar, twips.
    float outerWidth() const;
    float outerHeight() const;
    void setOuterWidth(float twips);
    void setOuterHeight(float twips);
    void completeCaptureWhenFramed();
    void applyAspectStep();
    void layOutControls();

    QSize loadClientSize;               ///< pixels, the client size the capture refers to
    bool captureUsesDesignFrame = true; ///< until the window manager reports the real frame
    bool inAspectStep = false;          ///< the window resizes itself; its own resize events wait
    /// Runs the aspect step once the window manager has stopped resizing the window.
    QTimer aspectSettleTimer;
    float correctedWidth = 0, correctedHeight = 0; ///< twips, the size the last aspect step changed
    bool correctionRetried = false; ///< the window manager put that size back once already

    // Catalogue (form1_selection.cpp): the activation defaults apply on the first activation
    // and on a return from the editor or the help window, so the window tracks the focus.
private:
    FocusHistory focusHistory{this};
    bool activatedBefore = false;
};
