// convert IN OUT: bake program files from one form into another; programs export: every
// program of a list file as its own USB file. Files only: nothing is sent on the line.

#include "clicontext.h"
#include "nightconvert.h"

#include "bakeprog/programlistfiles.h"
#include "bakeprog/programsheet.h"
#include "shell/sheetmodel.h"

namespace torvel::cli {

namespace {

enum class FileForm { Unknown, Tbr, Rec, Bpr, Tbp, Night };

FileForm fileForm(const QString &name)
{
    const QString upper = name.toUpper();
    if (upper.endsWith(QLatin1String(".TBR")))
        return FileForm::Tbr;
    if (upper.endsWith(QLatin1String(".REC")))
        return FileForm::Rec;
    if (upper.endsWith(QLatin1String(".BPR")))
        return FileForm::Bpr;
    if (upper.endsWith(QLatin1String(".TBP")))
        return FileForm::Tbp;
    if (upper.endsWith(QLatin1String(".TBZ")) || upper.endsWith(QLatin1String(".NGT")))
        return FileForm::Night;
    return FileForm::Unknown;
}

bool isListForm(FileForm form)
{
    return form == FileForm::Tbr || form == FileForm::Rec;
}

ListFileKind listKind(FileForm form)
{
    return form == FileForm::Rec ? ListFileKind::Rec : ListFileKind::Tbr;
}

// Reads a program file into a fresh list: a list file replaces it, a single program goes
// into row 1. Messages go through the prompter.
bool readPrograms(CliContext &ctx, ProgramListFiles &files, const QString &in, FileForm form)
{
    if (isListForm(form)) {
        ctx.state.currentFileName = in;
        return files.loadRecord(listKind(form)).done();
    }
    bool ok = false;
    if (form == FileForm::Bpr)
        files.loadBpr(in, 1, &ok);
    else
        files.loadTbp(in, 1, &ok);
    return ok;
}

int convert(CliContext &ctx, const QStringList &args)
{
    QCommandLineParser parser;
    if (!parseCommandArguments(parser, QStringLiteral("convert"), args, ctx))
        return ExitUsage;
    const QStringList files = parser.positionalArguments();
    const FileForm in = files.size() == 2 ? fileForm(files.at(0)) : FileForm::Unknown;
    const FileForm out = files.size() == 2 ? fileForm(files.at(1)) : FileForm::Unknown;
    if (in == FileForm::Night && out == FileForm::Night)
        return convertNightFile(ctx, files.at(0), files.at(1));
    if (in == FileForm::Unknown || in == FileForm::Night || !isListForm(out)) {
        ctx.err << "convert: IN (.TBR, .REC, .BPR, .TBP) und OUT (.TBR, .REC) angeben, "
                   "oder zwei Nachtstartzeiten-Dateien (.TBZ, .NGT)."
                << Qt::endl;
        return ExitUsage;
    }

    SheetModel list;
    setupProgramSheet(list);
    bool modified = false;
    ProgramListFiles programFiles(list, ctx.state, ctx.prompter, modified);
    if (!readPrograms(ctx, programFiles, files.at(0), in))
        return ExitUsage;
    ctx.state.currentFileName = files.at(1);
    const ListFileResult saved = programFiles.saveRecord(listKind(out));
    if (!saved.done())
        return ExitUsage;
    ctx.out << "Gespeichert: " << saved.fileName << Qt::endl;
    return ExitOk;
}

int programsExport(CliContext &ctx, const QStringList &args)
{
    QCommandLineParser parser;
    const QCommandLineOption dir(QStringLiteral("dir"),
                                 QStringLiteral("Ordner für die Datumsordner (Vorgabe: USBDaten/Export neben dem "
                                                "Programm)."),
                                 QStringLiteral("DIR"));
    parser.addOption(dir);
    if (!parseCommandArguments(parser, QStringLiteral("programs export"), args, ctx))
        return ExitUsage;
    const QStringList files = parser.positionalArguments();
    const FileForm form = files.size() == 1 ? fileForm(files.first()) : FileForm::Unknown;
    if (!isListForm(form) || (parser.isSet(dir) && parser.value(dir).isEmpty())) {
        ctx.err << "programs export: genau eine Datei mit der Endung .TBR oder .REC angeben." << Qt::endl;
        return ExitUsage;
    }

    SheetModel list;
    setupProgramSheet(list);
    bool modified = false;
    ProgramListFiles programFiles(list, ctx.state, ctx.prompter, modified);
    if (parser.isSet(dir))
        programFiles.setExportBase(parser.value(dir));
    if (!readPrograms(ctx, programFiles, files.first(), form))
        return ExitUsage;
    const ListFileResult exported = programFiles.exportAll();
    if (!exported.done())
        return ExitUsage;
    ctx.out << exported.fileName << Qt::endl;
    return ExitOk;
}

} // namespace

QList<CliCommand> convertCommands()
{
    return {
        {QStringLiteral("convert"),
         QStringLiteral("IN OUT: Datei umwandeln (.TBR/.REC/.BPR/.TBP nach .TBR/.REC; .TBZ und .NGT ineinander)"),
         convert, false},
        {QStringLiteral("programs export"),
         QStringLiteral("FILE [--dir DIR]: jedes Backprogramm einzeln im USB-Format in einen Datumsordner"),
         programsExport, false},
    };
}

} // namespace torvel::cli
