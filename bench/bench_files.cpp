// Read and write times of every file format with full-size content (all 99 programs, a whole
// night start week, both gradient modes, the whole ready table, a full operating log, a
// large phone book), through the same core functions the windows and torvelctl use. Prints the median of several runs and its ratio to the
// 100 ms a user starts to notice. Asserts nothing.
//
// A new format is one entry in formats(): its name, what it holds, and a write and a read
// function (either may be empty when the format has only the other).

#include "bakeprog/programexport.h"
#include "bakeprog/programlistfiles.h"
#include "bakeprog/programsheet.h"
#include "bakeprog/programtable.h"
#include "bakeprog/tbrfile.h"
#include "modem/phonebook.h"
#include "nightstart/nightfiles.h"
#include "nightstart/nightstartgrid.h"
#include "shell/appstate.h"
#include "shell/prompter.h"
#include "shell/sheetmodel.h"
#include "oplog/logfile.h"
#include "oplog/loggrid.h"
#include "shell/workbookfile.h"
#include "tables/gradientfile.h"
#include "tables/gradienttable.h"
#include "tables/readydefaults.h"
#include "tables/readyfile.h"

#include <QCoreApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace torvel;

namespace {
// The delay a user starts to notice after a click.
constexpr double kNoticeMs = 100.0;

class SilentPrompter : public Prompter
{
public:
    PromptButton ask(const QString &, const QString &, const QList<PromptButton> &) override { return PromptButton::Yes; }
    void inform(const QString &caption, const QString &text) override
    {
        if (caption != QLatin1String("Meldung"))
            std::fprintf(stderr, "%s: %s\n", qPrintable(caption), qPrintable(text));
    }
    void showMessageWindow(const QString &) override {}
    void retrigger() override {}
    void showTimedMessage(const QString &, const QString &, int) override {}
};

struct FileFormat {
    const char *name;
    const char *content;
    std::function<bool()> write; // empty: the program only reads this format
    std::function<bool()> read;  // empty: the program only writes it
};

// What the formats are filled with, and where they go.
struct Fixture {
    QTemporaryDir dir;
    AppState state;
    SilentPrompter prompter;
    bool modified = false;
    SheetModel programs;
    SheetModel programsBack;
    SheetModel night;
    SheetModel nightBack;
    GradientTable gradient = testGradientTable();
    PhoneBook book;
    ReadyTable ready = defaultReadyTable();
    SheetModel log;

    Fixture()
    {
        setupProgramSheet(programs);
        setupProgramSheet(programsBack);
        for (int n = 1; n <= kMaxProgramNumber; ++n) {
            ProgramValues v{};
            for (int i = 0; i < kProgramValueCount; ++i)
                v[size_t(i)] = static_cast<quint16>(60 * ((n + i) % 50) + i);
            putProgram(programs, n, QStringLiteral("Programm %1 äöü").arg(n, 2, 10, QLatin1Char('0')), v,
                       state.minuteColumns);
        }
        setupNightStartGrid(night);
        setupNightStartGrid(nightBack);
        for (int row = kNightFirstValueRow; row <= kNightRows; ++row) {
            for (int col = kNightFirstValueCol; col <= kNightCols; ++col)
                night.setNumber(row, col, isNightHourColumn(col) ? (row * 3 + col) % 24 : (row * 7 + col) % 60);
        }
        OperatingList list{QStringLiteral("Betriebsdaten Torvel70; 11.03.2024 09:00:00"), {}};
        for (int i = 1; i <= 2048; ++i) {
            const QDate day = QDate(2024, 3, 11).addDays(-(2048 - i) / 100);
            list.entries.append({i, day.toString(QStringLiteral("dd.MM.yyyy")),
                                 QStringLiteral("%1:%2 (MO)").arg(i % 24, 2, 10, QLatin1Char('0')).arg(i % 60, 2, 10, QLatin1Char('0')),
                                 1, QStringLiteral("Backprogramm gestartet"), i % 9 + 1,
                                 QStringLiteral("Herd %1").arg(i % 9 + 1), i % 99 + 1,
                                 QStringLiteral("Programm %1").arg(i % 99 + 1)});
        }
        setupLogGrid(log, LogKind::OperatingData);
        ShowOperatingList(log, list, true);
        for (int i = 1; i <= 1000; ++i)
            book.append({QStringLiteral("Bäckerei Nummer %1").arg(i), QStringLiteral("0%1").arg(700000 + 37 * i)});
    }

