#include "clicontext.h"

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

} // namespace torvel::cli
