#pragma once
// A log as the window shows it: a header and the decoded entries in log order (oldest
// first). One list per Torvel2 window, shared by both logs; a read or an open replaces it.

#include <QList>
#include <QString>
#include <QtGlobal>

namespace torvel {

struct OperatingEntry {
    qint32 Number = 0;    // running number in this read, from 1; -1 when a file held no number
    QString Date;         // dd.mm.yyyy; empty until a day entry gives one
    QString Time;         // "hh:mm (XX)"
    qint32 DayOfWeek = 0; // 0 Sunday .. 6 Saturday, 7 for a weekday the controller cannot have
    QString Event;
    qint32 Deck = -1;    // the deck nibble; -1 when the entry names no deck
    QString DeckText;    // "Herd 3", "Torvel", or empty
    qint32 Program = -1; // the bake program the entry names, else -1
    QString ProgramName; // its name, empty when none was fetched

    bool operator==(const OperatingEntry &) const = default;
};

struct OperatingList {
    QString header;
    QList<OperatingEntry> entries;
};

} // namespace torvel
