#pragma once
// What a backup saves of one oven: a list of items (bake programs, night starts, ready table,
// ...), each reading the oven and writing its own file. A further kind of data is one more
// entry of ovenBackupItems().

#include "link/ovensearch.h"

#include <QList>
#include <QString>

#include <functional>

namespace torvel {

class AppState;
class CommandEngine;
class Prompter;

struct BackupJob {
    AppState &state;
    CommandEngine &engine;
    Prompter &prompter;
    OvenFound oven;
    QString logFolder; // where the ready table repair leaves its report
};

struct BackupItem {
    QString name;   // "Backprogramme": how the summary names it
    QString suffix; // ".TBR": the ending of its file
    bool secondGenerationOnly = false;
    // Reads the oven and writes `file`; empty when saved, otherwise why not (German).
    std::function<QString(BackupJob &job, const QString &file)> save;
};

// Every item, in the order the backup runs them.
QList<BackupItem> ovenBackupItems();

} // namespace torvel
