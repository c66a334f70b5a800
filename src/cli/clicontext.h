#pragma once
// What every command of torvelctl works with.

#include "link/controllerlink.h"
#include "shell/appstate.h"

#include <QCommandLineParser>
#include <QStringList>
#include <QTextStream>
#include <functional>
#include <optional>

namespace torvel {
class ModemSession;
class Prompter;
}

namespace torvel::sim {
class SimLine;
}

namespace torvel::cli {

enum ExitCode { ExitOk = 0, ExitControllerFailed = 1, ExitUsage = 2 };

struct CliContext {
    AppState &state;
    ControllerLink &link;
    sim::SimLine *sim = nullptr; // set when the port is the built-in simulated line
    QTextStream &out;
    QTextStream &err;
    Prompter &prompter; // questions answered from --yes, messages to standard error
    int guardTimeMs = 1000;    // --guard-time, for every hang-up
    bool throughModem = false; // --dial: the command runs inside a call
};

struct CliCommand {
    QString name;     // one or two words, e.g. "version", "clock read"
    QString synopsis; // shown by --help
    std::function<int(CliContext &, const QStringList &args)> run;
    bool needsLine = true; // file-only commands never open the port
};

// Every command; each subsystem contributes its own list.
QList<CliCommand> allCommands();
QList<CliCommand> linkCommands();
QList<CliCommand> clockCommands();
QList<CliCommand> programCommands();
QList<CliCommand> nightCommands();
QList<CliCommand> gradientCommands();
QList<CliCommand> readyCommands();
QList<CliCommand> oplogCommands();
QList<CliCommand> recordCommands();
QList<CliCommand> convertCommands();
QList<CliCommand> modemCommands();
QList<CliCommand> backupCommands();

// --dial: dials `target` (a number, or a name of the phone book) after the PC modem's set-up
// and checks, runs the command and hangs up. Fails when no connection came or it broke off.
int runThroughModem(CliContext &ctx, const QString &target, int guardTimeMs, const std::function<int()> &command);

// The folder of the modem listings and the phone book: beside the program.
QString programDir();
// A session for dialling as --dial does: listings beside the program, the guard time and
// speed of the command line, initialisation errors on standard error.
void setUpModemSession(CliContext &ctx, ModemSession &session);

// Parses a command's own options (args are what follows the command words). Prints the
// problem and returns false on bad input.
bool parseCommandArguments(QCommandLineParser &parser, const QString &command, const QStringList &args,
                           CliContext &ctx);

// The one file a command works on, when its name is one `accepts` takes; otherwise prints
// "<command>: genau eine Datei <hint> angeben." and gives nothing.
std::optional<QString> singleFileArgument(const QCommandLineParser &parser, const QString &command,
                                          const std::function<bool(const QString &)> &accepts, const QString &hint,
                                          CliContext &ctx);

// --log DIR: where check reports go; without it the folder "log" beside the program.
QCommandLineOption logOption(const QString &reports);
QString logFolder(const QCommandLineParser &parser, const QCommandLineOption &option);

} // namespace torvel::cli
