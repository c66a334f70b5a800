#include "nighttransfer.h"

#include "nightcheck.h"
#include "nightrecord.h"
#include "nightstartgrid.h"
#include "nighttexts.h"

#include "link/bytes.h"
#include "link/commandengine.h"
#include "link/controller.h"
#include "shell/appstate.h"
#include "shell/prompter.h"
#include "shell/sheetmodel.h"
#include "shell/transferguard.h"

#include <QCoreApplication>

namespace torvel {

QString nightReadOutcome(int oven, bool read, bool aborted)
{
    if (read)
        return QStringLiteral("Nachtstartzeiten von Ofen %1 gelesen.").arg(oven);
    return aborted ? QStringLiteral("Lesen abgebrochen.")
                   : QStringLiteral("Nachtstartzeiten von Ofen %1 nicht gelesen.").arg(oven);
}

QString nightSendOutcome(int oven, NightSendResult result)
{
    switch (result) {
    case NightSendResult::Sent:
        return QStringLiteral("Nachtstartzeiten an Ofen %1 gesendet.").arg(oven);
    case NightSendResult::Refused:
        return QStringLiteral("Nachtstartzeiten nicht gesendet: ein Feld ist keine Zahl.");
    case NightSendResult::Aborted:
        return QStringLiteral("Senden abgebrochen.");
    default:
        return QStringLiteral("Nachtstartzeiten an Ofen %1 nicht gesendet.").arg(oven);
    }
}

namespace {
constexpr int kReadTries = 5;
constexpr int kSendAttempts = 6;
const QByteArray kAckOnly(1, kAck);

void processEvents()
{
    QCoreApplication::processEvents();
}
} // namespace

NightTransfer::NightTransfer(AppState &state, CommandEngine &engine, Prompter &prompter, SheetModel &grid)
    : m_state(state), m_engine(engine), m_prompter(prompter), m_grid(grid)
{
}

bool NightTransfer::address(int oven)
{
    return m_engine.SendCommand(addressFrame(ovenAddressByte(oven)), 1, false, kNightAddressTimeoutMs,
                                kNightAddressCaption, ControllerFlags)
           == kAckOnly;
}

bool NightTransfer::read(int oven)
{
    TransferGuard guard(m_state, &m_engine);
    m_state.pauseClockPolling();
    const bool ok = readRecord(oven);
    m_state.resumeClockPolling();
    return ok;
}

bool NightTransfer::readRecord(int oven)
{
    m_state.abortFlag = false;
    m_prompter.showMessageWindow(nighttext::kReading);
    clearNightValues(m_grid);
    bool arrived = false;
    int tries = kReadTries;
    do {
        m_prompter.retrigger();
        processEvents();
        m_grid.setText(kNightFirstValueRow, kNightFirstValueCol, nightmarker::kTrying);
        if (!address(oven)) {
            if (--tries == 0)
                m_grid.setText(kNightFirstValueRow, kNightFirstValueCol, nightmarker::kNoAnswer);
        } else {
            QByteArray reply = m_engine.SendCommand(nightReadFrame(), kNightReadReplyLength, true,
                                                    kNightReadTimeoutMs, kNightReadCaption, ControllerFlags);
            // Framing and checksum alone let a short reply through: the record must be whole.
            if (!CheckReply(reply, true) || reply.size() != kNightReadReplyLength) {
                if (--tries == 0)
                    m_grid.setText(kNightFirstValueRow, kNightFirstValueCol, nightmarker::kTransferError);
            } else {
                m_lastRecord = nightRecordFrom(reply.mid(1, kNightRecordBytes));
                putNightRecord(m_grid, *m_lastRecord);
                m_grid.setSheetName(nightReceivedSheetName(oven));
                arrived = true;
                tries = 0;
            }
        }
        processEvents();
    } while (tries > 0 && !m_state.abortFlag);
    if (!m_engine.isLineLost()) // a lost line has said so itself
        m_prompter.showMessageWindow(m_state.abortFlag ? nighttext::kAborted : nighttext::kReadDone);
    m_state.abortFlag = false;
    return arrived;
}

NightSendResult NightTransfer::send(int oven)
{
    TransferGuard guard(m_state, &m_engine);
    // A half-checked grid must never become a half-sent record: look at all cells first.
    if (const auto problem = findInvalidNightCell(m_grid)) {
        m_prompter.inform(kNightCellProblemCaption, nightCellProblemText(*problem));
        return NightSendResult::Refused;
    }
    m_state.pauseClockPolling();
    m_state.abortFlag = false;
    m_prompter.showMessageWindow(nighttext::kSending);
    markIncompleteNightStarts(m_grid);
    const QByteArray recordFrame = nightRecordFrame(nightRecordFromGrid(m_grid));

    NightSendResult result = NightSendResult::NotReachable;
    for (int attempt = 0; attempt < kSendAttempts && !m_state.abortFlag; ++attempt) {
        const bool last = attempt == kSendAttempts - 1;
        m_prompter.retrigger();
        processEvents();
        if (!address(oven)) {
            result = NightSendResult::NotReachable;
            if (last)
                m_prompter.showMessageWindow(nighttext::kNotReachable);
            continue;
        }
        if (m_engine.SendCommand(nightAnnounceFrame(), 1, true, kNightAnnounceTimeoutMs, kNightAnnounceCaption,
                                 ControllerFlags)
            != kAckOnly) {
            result = NightSendResult::NotAccepted;
            if (last)
                m_prompter.showMessageWindow(nighttext::kNotAccepted);
            continue;
        }
        if (m_engine.SendCommand(recordFrame, 1, true, kNightRecordTimeoutMs, kNightRecordCaption, ControllerFlags)
            == kAckOnly) {
            result = NightSendResult::Sent;
            m_prompter.showMessageWindow(nighttext::kSent);
            break;
        }
        result = NightSendResult::NotAcknowledged;
        m_prompter.showMessageWindow(nighttext::kRecordRefused);
    }
    if (result != NightSendResult::Sent && m_state.abortFlag) {
        result = NightSendResult::Aborted;
        if (!m_engine.isLineLost())
            m_prompter.showMessageWindow(nighttext::kAborted);
    }
    m_state.abortFlag = false;
    if (result == NightSendResult::Sent)
        readRecord(oven);
    m_state.resumeClockPolling();
    return result;
}

} // namespace torvel
