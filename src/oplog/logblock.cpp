#include "logblock.h"

#include "logdates.h"
#include "logentry.h"

#include "link/memolog.h"

namespace torvel {

LogBlockDecoder::LogBlockDecoder(LogKind kind, int refYear, const QDate &reference, bool readComplete,
                                 OperatingList &list, MemoLog *memo)
    : m_kind(kind), m_refYear(refYear), m_reference(reference), m_readComplete(readComplete), m_list(list), m_memo(memo)
{
}

LogBlockDecoder::Outcome LogBlockDecoder::takeBlock(QByteArray body, int firstEntry)
{
    if (m_memo)
        m_memo->addLine(logTitle(m_kind) + QLatin1Char(' ') + longTimeText(QTime::currentTime()));
    Outcome outcome;
    for (int i = 1; i <= kLogBlockEntries && body.size() >= kLogEntryBytes; ++i) {
        const QByteArray four = body.left(kLogEntryBytes);
        if (isLogEndMark(four) && !m_readComplete) {
            outcome.endMark = true;
            break;
        }
        const LogEntryBytes b = LogEntryBytes::from(four);
        OperatingEntry e = decodeLogEntry(b, m_kind);
        if (b.type == kDayEntryType)
            m_runningDate = dayEntryDate(b.dayNumber(), m_refYear, m_reference);
        e.Date = m_runningDate;
        if (m_memo)
            m_memo->addLine(logDebugLine(i + firstEntry, four, b, e.Time));
        e.Number = static_cast<qint32>(m_list.entries.size() + 1);
        m_list.entries.append(e);
        body.remove(0, kLogEntryBytes);
    }
    outcome.rest = body;
    return outcome;
}

} // namespace torvel
