// SPDX-License-Identifier: GPL-3.0-or-later
#include "commandline.h"

#include "catalogue/cataloguemessages.h"
#include "catalogue/translations.h"
#include "commandline/plancommand.h"
#include "zenitorversion.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace {

struct QtOption
{
    const char *name;
    bool takesValue;
};

// Options QApplication and the X11 platform take for themselves; they must not count as unknown.
constexpr QtOption QT_OPTIONS[] = {
    {"platform", true},        {"platformpluginpath", true},
    {"platformtheme", true},   {"plugin", true},
    {"display", true},         {"name", true},
    {"visual", true},          {"geometry", true},
    {"qwindowgeometry", true}, {"title", true},
    {"qwindowtitle", true},    {"icon", true},
    {"qwindowicon", true},     {"session", true},
    {"style", true},           {"stylesheet", true},
    {"qmljsdebugger", true},   {"reverse", false},
    {"widgetcount", false},    {"testability", false},
    {"nograb", false},         {"dograb", false},
    {"qdevel", false},         {"qdebug", false},
};

} // namespace

CommandLineOutcome readCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    // Qt's own options are single words after one dash ("-platform"), not bundled letters.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        QStringLiteral("Zenitor zeigt Ortszeit, Greenwich-Zeit, Sternzeit und den Stundenwinkel "
                       "eines Himmelsobjekts."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Zeigt diese Hilfe an."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Zeigt die Versionsnummer an."));
    parser.addOption(help);
    parser.addOption(version);
    const PlanOptions planOptions;
    planOptions.addTo(parser);
    for (const QtOption &qtOption : QT_OPTIONS) {
        QCommandLineOption option(QString::fromLatin1(qtOption.name));
        if (qtOption.takesValue)
            option.setValueName(QStringLiteral("wert"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }

    const QString program =
        arguments.isEmpty() ? QStringLiteral("zenitor") : QFileInfo(arguments.first()).fileName();
    CommandLineOutcome outcome;
    const bool parsed = parser.parse(arguments);
    // The program takes no file or other argument of its own; one given by mistake must not
    // pass unnoticed.
    if (!parsed || !parser.positionalArguments().isEmpty()) {
        outcome.startWindow = false;
        outcome.exitCode = 2;
        const QString error = parsed ? QStringLiteral("Unbekanntes Argument '%1'.")
                                           .arg(parser.positionalArguments().constFirst())
                                     : parser.errorText();
        outcome.standardError = program + QStringLiteral(": ") + error +
                                QStringLiteral("\nAlle Optionen zeigt: ") + program +
                                QStringLiteral(" --help\n");
    } else if (parser.isSet(help)) {
        outcome.startWindow = false;
        outcome.standardOutput = parser.helpText();
    } else if (parser.isSet(version)) {
        outcome.startWindow = false;
        outcome.standardOutput = QStringLiteral("Zenitor " ZENITOR_VERSION "\n");
    } else if (const std::optional<QString> fault =
                   planOptions.read(parser, outcome.plan, outcome.night)) {
        outcome.startWindow = false;
        outcome.exitCode = 2;
        outcome.standardError = program + QStringLiteral(": ") + *fault + u'\n';
    } else if (outcome.plan || outcome.night) {
        outcome.startWindow = false;
    }
    return outcome;
}

namespace {

// A standard stream the caller closed would pass its number to the next file opened, which
// would then receive the text meant for it. /dev/null opened for reading holds the number, so
// a write there fails as on the closed stream (EBADF).
void holdClosedStandardStreams()
{
    for (const int stream : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        if (::fcntl(stream, F_GETFD) != -1 || errno != EBADF)
            continue;
        const int placeholder = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
        if (placeholder >= 0 && placeholder != stream) {
            ::dup2(placeholder, stream);
            ::close(placeholder);
        }
    }
}

} // namespace

std::optional<int> answerCommandLine(int argc, char *argv[])
{
    if (argc <= 1)
        return std::nullopt;
    holdClosedStandardStreams();
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));

    // A window-less application only for the German texts; it is gone before the window's.
    std::vector<char *> consoleArgv(argv, argv + argc);
    consoleArgv.push_back(nullptr);
    int consoleArgc = argc;
    QCoreApplication console(consoleArgc, consoleArgv.data());
    installGermanTranslations(console);
    const CommandLineOutcome outcome = readCommandLine(arguments);
    if (outcome.plan)
        return printPlan(*outcome.plan);
    if (outcome.night)
        return printNight(*outcome.night);
    if (outcome.startWindow)
        return std::nullopt;
    return printOutcome(outcome, stdout, stderr);
}

int printOutcome(const CommandLineOutcome &outcome, std::FILE *out, std::FILE *err)
{
    // Written with its length, so a NUL byte in the text cannot end it early.
    const QByteArray output = outcome.standardOutput.toUtf8();
    errno = 0;
    bool written = std::fwrite(output.constData(), 1, std::size_t(output.size()), out) ==
                   std::size_t(output.size());
    written = std::fflush(out) == 0 && written && !std::ferror(out);
    const int systemError = errno;
    QByteArray errorText = outcome.standardError.toUtf8();
    int exitCode = outcome.exitCode;
    if (!written && systemError != EPIPE) {
        errorText +=
            QStringLiteral("zenitor: Die Ausgabe konnte nicht geschrieben werden (%1)!!!\n")
                .arg(writeFailureReason(systemError))
                .toUtf8();
        exitCode = 1;
    }
    std::fwrite(errorText.constData(), 1, std::size_t(errorText.size()), err);
    std::fflush(err);
    return exitCode;
}
