#pragma once
// What a user may type as a program value: a whole number the controller can hold. Values
// from files keep their own conversions; these checks are for the fields and cells typed in.

#include <QList>
#include <QString>
#include <optional>

namespace torvel {

// The largest value a list column (2..24) takes as typed: 1092 where the column holds
// minutes (1092 x 60 seconds still fit 16 bits), 65535 elsewhere.
int typedValueMaximum(int column, const QList<int> &minuteColumns);

// Empty, or a whole number from 0 to `maximum` (blanks around it allowed): nullopt. Anything
// else: the message naming the field and the range, e.g. "Backzeit 1: \"-5\" ist kein
// gültiger Wert.\r\nErlaubt sind ganze Zahlen von 0 bis 1092 (Minuten)."
std::optional<QString> typedValueProblem(const QString &field, const QString &text, int maximum,
                                         bool minutes);

// The same for a list cell: the field is named by its column heading and program ("BZ1,
// Programm 5").
std::optional<QString> typedCellProblem(int row, int column, const QString &text,
                                        const QList<int> &minuteColumns);

inline const QString kTypedValueCaption = QStringLiteral("FEHLER");

} // namespace torvel
