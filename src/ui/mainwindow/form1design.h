// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/shared/twips.h"

#include <array>
#include <cstddef>
#include <string_view>

enum class ControlKind
{
    Label,
    ComboBox,
    TextBox,
    MultiLineTextBox,
    CheckBox,
    Button,
    PictureBox
};

/// How a control of the main window looks and where it sits in the design.
struct ControlDesign
{
    std::string_view name;
    ControlKind kind;
    std::string_view caption;     ///< UTF-8; caption, or initial text
    int left, top, width, height; ///< twips, in the client area
    double fontPoints;            ///< 0: no font of its own (the red rule)
    bool bold;
    bool underline;
    int tabIndex;
    bool flat;       ///< drawn without a 3-D edge
    bool centred;    ///< caption centred in its box
    bool ruleColour; ///< background deep red instead of black
    /// Twips of control height per point of font size when the window is resized; 0: the
    /// control keeps its design font.
    float fontDivisor;
    /// Place in every pass of the proportional layout: the check box, the picture boxes, the
    /// text boxes, the buttons, the labels and the combo boxes, each kind in numeric order.
    int layoutRank;
};

/// The main window's client area in the design, twips.
inline constexpr int FORM1_DESIGN_WIDTH = 8880;
inline constexpr int FORM1_DESIGN_HEIGHT = 6345;

/// Every control of the main window, top to bottom and left to right. The window
/// is built from this table and the proportional layout reads its design values here.
inline constexpr auto FORM1_CONTROLS = std::to_array<ControlDesign>({
    // clang-format off
    // name       kind                           caption                       left  top   width height font  bold   under  tab flat   centre rule   font/h rank
    {"Label1",   ControlKind::Label,            "geografische Länge:",        120,  120,  2175, 255,  8.25, true,  true,  5,  false, false, false, 18, 15},
    {"Label13",  ControlKind::Label,            "Liste:",                     3360, 120,  1575, 255,  8.25, true,  true,  28, false, false, false, 18, 27},
    {"Label5",   ControlKind::Label,            "Objekt:",                    5400, 120,  1215, 255,  8.25, true,  true,  14, false, false, false, 18, 19},
    {"Label6",   ControlKind::Label,            "Rektaszension",              7440, 120,  1335, 255,  8.25, true,  true,  15, false, false, false, 18, 20},
    {"Combo1",   ControlKind::ComboBox,         "",                           120,  480,  2895, 330,  8.25, false, false, 4,  true,  false, false, 17, 29},
    {"Combo3",   ControlKind::ComboBox,         "",                           3360, 480,  1815, 330,  8.25, false, false, 29, false, false, false, 17, 31},
    {"Combo2",   ControlKind::ComboBox,         "Combo2",                     5400, 480,  1815, 330,  8.25, false, false, 9,  false, false, false, 17, 30},
    {"Text1",    ControlKind::TextBox,          "",                           7440, 480,  375,  285,  8.25, false, false, 10, true,  false, false, 18,  5},
    {"Text3",    ControlKind::TextBox,          "",                           7920, 480,  375,  285,  8.25, false, false, 20, true,  false, false, 18,  7},
    {"Text4",    ControlKind::TextBox,          "",                           8400, 480,  375,  285,  8.25, false, false, 21, true,  false, false, 18,  8},
    {"Label9",   ControlKind::Label,            "h",                          7440, 840,  375,  255,  8.25, true,  false, 22, false, true,  false, 18, 23},
    {"Label10",  ControlKind::Label,            "m",                          7920, 840,  375,  255,  8.25, true,  false, 23, false, true,  false, 18, 24},
    {"Label11",  ControlKind::Label,            "s",                          8400, 840,  375,  255,  8.25, true,  false, 24, false, true,  false, 18, 25},
    {"Command3", ControlKind::Button,           "Edit",                       5400, 960,  1575, 495,  8.25, true,  false, 12, false, false, false,  0, 12},
    {"Check1",   ControlKind::CheckBox,         "Sommerzeit",                 120,  1080, 2175, 255,  8.25, false, false, 17, false, false, false, 18,  0},
    {"Label14",  ControlKind::Label,            "",                           120,  1560, 8655, 46,   0,    false, false, 31, false, false, true,  18, 28},
    {"Label8",   ControlKind::Label,            "ME(S)Z:",                    120,  1920, 1935, 255,  9.75, true,  true,  19, false, false, false, 18, 22},
    {"Label3",   ControlKind::Label,            "GMT:",                       2280, 1920, 1935, 255,  9.75, true,  true,  7,  false, false, false, 18, 17},
    {"Label2",   ControlKind::Label,            "Meridan:",                   4440, 1920, 4335, 255,  9.75, true,  true,  6,  false, false, false, 18, 16},
    {"Picture2", ControlKind::PictureBox,       "",                           4440, 2280, 4335, 615,  18,   true,  false, 1,  true,  false, false, 18,  2},
    {"Picture4", ControlKind::PictureBox,       "",                           120,  2520, 1935, 255,  8.25, true,  false, 18, true,  false, false, 18,  4},
    {"Picture1", ControlKind::PictureBox,       "",                           2280, 2520, 1935, 255,  18,   true,  false, 0,  true,  false, false, 18,  1},
    {"Label7",   ControlKind::Label,            "Info:",                      120,  3000, 1935, 255,  9.75, true,  true,  27, false, false, false, 18, 21},
    {"Text5",    ControlKind::MultiLineTextBox, "",                           120,  3360, 8655, 1215, 8.25, false, false, 26, true,  false, false, 70,  9},
    {"Label4",   ControlKind::Label,            "Stundenwinkel für Objekt:",  120,  4680, 4455, 255,  9.75, true,  true,  13, false, false, false, 18, 18},
    {"Label12",  ControlKind::Label,            "Deklination für Objekt:",    4800, 4680, 3975, 255,  9.75, true,  true,  25, false, false, false, 18, 26},
    {"Picture3", ControlKind::PictureBox,       "",                           120,  5040, 4455, 615,  18,   true,  false, 8,  true,  false, false, 18,  3},
    {"Text2",    ControlKind::TextBox,          "Text2",                      4800, 5040, 3975, 645,  18,   true,  false, 11, true,  false, false, 18,  6},
    {"Command1", ControlKind::Button,           "Start",                      120,  5760, 1575, 495,  8.25, true,  false, 2,  false, false, false,  0, 10},
    {"Command2", ControlKind::Button,           "Stop",                       1920, 5760, 1575, 495,  8.25, true,  false, 3,  false, false, false,  0, 11},
    {"Command5", ControlKind::Button,           "Hilfe",                      5400, 5760, 1575, 495,  8.25, true,  false, 30, false, false, false,  0, 14},
    {"Command4", ControlKind::Button,           "Ende",                       7200, 5760, 1575, 495,  8.25, true,  false, 16, false, false, false,  0, 13},
    // clang-format on
});

