// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "commandline/planrequest.h"

#include <QString>
#include <QStringList>

#include <cstdio>
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
    /// Set for --nacht: the night's events are printed instead of a window (no list).
    std::optional<PlanRequest> night;
};

/// Reads the program's arguments, the program itself first. --help and --version are answered
/// with a text and exit code 0, an unknown option with a message and exit code 2; Qt's own
/// options (-platform, -display, -style, ...) are left to the window. The texts are German once
/// installGermanTranslations has run.
CommandLineOutcome readCommandLine(const QStringList &arguments);

/// Answers the command line before anything of the window system is touched, so --help and
/// --version work without a display. The exit code when the program ends without a window.
std::optional<int> answerCommandLine(int argc, char *argv[]);

/// Writes an outcome's texts (standard output as UTF-8) and checks that they arrived: a write
/// that fails is a German message on err and exit code 1. A closed pipe ends it quietly, with
/// the outcome's exit code, as a reader that has seen enough is no fault.
int printOutcome(const CommandLineOutcome &outcome, std::FILE *out, std::FILE *err);
