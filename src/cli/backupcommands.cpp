// backup: every present oven of the line, or of every bakery of a phone book, into dated files.

#include "clicontext.h"

#include "backup/fleetbackup.h"
#include "backup/linebackup.h"
#include "modem/modemsession.h"
#include "modem/phonebook.h"
#include "tables/readyvalidate.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <optional>

namespace torvel::cli {

namespace {

// "1-7", "1,3,5", "2-4,7": ovens 1 to 7, each once, in ascending order.
std::optional<QList<int>> parseOvens(const QString &text)
{
    QList<int> ovens;
    for (const QString &part : text.split(QLatin1Char(','))) {
        const QStringList ends = part.trimmed().split(QLatin1Char('-'));
        bool okFirst = false;
        bool okLast = ends.size() == 1;
        const int first = ends.first().toInt(&okFirst);
        const int last = ends.size() == 2 ? ends.last().toInt(&okLast) : first;
        if (!okFirst || !okLast || ends.size() > 2 || first < 1 || last > 7 || first > last)
            return std::nullopt;
        for (int oven = first; oven <= last; ++oven)
            if (!ovens.contains(oven))
                ovens << oven;
    }
    std::sort(ovens.begin(), ovens.end());
    return ovens;
}

int backupOneLine(CliContext &ctx, const LineBackupOptions &options)
{
    const LineBackupResult result =
        backupLine(ctx.state, ctx.link.engine(), ctx.prompter, options,
                   [&ctx](const OvenBackupResult &oven) { ctx.out << ovenSummaryLine(oven) << Qt::endl; });
    if (result.folderFailed) {
        ctx.err << kFolderFailed << ": " << options.folder << Qt::endl;
        return ExitUsage;
    }
    for (const int oven : result.missing)
        ctx.out << missingOvenLine(oven) << Qt::endl;
    if (result.ovens.isEmpty() && result.missing.isEmpty() && !result.lineLost)
        ctx.err << kNoOvenFound << "." << Qt::endl;
    return result.ok() ? ExitOk : ExitControllerFailed;
}

int backupFleetCommand(CliContext &ctx, const QString &phoneBookFile, const FleetBackupOptions &options)
{
    PhoneBook book;
    if (!QFileInfo(phoneBookFile).isFile() || !loadPhoneBook(phoneBookFile, &book)) {
        ctx.err << "backup: Telefonbuch nicht lesbar: " << phoneBookFile << Qt::endl;
        return ExitUsage;
    }
    if (book.isEmpty()) {
        ctx.err << "backup: Telefonbuch ohne Einträge: " << phoneBookFile << Qt::endl;
        return ExitUsage;
    }
    if (!QDir().mkpath(options.folder)) { // before anybody is called
        ctx.err << kFolderFailed << ": " << options.folder << Qt::endl;
        return ExitUsage;
    }
    ModemSession session(ctx.state, ctx.link.engine(), ctx.prompter);
    setUpModemSession(ctx, session);
    const QList<BakeryBackupResult> bakeries =
        backupFleet(session, ctx.state, ctx.link.engine(), ctx.prompter, book, options,
                    [&ctx](const BakeryBackupResult &b) { ctx.out << bakerySummaryLine(b) << Qt::endl; });
    const QString summary = fleetSummaryPath(options.folder, options.date);
    if (!saveFleetSummary(summary, bakeries)) {
        ctx.err << "backup: Zusammenfassung nicht geschrieben: " << summary << Qt::endl;
        return ExitUsage;
    }
    const qsizetype failed = std::count_if(bakeries.cbegin(), bakeries.cend(), [](const BakeryBackupResult &b) {
        return b.status == BakeryBackupResult::Status::Failed;
    });
    ctx.out << "Zusammenfassung: " << summary << Qt::endl;
    return failed == 0 && bakeries.size() == book.size() ? ExitOk : ExitControllerFailed;
}

int backup(CliContext &ctx, const QStringList &args)
{
    const QString command = QStringLiteral("backup");
    QCommandLineParser parser;
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")},
                                    QStringLiteral("Zielordner."), QStringLiteral("DIR"));
    const QCommandLineOption ovensOption(QStringLiteral("ovens"), QStringLiteral("Öfen, z. B. 1-7 oder 1,3."),
                                         QStringLiteral("LISTE"));
    const QCommandLineOption phoneBook(QStringLiteral("phonebook"),
                                       QStringLiteral("Jede Bäckerei dieses Telefonbuchs anwählen."),
                                       QStringLiteral("FILE"));
    const QCommandLineOption resume(QStringLiteral("resume"),
                                    QStringLiteral("Bäckereien, die heute schon gesichert wurden, auslassen."));
    const QCommandLineOption dateOption(QStringLiteral("date"),
                                        QStringLiteral("Datum der Sicherung (Vorgabe: heute)."),
                                        QStringLiteral("JJJJ-MM-TT"));
    const QCommandLineOption log = logOption(QStringLiteral("\"Bereittab_Check.txt\""));
    parser.addOptions({output, ovensOption, phoneBook, resume, dateOption, log});
    if (!parseCommandArguments(parser, command, args, ctx))
        return ExitUsage;
    if (parser.value(output).isEmpty() || !parser.positionalArguments().isEmpty()) {
        ctx.err << command << ": -o DIR angeben." << Qt::endl;
        return ExitUsage;
    }
    const auto ovens = parseOvens(parser.isSet(ovensOption) ? parser.value(ovensOption) : QStringLiteral("1-7"));
    if (!ovens) {
        ctx.err << command << ": --ovens erwartet Öfen 1 bis 7, z. B. 1-7 oder 1,3: " << parser.value(ovensOption)
                << Qt::endl;
        return ExitUsage;
    }
    const QDate date = parser.isSet(dateOption)
                           ? QDate::fromString(parser.value(dateOption), QStringLiteral("yyyy-MM-dd"))
                           : QDate::currentDate();
    if (!date.isValid()) {
        ctx.err << command << ": --date erwartet JJJJ-MM-TT: " << parser.value(dateOption) << Qt::endl;
        return ExitUsage;
    }
    const QString logs = logFolder(parser, log);
    if (!parser.isSet(phoneBook)) {
        if (parser.isSet(resume)) {
            ctx.err << command << ": --resume gilt nur mit --phonebook." << Qt::endl;
            return ExitUsage;
        }
        return backupOneLine(ctx, {*ovens, parser.isSet(ovensOption), parser.value(output), date, logs, {}});
    }
    if (ctx.throughModem) {
        ctx.err << command << ": --phonebook wählt selbst, nicht zusammen mit --dial." << Qt::endl;
        return ExitUsage;
    }
    return backupFleetCommand(ctx, parser.value(phoneBook),
                              {parser.value(output), date, parser.isSet(resume), *ovens, parser.isSet(ovensOption),
                               logs});
}

} // namespace

QList<CliCommand> backupCommands()
{
    return {
        {QStringLiteral("backup"),
         QStringLiteral("[--ovens 1-7] [--phonebook FILE [--resume]] [--date JJJJ-MM-TT] -o DIR: jeden Ofen der "
                        "Leitung (mit --phonebook: jeder Bäckerei des Telefonbuchs) in datierte Dateien sichern"),
         backup},
    };
}

} // namespace torvel::cli
