#include "clicontext.h"

#include "tables/readyvalidate.h"

namespace torvel::cli {

QList<CliCommand> allCommands()
{
    QList<CliCommand> all;
    all += linkCommands();
    all += clockCommands();
    all += programCommands();
    all += nightCommands();
    all += gradientCommands();
    all += readyCommands();
    all += oplogCommands();
    all += recordCommands();
    all += convertCommands();
    all += modemCommands();
    all += backupCommands();
    return all;
}

bool parseCommandArguments(QCommandLineParser &parser, const QString &command, const QStringList &args,
                           CliContext &ctx)
{
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    if (!parser.parse(QStringList{QStringLiteral("torvelctl")} + args)) {
        ctx.err << command << ": " << parser.errorText() << Qt::endl;
        return false;
    }
    return true;
}

std::optional<QString> singleFileArgument(const QCommandLineParser &parser, const QString &command,
                                          const std::function<bool(const QString &)> &accepts, const QString &hint,
                                          CliContext &ctx)
{
    const QStringList files = parser.positionalArguments();
    if (files.size() != 1 || !accepts(files.first())) {
        ctx.err << command << ": genau eine Datei " << hint << " angeben." << Qt::endl;
        return std::nullopt;
    }
    return files.first();
}

QCommandLineOption logOption(const QString &reports)
{
    return QCommandLineOption(QStringLiteral("log"),
                              QStringLiteral("Ordner für %1 (Vorgabe: log neben dem Programm).").arg(reports),
                              QStringLiteral("DIR"));
}

QString logFolder(const QCommandLineParser &parser, const QCommandLineOption &option)
{
    return parser.isSet(option) ? parser.value(option) : defaultLogFolder();
}

} // namespace torvel::cli
