#pragma once
// The two logs a second-generation controller keeps, and what tells them apart: their size,
// their function codes, their words and messages. Both are read, cleared, saved, opened and
// printed by the same code.

#include <QString>
#include <QtGlobal>

namespace torvel {

enum class LogKind { OperatingData, ErrorList };

constexpr int kLogEntryBytes = 4;
constexpr int kLogBlockEntries = 64;
constexpr int kLogBlockBytes = kLogEntryBytes * kLogBlockEntries;
constexpr int kOperatingDataEntries = 2048;
constexpr int kErrorListEntries = 1536;

// 2048 (operating data) or 1536 (error list).
int logTotalEntries(LogKind kind);
quint8 logReadFunction(LogKind kind);  // 0x20, 0x26
quint8 logClearFunction(LogKind kind); // 0x21, 0x27

// "Betriebsdaten" / "Fehlerliste": heads the list, the messages and the debug lines.
QString logTitle(LogKind kind);
// "Betriebsdaten" / "FehlerListe": the first line of a file when the window shows no list of
// that kind; compared without regard to letter case.
QString logKindWord(LogKind kind);
// True when `text` begins with `word`, letter case ignored.
bool beginsWithWord(const QString &text, const QString &word);

} // namespace torvel