    QString path(const QString &name) const { return dir.filePath(name); }

    ListFileResult saveList(ListFileKind kind, const QString &name)
    {
        state.currentFileName = path(name);
        return ProgramListFiles(programs, state, prompter, modified).saveRecord(kind);
    }
    ListFileResult loadList(ListFileKind kind, const QString &name)
    {
        state.currentFileName = path(name);
        return ProgramListFiles(programsBack, state, prompter, modified).loadRecord(kind);
    }
};

bool writeBytes(const QString &fileName, const QByteArray &bytes)
{
    QFile file(fileName);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

std::vector<FileFormat> formats(Fixture &f)
{
    // The files only read are written once here, as another program (or the controller's
    // USB export) would have left them.
    writeBytes(f.path(QStringLiteral("ROGGEN.BPR")), QByteArray(46, '\x12'));
    BakeProgram single{7, QStringLiteral("Roggenbrot"), {}};
    single.values.fill(900);
    writeBytes(f.path(QStringLiteral("roggen.TBP")), exportedProgramFile(single));
    return {
        {".BPR", "1 program, 46 bytes", {},
         [&f] {
             bool ok = false;
             ProgramListFiles(f.programsBack, f.state, f.prompter, f.modified)
                 .loadBpr(f.path(QStringLiteral("ROGGEN.BPR")), 5, &ok);
             return ok;
         }},
        {".REC", "99 programs (workbook)", [&f] { return f.saveList(ListFileKind::Rec, QStringLiteral("all.REC")).done(); },
         [&f] { return f.loadList(ListFileKind::Rec, QStringLiteral("all.REC")).done(); }},
        {".TBR", "99 programs (USB text)", [&f] { return f.saveList(ListFileKind::Tbr, QStringLiteral("all.TBR")).done(); },
         [&f] { return f.loadList(ListFileKind::Tbr, QStringLiteral("all.TBR")).done(); }},
        {".TBP", "1 program (USB text)", {},
         [&f] {
             bool ok = false;
             ProgramListFiles(f.programsBack, f.state, f.prompter, f.modified)
                 .loadTbp(f.path(QStringLiteral("roggen.TBP")), 7, &ok);
             return ok;
         }},
        {"USB export", "99 files TORVELnn.TBR",
         [&f] {
             ProgramListFiles files(f.programs, f.state, f.prompter, f.modified);
             files.setExportBase(f.path(QStringLiteral("USBDaten/Export")));
             files.setExportDate(QDate(2024, 3, 11));
             return files.exportAll().done();
         },
         {}},
        {".NGT", "7 days x 2 starts (workbook)",
         [&f] {
             QString e;
             return saveNightFile(f.night, f.path(QStringLiteral("week.NGT")), NightFileKind::Ngt, &e);
         },
         [&f] {
             QString e;
             return loadNightFile(f.path(QStringLiteral("week.NGT")), NightFileKind::Ngt, f.nightBack, &e);
         }},
        {".TBZ", "7 days x 2 starts (USB text)",
         [&f] {
             QString e;
             return saveNightFile(f.night, f.path(QStringLiteral("week.TBZ")), NightFileKind::Tbz, &e);
         },
         [&f] {
             QString e;
             return loadNightFile(f.path(QStringLiteral("week.TBZ")), NightFileKind::Tbz, f.nightBack, &e);
         }},
        {".TST", "2 modes x 9 decks",
         [&f] {
             QString e;
             return saveGradientFile(f.gradient, f.path(QStringLiteral("oven7.TST")), &e);
         },
         [&f] {
             QString e;
             GradientTable back = emptyGradientTable();
             return loadGradientFile(f.path(QStringLiteral("oven7.TST")), &back, &e);
         }},
        {".TBT", "7 days x 9 decks x 128 times",
         [&f] {
             QString e;
             return saveReadyFile(f.ready, f.path(QStringLiteral("week.TBT")), &e);
         },
         [&f] {
             ReadyTable back;
             ReadyBlockFlags flags;
             QString e;
             QString repair;
             return openReadyFile(f.path(QStringLiteral("week.TBT")), f.path(QStringLiteral("log")), &back, &flags, &e,
                                  &repair);
         }},
        {".TB2", "2048 log entries",
         [&f] {
             QString e;
             return saveOperatingFile(f.path(QStringLiteral("log.TB2")), f.log, QString(), LogKind::OperatingData,
                                      LogFileType::Tb2, &e);
         },
         [&f] {
             OperatingList back;
             QString e;
             return openOperatingFile(f.path(QStringLiteral("log.TB2")), LogKind::OperatingData, &back, &e);
         }},
        {".CSV", "2048 log entries",
         [&f] {
             QString e;
             return saveOperatingFile(f.path(QStringLiteral("log.CSV")), f.log, QString(), LogKind::OperatingData,
                                      LogFileType::CsvSemicolon, &e);
         },
         [&f] {
             OperatingList back;
             QString e;
             return openOperatingFile(f.path(QStringLiteral("log.CSV")), LogKind::OperatingData, &back, &e);
         }},
        {"workbook", "2048 x 7 cells (log grid)",
         [&f] { return saveWorkbook(f.log, f.path(QStringLiteral("log.xlsx"))); },
         [&f] {
             SheetModel back;
             return loadWorkbook(f.path(QStringLiteral("log.xlsx")), back);
         }},
        {"Telefonbuch.ini", "1000 entries",
         [&f] { return savePhoneBook(phoneBookPath(f.dir.path()), f.book) == PhoneBookSaveError::None; },
         [&f] {
             PhoneBook back;
             return loadPhoneBook(phoneBookPath(f.dir.path()), &back) && back.size() == f.book.size();
         }},
        // The modem listing files (Modemantwort*.txt) are only written, by the modem check
        // after each listing; the program never reads them, so there is nothing to time here.
    };
}

// Median milliseconds of `runs` calls after one warm-up; negative when a call failed.
double medianMs(const std::function<bool()> &op, int runs)
{
    if (!op())
        return -1;
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        if (!op())
            return -1;
        ms.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

QString figure(const std::function<bool()> &op, int runs)
{
    if (!op)
        return QStringLiteral("%1 %2").arg(QStringLiteral("-"), 9).arg(QStringLiteral("-"), 8);
    const double ms = medianMs(op, runs);
    if (ms < 0)
        return QStringLiteral("%1 %2").arg(QStringLiteral("failed"), 9).arg(QString(), 8);
    return QStringLiteral("%1 %2").arg(ms, 9, 'f', 3).arg(ms / kNoticeMs, 8, 'f', 4);
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 20;
    Fixture fixture;
    std::printf("files: median of %d runs each; ratio = time / %.0f ms (a delay a user notices)\n", runs, kNoticeMs);
    std::printf("  %-16s %-30s %9s %8s %9s %8s\n", "format", "content", "write ms", "ratio", "read ms", "ratio");
    for (const FileFormat &format : formats(fixture)) {
        const QString write = figure(format.write, runs);
        const QString read = figure(format.read, runs);
        std::printf("  %-16s %-30s %s %s\n", format.name, format.content, qPrintable(write), qPrintable(read));
    }
    return 0;
}