inline constexpr std::size_t FORM1_CONTROL_COUNT = FORM1_CONTROLS.size();

namespace form1design {

/// True when every control's value of column is a different number from 0 to the count - 1.
template <typename Column> constexpr bool isOrdering(Column column)
{
    std::array<bool, FORM1_CONTROL_COUNT> taken{};
    for (const ControlDesign &design : FORM1_CONTROLS) {
        const int place = column(design);
        if (place < 0 || place >= int(FORM1_CONTROL_COUNT) || taken[std::size_t(place)])
            return false;
        taken[std::size_t(place)] = true;
    }
    return true;
}

/// The row of the control called name; a name the table lacks does not compile.
consteval std::size_t rowOf(std::string_view name)
{
    for (std::size_t row = 0; row < FORM1_CONTROL_COUNT; ++row)
        if (FORM1_CONTROLS[row].name == name)
            return row;
    throw "the main window has no control of that name";
}

constexpr bool namesAreUnique()
{
    for (std::size_t i = 0; i < FORM1_CONTROL_COUNT; ++i)
        for (std::size_t j = i + 1; j < FORM1_CONTROL_COUNT; ++j)
            if (FORM1_CONTROLS[i].name == FORM1_CONTROLS[j].name)
                return false;
    return true;
}

} // namespace form1design

static_assert(form1design::namesAreUnique(), "two controls of the main window share a name");
static_assert(form1design::isOrdering([](const ControlDesign &design) { return design.tabIndex; }),
              "the tab indices must be 0 to the control count - 1, each once");
static_assert(form1design::isOrdering([](const ControlDesign &design) {
                  return design.layoutRank;
              }),
              "the layout ranks must be 0 to the control count - 1, each once");
