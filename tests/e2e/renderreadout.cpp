// SPDX-License-Identifier: GPL-3.0-or-later
// Draws a readout text into Picture2 of a main window built offscreen exactly as
// the program builds it, and saves that picture box as a PNG: the reference that
// the end-to-end test compares the real window's pixels with.
//
//   zenitor_render_readout <data folder> <text> <out.png>

#include "clock/picturebox.h"
#include "support/fakeservices.h"
#include "support/mainwindow.h"
#include "ui/mainwindow/form1.h"
#include "ui/shared/application.h"

#include <QApplication>
#include <QTest>

#include <cstdio>

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    configureApplication(app);
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s <data folder> <text> <out.png>\n", argv[0]);
        return 2;
    }
    FakeServices fakes;
    Form1 window(fakes.forFolder(QString::fromLocal8Bit(argv[1])));
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    controlsOf(window).Picture2->Cls();
    controlsOf(window).Picture2->Print(QString::fromUtf8(argv[2]));
    return controlsOf(window).Picture2->grab().save(QString::fromLocal8Bit(argv[3])) ? 0 : 1;
}
