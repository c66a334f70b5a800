// version, search, status: the simplest questions to a controller.

#include "clicontext.h"
#include "link/controller.h"
#include "link/ovensearch.h"

namespace torvel::cli {

namespace {

bool noArguments(const QString &command, const QStringList &args, CliContext &ctx)
{
    QCommandLineParser parser;
    if (!parseCommandArguments(parser, command, args, ctx))
        return false;
    if (!parser.positionalArguments().isEmpty()) {
        ctx.err << command << ": unerwartete Angabe \"" << parser.positionalArguments().first() << "\""
                << Qt::endl;
        return false;
    }
    return true;
}

int version(CliContext &ctx, const QStringList &args)
{
    if (!noArguments(QStringLiteral("version"), args, ctx))
        return ExitUsage;
    const QString text = ReadSoftwareVersion(ctx.link.engine(), ctx.state.selectedOven());
    ctx.out << text << Qt::endl;
    return text == QLatin1String("NA") ? ExitControllerFailed : ExitOk;
}

int search(CliContext &ctx, const QStringList &args)
{
    if (!noArguments(QStringLiteral("search"), args, ctx))
        return ExitUsage;
    bool lineLost = false;
    const QList<OvenFound> ovens = searchOvens(ctx.link.engine(), {1, 2, 3, 4, 5, 6, 7}, &lineLost);
    for (const OvenFound &f : ovens)
        ctx.out << "Ofen " << f.oven << ": " << f.versionText << Qt::endl;
    // A lost line has said so once; the ovens not asked are not listed as absent.
    return lineLost ? ExitControllerFailed : ExitOk;
}

QString field(const std::optional<int> &v)
{
    return v ? QString::number(*v) : QStringLiteral("-");
}

QString field(const std::optional<bool> &v)
{
    return v ? (*v ? QStringLiteral("ein") : QStringLiteral("aus")) : QStringLiteral("-");
}

int status(CliContext &ctx, const QStringList &args)
{
    if (!noArguments(QStringLiteral("status"), args, ctx))
        return ExitUsage;
    StatusFailure failure = StatusFailure::NotAddressed;
    const auto s = QueryStatus(ctx.link.engine(), 10 * ctx.state.selectedOven(), nullptr, &failure);
    if (!s) {
        ctx.err << (failure == StatusFailure::NotAddressed ? "Steuerung nicht adressierbar!!" : "No Status")
                << Qt::endl;
        return ExitControllerFailed;
    }
    ctx.out << "Einstatus: " << field(s->onStatus) << Qt::endl;
    ctx.out << "BPrgNr: " << s->programNumber << Qt::endl;
    ctx.out << "Backzeit: " << field(s->bakeTime) << Qt::endl;
    ctx.out << "OHIst: " << field(s->topHeatActual) << Qt::endl;
    ctx.out << "UHIst: " << field(s->bottomHeatActual) << Qt::endl;
    ctx.out << "OHSoll: " << field(s->topHeatSet) << Qt::endl;
    ctx.out << "UHSoll: " << field(s->bottomHeatSet) << Qt::endl;
    ctx.out << "OHEin: " << field(s->topHeatOn) << Qt::endl;
    ctx.out << "UHEin: " << field(s->bottomHeatOn) << Qt::endl;
    ctx.out << "PRGStart: " << field(s->programStarted) << Qt::endl;
    return ExitOk;
}

} // namespace

QList<CliCommand> linkCommands()
{
    return {
        {QStringLiteral("version"), QStringLiteral("Software-Version des Ofens (--oven) ausgeben"), version},
        {QStringLiteral("search"), QStringLiteral("Software-Versionen der Öfen 1 bis 7 auflisten"), search},
        {QStringLiteral("status"), QStringLiteral("Status des Ofens (--oven) abfragen"), status},
    };
}

} // namespace torvel::cli
