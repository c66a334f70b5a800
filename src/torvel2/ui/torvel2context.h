#pragma once
// What every page of the Torvel2 window shares, in one place, so a page never reaches into the
// window's or another page's widgets: the line and the window's one busy guard, `SetBusy` and
// the progress gauge, the memos (`LogDebugLine`, the debug data `Betriebsdaten1`), `AbortFlag`,
// `IgnoreError`, the reference year of the "Debug" page, the Torvel record, and the file
// dialogs. The window shows what the context says (signals); pages only talk to the context.
//
// A page handler that talks to the oven:
//     if (!ctx.acceptClick([this] { ReadClick(); }))
//         return;                       // runs later when another transfer holds the line
//     Torvel2Context::Transfer transfer(ctx);   // SetBusy(false) ... SetBusy(true)
//     ReadSomething(transfer.line(), ...);      // the oven taken once, at the click
// Debug panels of the pages are shown only with state().modemStartup.

#include "link/memolog.h"
#include "oplog/operatinglist.h"
#include "shell/transferguard.h"
#include "torvel2/torvel2address.h"
#include "torvel2/torvelrecord.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

namespace torvel {

class AppState;
class CommandEngine;
class ControllerLink;
class Prompter;

// The reference date controls of the "Debug" page, read when operating data are decoded.
struct ReferenceYear {
    enum class Source { PcTime, TorvelTime, Manual }; // `TakePCRef`, `TakeTorvelRef`, `TakeManRef`
    int RefYear = 2010;
    Source source = Source::TorvelTime;
    bool CheckYear = true;
    // `RefYear` is shown red (while the controller's time is the reference, or when it failed).
    bool refYearRed = true;

    bool operator==(const ReferenceYear &other) const = default;
};

class Torvel2Context : public QObject
{
    Q_OBJECT
public:
    // A click while another transfer holds the line is carried out this much later.
    static constexpr int kBusyRetryMs = 50;
    static constexpr int kInitialGaugeMaximum = 396;

    // All three are required and outlive the context.
    Torvel2Context(AppState *state, ControllerLink *link, Prompter *prompter, QObject *parent = nullptr);

    AppState &state() const { return *m_state; }
    CommandEngine &engine() const;
    Prompter &prompter() const { return *m_prompter; }
    TorvelRecord &record() { return m_record; }
    // The operating data or error list read or opened last (both pages share it).
    OperatingList &operatingList() { return m_operatingList; }
    // The window's caption ("Torvel2", then the header of the list read or opened last).
    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);

    // --- The line ---------------------------------------------------------------------------
    // How a transfer shows itself: a page transfer calls SetBusy and pauses the clock window's
    // polling; a service query (status, addressing, clock setting) does neither.
    enum class TransferKind { Page, ServiceQuery };

    // The window's one busy guard: from the accepted click until the transfer has returned it
    // holds the line (other windows and pollers wait), keeps the oven it was started for, and
    // keeps the window from closing.
    class Transfer
    {
    public:
        explicit Transfer(Torvel2Context &ctx, TransferKind kind = TransferKind::Page);
        ~Transfer();
        Transfer(const Transfer &) = delete;
        Transfer &operator=(const Transfer &) = delete;

        const Torvel2Line &line() const { return m_line; }

    private:
        Torvel2Context &m_ctx;
        TransferKind m_kind;
        TransferGuard m_guard;
        Torvel2Line m_line;
    };

    // Any transaction or transfer holds the line (this window's or another window's).
    bool lineTaken() const;
    // A transfer of this window runs.
    bool transferRunning() const { return m_running > 0; }
    // True when a click that uses the line may run now. While a transfer (this window's poll
    // included) holds the line, `click` is carried out once it is free: one waiting click for
    // the whole window, further ones are dropped, as are clicks while the window closes.
    bool acceptClick(std::function<void()> click);
    // A click waits for the line (the status poll leaves it the line).
    bool clickWaiting() const { return m_clickWaiting; }
    // The window is closing: waiting clicks are dropped and no new ones accepted.
    void setClosing(bool closing) { m_closing = closing; }
    bool closing() const { return m_closing; }

