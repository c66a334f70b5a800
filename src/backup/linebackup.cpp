#include "linebackup.h"

#include "link/commandengine.h"

#include <QDir>

#include <algorithm>

namespace torvel {

bool OvenBackupResult::ok() const
{
    return std::all_of(items.cbegin(), items.cend(), [](const BackupItemResult &i) { return i.problem.isEmpty(); });
}

QStringList OvenBackupResult::saved() const
{
    QStringList names;
    for (const BackupItemResult &i : items)
        if (i.problem.isEmpty())
            names << i.name;
    return names;
}

QStringList OvenBackupResult::failed() const
{
    QStringList names;
    for (const BackupItemResult &i : items)
        if (!i.problem.isEmpty())
            names << i.name + QStringLiteral(": ") + i.problem;
    return names;
}

bool LineBackupResult::ok() const
{
    return !lineLost && !stopped && !folderFailed && missing.isEmpty() && !ovens.isEmpty()
           && std::all_of(ovens.cbegin(), ovens.cend(), [](const OvenBackupResult &o) { return o.ok(); });
}

QString backupFileName(int oven, const QDate &date, const QString &suffix)
{
    return QStringLiteral("Ofen%1_%2%3").arg(oven).arg(date.toString(QStringLiteral("yyyy-MM-dd")), suffix);
}

LineBackupResult backupLine(AppState &state, CommandEngine &engine, Prompter &prompter,
                            const LineBackupOptions &options,
                            const std::function<void(const OvenBackupResult &)> &ovenDone)
{
    LineBackupResult result;
    if (!QDir().mkpath(options.folder)) {
        result.folderFailed = true;
        return result;
    }
    const QDir folder(options.folder);
    const QList<OvenFound> found = searchOvens(engine, options.ovens, &result.lineLost);
    const QList<BackupItem> items = ovenBackupItems();
    for (const OvenFound &oven : found) {
        if (!oven.present()) {
            if (options.ovensGiven)
                result.missing << oven.oven;
            continue;
        }
        OvenBackupResult done{oven, {}};
        BackupJob job{state, engine, prompter, oven, options.logFolder};
        for (const BackupItem &item : items) {
            if (item.secondGenerationOnly && !oven.secondGeneration())
                continue;
            const QString file = folder.filePath(backupFileName(oven.oven, options.date, item.suffix));
            // Messages may run over several lines; summary lines and CSV rows hold one.
            const QString problem = item.save(job, file).replace(QStringLiteral("\r\n"), QStringLiteral(" "));
            done.items << BackupItemResult{item.name, file, problem.simplified()};
            result.stopped = options.stop && options.stop();
            if (engine.isLineLost() || result.stopped)
                break;
        }
        result.ovens << done;
        if (ovenDone)
            ovenDone(done);
        result.lineLost = engine.isLineLost();
        if (result.lineLost || result.stopped)
            break;
    }
    return result;
}

QString ovenSummaryLine(const OvenBackupResult &result)
{
    QString line = QStringLiteral("Ofen %1 (%2, %3. Generation):")
                       .arg(result.oven.oven)
                       .arg(result.oven.versionText)
                       .arg(result.oven.secondGeneration() ? 2 : 1);
    const QStringList saved = result.saved();
    const QStringList failed = result.failed();
    if (!saved.isEmpty())
        line += QStringLiteral(" gesichert ") + saved.join(QStringLiteral(", "));
    if (!failed.isEmpty())
        line += (saved.isEmpty() ? QStringLiteral(" ") : QStringLiteral("; ")) + QStringLiteral("fehlgeschlagen ")
                + failed.join(QStringLiteral(", "));
    return line;
}

QString missingOvenLine(int oven)
{
    return QStringLiteral("Ofen %1: nicht gefunden").arg(oven);
}

} // namespace torvel
