// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "clock/picturebox.h"
#include "support/fakeservices.h"
#include "ui/editor/form2.h"
#include "ui/mainwindow/form1.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>
#include <string_view>

/// The control of a window with that object name, which is the handlers' name for it.
template <typename T> T *findControl(const QWidget &window, const char *name)
{
    T *control = window.findChild<T *>(QLatin1String(name), Qt::FindDirectChildrenOnly);
    if (!control)
        qFatal("the window %s has no control %s", qPrintable(window.objectName()), name);
    return control;
}

/// The controls of a main window, found by their object names, which are the handlers' names.
struct MainWindowControls
{
    explicit MainWindowControls(const QWidget &window) : window(window) {}

    const QWidget &window;
    QLabel *Label1 = find<QLabel>("Label1"), *Label2 = find<QLabel>("Label2"),
           *Label3 = find<QLabel>("Label3"), *Label4 = find<QLabel>("Label4"),
           *Label5 = find<QLabel>("Label5"), *Label6 = find<QLabel>("Label6"),
           *Label7 = find<QLabel>("Label7"), *Label8 = find<QLabel>("Label8"),
           *Label9 = find<QLabel>("Label9"), *Label10 = find<QLabel>("Label10"),
           *Label11 = find<QLabel>("Label11"), *Label12 = find<QLabel>("Label12"),
           *Label13 = find<QLabel>("Label13"), *Label14 = find<QLabel>("Label14");
    QComboBox *Combo1 = find<QComboBox>("Combo1"), *Combo2 = find<QComboBox>("Combo2"),
              *Combo3 = find<QComboBox>("Combo3");
    QLineEdit *Text1 = find<QLineEdit>("Text1"), *Text2 = find<QLineEdit>("Text2"),
              *Text3 = find<QLineEdit>("Text3"), *Text4 = find<QLineEdit>("Text4");
    QPlainTextEdit *Text5 = find<QPlainTextEdit>("Text5");
    QCheckBox *Check1 = find<QCheckBox>("Check1");
    QPushButton *Command1 = find<QPushButton>("Command1"),
                *Command2 = find<QPushButton>("Command2"),
                *Command3 = find<QPushButton>("Command3"),
                *Command4 = find<QPushButton>("Command4"),
                *Command5 = find<QPushButton>("Command5");
    PictureBox *Picture1 = find<PictureBox>("Picture1"), *Picture2 = find<PictureBox>("Picture2"),
               *Picture3 = find<PictureBox>("Picture3"), *Picture4 = find<PictureBox>("Picture4");

private:
    template <typename T> T *find(const char *name) const { return findControl<T>(window, name); }
};

inline MainWindowControls controlsOf(const QWidget &window)
{
    return MainWindowControls(window);
}

/// The controls of the editor, found by their object names.
struct EditorControls
{
    QLabel *Label1;
    QPlainTextEdit *Text1;
    QPushButton *Command1;
};

inline EditorControls controlsOf(const Form2 &editor)
{
    return {findControl<QLabel>(editor, "Label1"), findControl<QPlainTextEdit>(editor, "Text1"),
            findControl<QPushButton>(editor, "Command1")};
}

/// The main window's control of that object name, the name of its row in the design table,
/// or null when it has none.
inline QWidget *controlNamed(const QWidget &window, const QString &name)
{
    return window.findChild<QWidget *>(name, Qt::FindDirectChildrenOnly);
}

inline QWidget *controlNamed(const QWidget &window, std::string_view name)
{
    return controlNamed(window, QString::fromLatin1(name.data(), qsizetype(name.size())));
}

inline QWidget *controlNamed(const QWidget &window, const char *name)
{
    return controlNamed(window, QString::fromLatin1(name));
}

/// The texts of a choice list's entries, in their order.
inline QStringList entries(const QComboBox *combo)
{
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts.append(combo->itemText(i));
    return texts;
}

/// A main window for a test: a clock that stands still, a pause that never waits and recorded
/// messages, or the test's own presenter of messages; it reads its data files from dataFolder,
/// or from an empty folder of its own.
struct TestMainWindow
{
    explicit TestMainWindow(const QString &dataFolder = {}, MessagePresenter *messages = nullptr)
        : window(std::make_unique<Form1>(services(dataFolder, messages)))
    {
    }

    FakeServices fakes;
    QTemporaryDir emptyFolder;
    std::unique_ptr<Form1> window;

private:
    Form1Services services(const QString &dataFolder, MessagePresenter *messages)
    {
        Form1Services chosen =
            fakes.forFolder(dataFolder.isEmpty() ? emptyFolder.path() : dataFolder);
        if (messages)
            chosen.messages = messages;
        return chosen;
    }
};