    // --- SetBusy and progress ------------------------------------------------------------------
    // done false: the pages locked (except the record page), progress 0, `Fortschritt` shown,
    // hourglass; done true: the pages back, progress at its maximum, `Fortschritt` hidden.
    void SetBusy(bool done);
    bool busyShown() const { return m_busyShown; }
    void setProgressMaximum(int maximum);
    void setProgress(int value);
    int progress() const { return m_progress; }
    int progressMaximum() const { return m_progressMaximum; }
    // `AbortFlag` (program-wide): set by "Abbrechen", polled by the long loops.
    bool abortRequested() const;
    void setAbortFlag(bool on);

    // --- Memos ---------------------------------------------------------------------------------
    // `VKSMemo`: time-stamped, 1000 lines; `DisableAllLogs` stops it.
    MemoLog &vksMemo() { return m_vksMemo; }
    // `Betriebsdaten1`: the debug lines of decoded blocks, without a line limit.
    MemoLog &debugMemo() { return m_debugMemo; }
    void LogDebugLine(const QString &text);
    // `SaveDebugMemo`: the lines of `Betriebsdaten1` into a .txt file chosen by the user.
    void SaveDebugMemo();

    // --- Settings shared by pages ------------------------------------------------------------
    // `IgnoreError` (the box lives on the operating data page); off by default.
    bool ignoreError() const { return m_ignoreError; }
    void setIgnoreError(bool on);
    const ReferenceYear &reference() const { return m_reference; }
    void setReference(const ReferenceYear &reference);
    // `HerdMax` of the ready table page (1..9): the decks its complete operations, grid and
    // checks cover, and that the record transfer needs read.
    int herdMax() const { return m_herdMax; }
    void setHerdMax(int decks);
    // The folder "log" beside the program for the check reports; tests point it elsewhere.
    QString logFolder() const { return m_logFolder; }
    void setLogFolder(const QString &folder) { m_logFolder = folder; }

    // --- File dialogs --------------------------------------------------------------------------
    // The chosen file, empty when cancelled. Tests replace the dialogs.
    std::function<QString(const QString &filter, const QString &suffix)> saveFileDialog;
    std::function<QString(const QString &filter, const QString &suffix)> openFileDialog;
    QString askSaveFileName(const QString &filter, const QString &suffix) const;
    QString askOpenFileName(const QString &filter, const QString &suffix) const;
    // A save dialog offering several file types: `type` gets the index of the one chosen.
    std::function<QString(const QStringList &filters, const QString &suffix, int *type)> saveFileTypeDialog;
    QString askSaveFileName(const QStringList &filters, const QString &suffix, int *type) const;
    void setDialogParent(QWidget *parent) { m_dialogParent = parent; }

signals:
    void busyChanged(bool done);
    void progressChanged(int value, int maximum);
    // A transfer of this window has returned (a deferred close may go now).
    void transferFinished();
    void ignoreErrorChanged(bool on);
    void referenceChanged();
    void captionChanged(const QString &caption);

private:
    AppState *m_state;
    ControllerLink *m_link;
    Prompter *m_prompter;
    TorvelRecord m_record;
    OperatingList m_operatingList;
    QString m_caption = QStringLiteral("Torvel2");
    MemoLog m_vksMemo;
    MemoLog m_debugMemo;
    ReferenceYear m_reference;
    int m_herdMax = 9;
    QString m_logFolder;
    QPointer<QWidget> m_dialogParent;
    int m_running = 0;
    int m_progress = 0;
    int m_progressMaximum = kInitialGaugeMaximum;
    bool m_busyShown = false;
    bool m_ignoreError = false;
    bool m_closing = false;
    bool m_clickWaiting = false;
};

} // namespace torvel
