// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "commandline/planrequest.h"

#include <QString>
#include <QStringList>

#include <optional>

/// What the command line asks for: the window, or a text to print and an exit code.
struct CommandLineOutcome
{
    bool startWindow = true;
    int exitCode = 0;
    QString standardOutput;
    QString standardError;
    /// Set for --plan: the plan is printed instead of a window.
    std::optional<PlanRequest> plan;
};

/// Reads the program's arguments, the program itself first. --help and --version are answered
/// with a text and exit code 0, an unknown option with a message and exit code 2; Qt's own
/// options (-platform, -display, -style, ...) are left to the window. The texts are German once
/// installGermanTranslations has run.
CommandLineOutcome readCommandLine(const QStringList &arguments);

/// Answers the command line before anything of the window system is touched, so --help and
/// --version work without a display. The exit code when the program ends without a window.
std::optional<int> answerCommandLine(int argc, char *argv[]);
