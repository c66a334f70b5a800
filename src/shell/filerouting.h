#pragma once
// Which window gets which file: the open and save dialogs' filters, the kind of a chosen
// file and the order in which several chosen files are loaded.

#include <QStringList>

namespace torvel {

enum class FileKind { None, Bpr, Rec, Ngt, Tbp, Tbr, Tbz };

// The open dialog's entries, in order (entry 7 is "Alle Dateien (*.*)").
QStringList openFilters();
// The save dialog's entries, in order.
QStringList saveFilters();

// A name that ends with a known suffix (".BPR", ".REC", ... in any case) is of that kind
// whatever the entry; any other name is of entry 1..6's kind, and FileKind::None under
// entry 7 ("Alle Dateien").
FileKind openKind(int filterEntry, const QString &fileName);
FileKind kindFromSuffix(const QString &fileName);

// Save entry 1..4 -> Rec, Ngt, Tbr, Tbz.
FileKind saveKind(int filterEntry);
// The suffix a save dialog entry adds when the name has none ("REC", ...).
QString saveSuffix(int filterEntry);
// The name proposed when the user switches to the entry ("TORVEL.TBR" for 3, "TORVEL.TBZ" for 4).
QString proposedSaveName(int filterEntry);
// The name with the entry's suffix appended unless it already ends with it (any case).
QString withSaveSuffix(const QString &fileName, int filterEntry);

// Several chosen files load as the 2nd, 3rd, ..., last, then the 1st.
QStringList multiFileOrder(const QStringList &chosen);

} // namespace torvel
