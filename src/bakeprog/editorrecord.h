#pragma once
// The editor's private copy of one program: 23 values in the controller's units, every
// step taken mod 65536 as the controller would, so the editor shows what will be sent.

#include "bakeprogram.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace torvel {

// The editor's field kinds; each row of the form is a phase.
enum class EditorField { BakeTime, TopHeat, BottomHeat, Steam, Damper };

// 0-based ProgramValues index of a field: phase (or steam/damper setting) 1..5 (1..4).
int editorValueIndex(EditorField field, int position);
// What kind of field edits the value with this 0-based index.
EditorField editorFieldOf(int index);

class EditorRecord
{
public:
    // A field's text as a whole decimal number in 64 bits; 0 when it is none or too large.
    static qint64 fieldNumber(const QString &text);

    const ProgramValues &values() const { return m_values; }
    quint16 value(int index) const { return m_values[index]; }

    // Reads all 23 field texts (ProgramValues order): bake times x 60, damper values x 60
    // in a minute column, the rest as typed; missing texts count as 0.
    void update(const QStringList &texts, const QList<int> &minuteColumns);

    // Leaving a bake time field (index of a bake time): stores the seconds and returns the
    // text the field shows afterwards (whole minutes of what was stored).
    QString leaveBakeTime(int index, const QString &text);
    // Leaving a heat field: stores the number mod 65536 and returns it as text.
    QString leaveHeat(int index, const QString &text);

    // The total of the five bake times in whole minutes.
    int totalMinutes() const;

    // The text a field shows for the stored value (minutes for bake times and damper values
    // in a minute column).
    QString shownText(int index, const QList<int> &minuteColumns) const;

private:
    ProgramValues m_values{};
};

} // namespace torvel
