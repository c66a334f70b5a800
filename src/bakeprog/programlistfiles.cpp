#include "programlistfiles.h"

#include "programexport.h"
#include "programsheet.h"
#include "programtable.h"
#include "recfile.h"
#include "singleprogramfiles.h"
#include "tbrfile.h"
#include "shell/appstate.h"
#include "shell/prompter.h"
#include "shell/sheetmodel.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace torvel {

namespace {
const QString kError = QStringLiteral("ERROR");
const QString kSaveFailed =
    QStringLiteral("Beim Speichern der Daten ist ein Fehler aufgetreten.\r\nBitte überprüfen Sie die Datei.");

QString shown(const QString &fileName)
{
    return QDir::toNativeSeparators(fileName);
}

// How many rows went into the file as programs without a name.
QString leftOutText(int count, bool exported)
{
    const QString how = exported ? QStringLiteral("nicht exportiert (leere Dateien).")
                                 : QStringLiteral("ohne Namen und Werte gespeichert.");
    if (count == 1)
        return QStringLiteral("1 fehlerhaftes Backprogramm (\"ERR\") wurde ") + how;
    return QStringLiteral("%1 fehlerhafte Backprogramme (\"ERR\") wurden ").arg(count) + how;
}

ListFileResult outcome(ListFileResult::Outcome what, const QString &fileName)
{
    ListFileResult r;
    r.outcome = what;
    r.fileName = fileName;
    return r;
}
} // namespace

QString programListCaption(const AppState &state)
{
    return state.damperSecondsMode ? QStringLiteral("Backprogramm (ABZUG-Sekunden)") : QStringLiteral("Backprogramm");
}

QString programListFileCaption(const AppState &state, const QString &fileName)
{
    return programListCaption(state) + QStringLiteral(": ") + fileName;
}

QString withListSuffix(const QString &fileName, ListFileKind kind)
{
    const QString suffix = kind == ListFileKind::Rec ? QStringLiteral(".REC") : QStringLiteral(".TBR");
    // "Ends with", not "contains": "A.REC.TBR" saved as .REC is no .REC file yet.
    return fileName.toUpper().endsWith(suffix) ? fileName : fileName + suffix;
}

ProgramListFiles::ProgramListFiles(SheetModel &list, AppState &state, Prompter &prompter, bool &recordModified)
    : m_list(list), m_state(state), m_prompter(prompter), m_recordModified(recordModified)
{
}

void ProgramListFiles::error(const QString &text)
{
    m_prompter.inform(kError, text);
}

bool ProgramListFiles::readFile(const QString &fileName, qint64 maxBytes, QByteArray *content)
{
    QFile file(fileName);
    if (fileName.isEmpty() || QFileInfo(fileName).isDir() || !file.open(QIODevice::ReadOnly)) {
        error(QStringLiteral("Datei kann nicht geöffnet werden:\r\n") + shown(fileName));
        return false;
    }
    if (file.size() > maxBytes) {
        error(QStringLiteral("Datei ist zu groß:\r\n") + shown(fileName));
        return false;
    }
    *content = file.read(maxBytes + 1);
    if (file.error() != QFileDevice::NoError || content->size() > maxBytes) {
        error(QStringLiteral("Datei kann nicht gelesen werden:\r\n") + shown(fileName));
        return false;
    }
    return true;
}

// The list now shows the file: the old changes are gone with it.
ListFileResult ProgramListFiles::loaded(const QString &fileName)
{
    m_recordModified = false;
    m_list.setMaxCol(kProgramValueCount + 1);
    m_list.setMaxRow(kMaxProgramNumber);
    ListFileResult r = outcome(ListFileResult::Outcome::Done, fileName);
    r.caption = programListFileCaption(m_state, fileName);
    return r;
}

ListFileResult ProgramListFiles::loadRecord(ListFileKind kind)
{
    const QString fileName = m_state.currentFileName;
    // The flag stays set until the list is really replaced: a file that fails to load
    // leaves the old changes in place, still to be asked about.
    if (m_recordModified
        && m_prompter.ask(kDiscardChangesCaption, kDiscardChangesText, {PromptButton::Yes, PromptButton::No})
               != PromptButton::Yes)
        return outcome(ListFileResult::Outcome::Declined, fileName);

    if (kind == ListFileKind::Rec) {
        QString message;
        if (fileName.isEmpty() || !loadRecFile(fileName, m_list, m_state.minuteColumns, &message)) {
            error(message.isEmpty() ? QStringLiteral("Datei kann nicht geöffnet werden:\r\n") + shown(fileName)
                                    : message);
            return outcome(ListFileResult::Outcome::Failed, fileName);
        }
        return loaded(fileName);
    }

    QByteArray content;
    if (!readFile(fileName, kMaxTextFileBytes, &content))
        return outcome(ListFileResult::Outcome::Failed, fileName);
    TbrReadResult read = readTbr(content, m_state.maxPrograms);
    if (read.blocks == 0) {
        // Without a single program block this is no .TBR; loading it would empty the list.
        error(QStringLiteral("Datei enthält keine Backprogramme:\r\n") + shown(fileName));
        return outcome(ListFileResult::Outcome::Failed, fileName);
    }
    if (read.errorFlags != 0
        && m_prompter.ask(kError, tbrErrorQuestion(read.errorFlags),
                          {PromptButton::Yes, PromptButton::No, PromptButton::Cancel})
               != PromptButton::Yes)
        return outcome(ListFileResult::Outcome::Declined, fileName);
    tableToSheet(read.table, m_state.maxPrograms, m_list, m_state.minuteColumns);
    return loaded(fileName);
}

