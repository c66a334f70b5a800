// programs read / send / diff: the bake programs of one oven to and from a file, and what a
// send of a file would change.

#include "clicontext.h"

#include "bakeprog/programcompare.h"
#include "bakeprog/programlistfiles.h"
#include "bakeprog/programsheet.h"
#include "bakeprog/programtransfer.h"
#include "shell/prompter.h"
#include "shell/sheetmodel.h"

#include <optional>

namespace torvel::cli {

namespace {

// The list files: .TBR and .REC, read and written by the list window's own file functions.
std::optional<ListFileKind> listFileKind(const QString &name)
{
    if (name.endsWith(QLatin1String(".TBR"), Qt::CaseInsensitive))
        return ListFileKind::Tbr;
    if (name.endsWith(QLatin1String(".REC"), Qt::CaseInsensitive))
        return ListFileKind::Rec;
    return std::nullopt;
}

struct Range {
    int from = 1;
    std::optional<int> to;
};

const QCommandLineOption kFrom(QStringLiteral("from"), QStringLiteral("Erstes Programm (Vorgabe 1)."), QStringLiteral("A"));
const QCommandLineOption kTo(QStringLiteral("to"), QStringLiteral("Letztes Programm (Vorgabe: alle)."), QStringLiteral("B"));

bool parseRange(const QCommandLineParser &parser, Range *range, CliContext &ctx)
{
    bool ok = true;
    if (parser.isSet(kFrom))
        range->from = parser.value(kFrom).toInt(&ok);
    if (!ok || range->from < 1 || range->from > kMaxProgramNumber) {
        ctx.err << "--from muss 1 bis 99 sein: " << parser.value(kFrom) << Qt::endl;
        return false;
    }
    if (parser.isSet(kTo)) {
        const int to = parser.value(kTo).toInt(&ok);
        if (!ok || to < 1 || to > kMaxProgramNumber) {
            ctx.err << "--to muss 1 bis 99 sein: " << parser.value(kTo) << Qt::endl;
            return false;
        }
        range->to = to;
    }
    return true;
}

// Capacity query and the range rules of the range dialog; 0 when the transfer must not start.
int resolveRange(CliContext &ctx, Range *range, int *last)
{
    const auto capacity = QueryProgramCapacity(ctx.link.engine(), ctx.state.selectedOven());
    if (!capacity) {
        if (!ctx.link.engine().isLineLost()) // a lost line has said so itself
            ctx.prompter.inform(kNotReachableCaption, notReachableText(ctx.link.engine()));
        return ExitControllerFailed;
    }
    *last = std::min(range->to.value_or(*capacity), *capacity);
    if (*last < range->from) {
        ctx.err << "Bereich " << range->from << " bis " << *last << " ist leer: abgebrochen." << Qt::endl;
        return ExitControllerFailed;
    }
    return ExitOk;
}

// Messages go through the prompter (standard error); "ERR:" rows are written as programs
// without a name, as the window saves them.
bool writeList(CliContext &ctx, SheetModel &sheet, const QString &file, ListFileKind kind)
{
    bool modified = false;
    ProgramListFiles files(sheet, ctx.state, ctx.prompter, modified);
    ctx.state.currentFileName = file;
    return files.saveRecord(kind).done();
}

// An unusable file is refused with the reader's message before anything goes on the line.
bool readList(CliContext &ctx, const QString &file, ListFileKind kind, SheetModel &sheet)
{
    bool modified = false;
    ProgramListFiles files(sheet, ctx.state, ctx.prompter, modified);
    ctx.state.currentFileName = file;
    return files.loadRecord(kind).done();
}

int programsRead(CliContext &ctx, const QStringList &args)
{
    QCommandLineParser parser;
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")},
                                    QStringLiteral("Zieldatei (.TBR oder .REC)."), QStringLiteral("FILE"));
    parser.addOptions({kFrom, kTo, output});
    if (!parseCommandArguments(parser, QStringLiteral("programs read"), args, ctx))
        return ExitUsage;
    Range range;
    if (!parseRange(parser, &range, ctx))
        return ExitUsage;
    const QString file = parser.value(output);
    const auto kind = listFileKind(file);
    if (file.isEmpty() || !kind || !parser.positionalArguments().isEmpty()) {
        ctx.err << "programs read: -o FILE mit der Endung .TBR oder .REC angeben." << Qt::endl;
        return ExitUsage;
    }
    int last = 0;
    if (const int code = resolveRange(ctx, &range, &last))
        return code;
    SheetModel sheet;
    setupProgramSheet(sheet);
    ProgramTransfer transfer(ctx.state, ctx.link.engine(), ctx.prompter, sheet);
    transfer.receive(ctx.state.selectedOven(), range.from, last);
    int failed = 0;
    for (int n = range.from; n <= last; ++n) {
        if (!isFaultyName(sheet.text(n, 1)))
            continue;
        ++failed;
        // A lost line has said so once; the rows it left are not listed one by one.
        if (!ctx.link.engine().isLineLost())
            ctx.err << "Programm " << n << ": " << sheet.text(n, 1) << Qt::endl;
    }
    if (!writeList(ctx, sheet, file, *kind))
        return ExitUsage;
    ctx.out << (last - range.from + 1 - failed) << " von " << (last - range.from + 1)
            << " Backprogrammen gelesen: " << file << Qt::endl;
    return failed ? ExitControllerFailed : ExitOk;
}

// The file's list and the range to work on: 0, or the exit code when nothing may go on.
int prepareList(CliContext &ctx, const QString &command, const QStringList &args, QCommandLineParser &parser,
                SheetModel &sheet, Range *range, int *last)
{
    parser.addOptions({kFrom, kTo});
    if (!parseCommandArguments(parser, command, args, ctx) || !parseRange(parser, range, ctx))
        return ExitUsage;
    const QStringList files = parser.positionalArguments();
    const auto kind = files.size() == 1 ? listFileKind(files.first()) : std::nullopt;
    if (!kind) {
        ctx.err << command << ": genau eine Datei mit der Endung .TBR oder .REC angeben." << Qt::endl;
        return ExitUsage;
    }
    setupProgramSheet(sheet);
    if (!readList(ctx, files.first(), *kind, sheet))
        return ExitUsage;
    return resolveRange(ctx, range, last);
}

int programsSend(CliContext &ctx, const QStringList &args)
{
    QCommandLineParser parser;
    const QCommandLineOption changedOnly(QStringLiteral("changed"),
                                         QStringLiteral("Erst lesen, dann nur senden, was sich unterscheidet."));
    parser.addOption(changedOnly);
    SheetModel sheet;
    Range range;
    int last = 0;
    if (const int code = prepareList(ctx, QStringLiteral("programs send"), args, parser, sheet, &range, &last))
        return code;
    const int oven = ctx.state.selectedOven();
    ProgramTransfer transfer(ctx.state, ctx.link.engine(), ctx.prompter, sheet);
    if (!parser.isSet(changedOnly)) {
        if (!transfer.send(oven, range.from, last))
            return ExitControllerFailed;
        ctx.out << "Backprogramme " << range.from << " bis " << last << " gesendet." << Qt::endl;
        return ExitOk;
    }
    // What the oven holds first; a program that could not be read is sent, to be sure.
    OvenPrograms onOven;
    readOvenPrograms(ctx.state, ctx.link.engine(), ctx.prompter, oven, range.from, last, onOven);
    if (ctx.link.engine().isLineLost())
        return ExitControllerFailed;
    const QList<ProgramDiff> diffs = compareRange(sheet, onOven, range.from, last, ctx.state.minuteColumns);
    QList<int> numbers;
    for (const ProgramDiff &diff : diffs)
        if (diff.needsSending())
            numbers << diff.number;
    const bool sent = numbers.isEmpty() || transfer.send(oven, numbers);
    ctx.out << changedSendOutcome(static_cast<int>(numbers.size()), countDiffs(diffs).equal, oven, sent) << Qt::endl;
    return sent ? ExitOk : ExitControllerFailed;
}

// Exit 0: a send would change nothing; 1: it would; 2: the file, the arguments or the oven
// stood in the way (a program that could not be read leaves the answer open).
int programsDiff(CliContext &ctx, const QStringList &args)
{
    QCommandLineParser parser;
    SheetModel sheet;
    Range range;
    int last = 0;
    if (const int code = prepareList(ctx, QStringLiteral("programs diff"), args, parser, sheet, &range, &last))
        return code == ExitControllerFailed ? ExitUsage : code;
    const int oven = ctx.state.selectedOven();
    OvenPrograms onOven;
    bool aborted = false;
    readOvenPrograms(ctx.state, ctx.link.engine(), ctx.prompter, oven, range.from, last, onOven, nullptr, &aborted);
    const QList<ProgramDiff> diffs = compareRange(sheet, onOven, range.from, last, ctx.state.minuteColumns);
    const bool lost = ctx.link.engine().isLineLost(); // said once; the rows it left are not listed
    for (const ProgramDiff &diff : diffs) {
        if (diff.kind == ProgramDiffKind::NotRead && !lost)
            ctx.err << "Programm " << diff.number << ": nicht gelesen" << Qt::endl;
        else if (const QString line = differenceLine(diff, ctx.state.minuteColumns); !line.isEmpty())
            ctx.out << line << Qt::endl;
    }
    const CompareCounts counts = countDiffs(diffs);
    ctx.err << compareSummary(counts, oven, range.from, last, aborted) << Qt::endl;
    if (counts.notRead > 0)
        return ExitUsage;
    return counts.changed() > 0 ? ExitControllerFailed : ExitOk;
}

} // namespace

QList<CliCommand> programCommands()
{
    return {
        {QStringLiteral("programs read"),
         QStringLiteral("[--from A] [--to B] -o FILE: Backprogramme lesen (.TBR oder .REC)"), programsRead},
        {QStringLiteral("programs send"),
         QStringLiteral("[--changed] [--from A] [--to B] FILE: Backprogramme senden (--yes bestätigt die Warnung; "
                        "--changed liest erst und sendet nur, was sich unterscheidet)"),
         programsSend},
        {QStringLiteral("programs diff"),
         QStringLiteral("[--from A] [--to B] FILE: zeigt je Programm, was ein Senden von FILE ändern würde "
                        "(Rückgabe 0 gleich, 1 verschieden, 2 Fehler)"),
         programsDiff},
    };
}

} // namespace torvel::cli
