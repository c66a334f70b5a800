#pragma once
// The list window's file functions: .REC and .TBR load and save, the USB export of every
// program, and .BPR / .TBP single programs into a row. Each one leaves the list, the
// modified flag and the caption exactly as they were when it does not succeed.

#include <QDate>
#include <QString>
#include <QStringList>

namespace torvel {

class AppState;
class Prompter;
class SheetModel;

enum class ListFileKind { Rec, Tbr };

struct ListFileResult {
    enum class Outcome {
        Done,     // read or written
        Declined, // the user answered a question with No (discard changes, faulty .TBR)
        Failed,   // the file could not be read or written; the message was shown
    };
    Outcome outcome = Outcome::Failed;
    QString fileName; // the file read or written (with the suffix rule applied)
    QString caption;  // the list window's new caption; empty when it stays as it is
    QStringList failedFiles; // export: the files that could not be written
    int leftOut = 0;         // .TBR save and export: "ERR:" rows written as programs without a name

    bool done() const { return outcome == Outcome::Done; }
};

// Asked before a modified list is replaced or closed.
inline const QString kDiscardChangesCaption = QStringLiteral("ACHTUNG");
inline const QString kDiscardChangesText =
    QStringLiteral("Backprogramm-Record wurde verändert!\n\rSollen die Änderungen verworfen werden?");

// "Backprogramm" or "Backprogramm (ABZUG-Sekunden)".
QString programListCaption(const AppState &state);
// The caption while the list shows a file: "Backprogramm: <file>".
QString programListFileCaption(const AppState &state, const QString &fileName);
// The name with ".REC" / ".TBR" appended unless its upper-case form already ends with it.
QString withListSuffix(const QString &fileName, ListFileKind kind);

class ProgramListFiles
{
public:
    // `list` is a sheet set up by setupProgramSheet; `recordModified` the window's flag.
    ProgramListFiles(SheetModel &list, AppState &state, Prompter &prompter, bool &recordModified);

    // Where the export puts its dated folders (tests and torvelctl; default
    // defaultExportBase()), and the date that names them (default: today).
    void setExportBase(const QString &folder) { m_exportBase = folder; }
    void setExportDate(const QDate &date) { m_exportDate = date; }

    // Loads AppState::currentFileName. Asks first when the list was modified.
    ListFileResult loadRecord(ListFileKind kind);
    // Saves into AppState::currentFileName, which gets the suffix when it lacks it.
    ListFileResult saveRecord(ListFileKind kind);
    // Every program as TORVELnn.TBR in a fresh dated folder; shows the final message.
    ListFileResult exportAll();

    // One program file into `row` (below 1 counts as 1). Returns the row the list's cursor
    // goes to next: the row below, or 99 on the last row; `row` itself when nothing was
    // read. The sheet's current cell is moved there, column 1. *ok tells whether it read.
    int loadBpr(const QString &fileName, int row, bool *ok = nullptr);
    int loadTbp(const QString &fileName, int row, bool *ok = nullptr);

    // The largest .TBR or .TBP text read; a full record is about 25 KB.
    static constexpr qint64 kMaxTextFileBytes = 4 * 1024 * 1024;

private:
    bool readFile(const QString &fileName, qint64 maxBytes, QByteArray *content);
    void error(const QString &text);
    ListFileResult loaded(const QString &fileName);
    int placed(int row);

    SheetModel &m_list;
    AppState &m_state;
    Prompter &m_prompter;
    bool &m_recordModified;
    QString m_exportBase;
    QDate m_exportDate;
};

} // namespace torvel