ListFileResult ProgramListFiles::saveRecord(ListFileKind kind)
{
    const QString fileName = withListSuffix(m_state.currentFileName, kind);
    m_state.currentFileName = fileName;

    bool written = false;
    int leftOut = 0;
    if (kind == ListFileKind::Rec) {
        QString message;
        written = saveRecFile(m_list, fileName, m_state.minuteColumns, &message);
    } else {
        QSaveFile file(fileName);
        if (file.open(QIODevice::WriteOnly)) {
            ProgramTable table = tableFromSheet(m_list, m_state.minuteColumns);
            leftOut = blankFaultyPrograms(table);
            const QByteArray content = tbrRecordFile(table);
            written = file.write(content) == content.size() && file.commit();
        }
    }
    if (!written) {
        // The old file is untouched (temporary file, renamed only on success).
        error(kSaveFailed + QStringLiteral("\r\n\r\n") + shown(fileName));
        return outcome(ListFileResult::Outcome::Failed, fileName);
    }
    m_recordModified = false;
    if (leftOut > 0)
        m_prompter.inform(QStringLiteral("Meldung"), leftOutText(leftOut, false));
    ListFileResult r = outcome(ListFileResult::Outcome::Done, fileName);
    r.caption = programListFileCaption(m_state, fileName);
    r.leftOut = leftOut;
    return r;
}

ListFileResult ProgramListFiles::exportAll()
{
    const QString base = m_exportBase.isEmpty() ? defaultExportBase() : m_exportBase;
    const QDate date = m_exportDate.isValid() ? m_exportDate : QDate::currentDate();
    ProgramTable table = tableFromSheet(m_list, m_state.minuteColumns);
    const int leftOut = blankFaultyPrograms(table);
    const ExportResult exported = exportPrograms(table, base, date);
    ListFileResult r = outcome(ListFileResult::Outcome::Failed, exported.folder);
    r.failedFiles = exported.failedFiles;
    r.leftOut = leftOut;
    if (!exported.folderCreated) {
        error(exportFolderFailedText(exported.folder));
        return r;
    }
    if (!exported.failedFiles.isEmpty()) {
        error(exportFailedFilesText(exported.folder, exported.failedFiles));
        return r;
    }
    QString done = exportDoneText(exported.folder);
    if (leftOut > 0)
        done += QStringLiteral("\r\n\r\n") + leftOutText(leftOut, true);
    m_prompter.inform(QStringLiteral("Meldung"), done);
    m_recordModified = false;
    r.outcome = ListFileResult::Outcome::Done;
    return r;
}

int ProgramListFiles::placed(int row)
{
    const int next = row < kMaxProgramNumber ? row + 1 : row;
    m_list.setMaxCol(kProgramValueCount + 1);
    m_list.setMaxRow(kMaxProgramNumber);
    m_list.setCurrentCell(next, 1);
    return next;
}

int ProgramListFiles::loadBpr(const QString &fileName, int row, bool *ok)
{
    if (ok)
        *ok = false;
    QByteArray content;
    if (!readFile(fileName, kMaxBprBytes, &content))
        return row;
    ProgramValues values{};
    if (!decodeBprValues(content, &values)) {
        error(QStringLiteral("Datei ist zu kurz für ein Backprogramm (46 Bytes):\r\n") + shown(fileName));
        return row;
    }
    const int target = std::clamp(row, 1, kMaxProgramNumber);
    putProgram(m_list, target, bprProgramName(fileName), values, m_state.minuteColumns);
    if (ok)
        *ok = true;
    return placed(target);
}

int ProgramListFiles::loadTbp(const QString &fileName, int row, bool *ok)
{
    if (ok)
        *ok = false;
    QByteArray content;
    if (!readFile(fileName, kMaxTextFileBytes, &content))
        return row;
    const int target = std::clamp(row, 1, kMaxProgramNumber);
    BakeProgram program;
    program.number = target;
    if (!decodeTbp(content, &program)) {
        error(QStringLiteral("Datei ist kein vollständiges USB-Backprogramm:\r\n") + shown(fileName));
        return row;
    }
    putProgram(m_list, target, program.name, program.values, m_state.minuteColumns);
    if (ok)
        *ok = true;
    return placed(target);
}

} // namespace torvel
