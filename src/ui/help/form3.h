// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QLabel;

/// The help window: one fixed page of German instructions, built from a table of 14 labels,
/// and below it a section of five on what this program adds.
/// It runs no code of its own; closing it destroys it (Qt::WA_DeleteOnClose).
class Form3 : public QWidget
{
    Q_OBJECT

public:
    /// The designed page takes 712 x 515 pixels at 96 dots per inch, the added section 198 more
    /// below; labels keep their design place on resize.
    /// dataFolder: the folder of the data files, which the page names.
    explicit Form3(const QString &dataFolder, QWidget *parent = nullptr);

    /// The page in the main window's night colours, its coloured headings in shades of red, or
    /// in its designed colours.
    void showInNightColours(bool night);

    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Label5 = nullptr;
    QLabel *Label6 = nullptr;
    QLabel *Label7 = nullptr;
    QLabel *Label8 = nullptr;
    QLabel *Label9 = nullptr;
    QLabel *Label10 = nullptr;
    QLabel *Label11 = nullptr;
    QLabel *Label12 = nullptr;
    QLabel *Label13 = nullptr;
    QLabel *Label14 = nullptr;
    // Below the designed page: what this program adds (keys, plan, menu, latitude, command
    // line).
    QLabel *Label15 = nullptr;
    QLabel *Label16 = nullptr;
    QLabel *Label17 = nullptr;
    QLabel *Label18 = nullptr;
    QLabel *Label19 = nullptr;
};
