#include "editorrecord.h"

#include "programsheet.h"

namespace torvel {

namespace {
quint16 wrap(qint64 v)
{
    return static_cast<quint16>(static_cast<quint64>(v) & 0xFFFF);
}

// Minutes to seconds on 16 bits: ((n mod 65536) * 60) mod 65536.
quint16 minutesToSeconds(qint64 n)
{
    return wrap(static_cast<qint64>(wrap(n)) * 60);
}
} // namespace

int editorValueIndex(EditorField field, int position)
{
    const int base = 5 * position - 5;
    switch (field) {
    case EditorField::TopHeat:
        return base;
    case EditorField::BottomHeat:
        return base + 1;
    case EditorField::BakeTime:
        return base + 2;
    case EditorField::Steam:
        return base + 3;
    case EditorField::Damper:
        return base + 4;
    }
    return base;
}

EditorField editorFieldOf(int index)
{
    switch (index % 5) {
    case 0:
        return EditorField::TopHeat;
    case 1:
        return EditorField::BottomHeat;
    case 2:
        return EditorField::BakeTime;
    case 3:
        return EditorField::Steam;
    default:
        return EditorField::Damper;
    }
}

qint64 EditorRecord::fieldNumber(const QString &text)
{
    bool ok = false;
    const qint64 v = text.trimmed().toLongLong(&ok, 10);
    return ok ? v : 0;
}

void EditorRecord::update(const QStringList &texts, const QList<int> &minuteColumns)
{
    for (int i = 0; i < kProgramValueCount; ++i) {
        const qint64 n = fieldNumber(texts.value(i));
        const EditorField field = editorFieldOf(i);
        const bool minutes = field == EditorField::BakeTime
                             || (field == EditorField::Damper && isMinuteColumn(i + 2, minuteColumns));
        m_values[i] = minutes ? minutesToSeconds(n) : wrap(n);
    }
}

QString EditorRecord::leaveBakeTime(int index, const QString &text)
{
    m_values[index] = minutesToSeconds(fieldNumber(text));
    return QString::number(m_values[index] / 60);
}

QString EditorRecord::leaveHeat(int index, const QString &text)
{
    m_values[index] = wrap(fieldNumber(text));
    return QString::number(m_values[index]);
}

int EditorRecord::totalMinutes() const
{
    // Summed in int: five times 65535 seconds fit, so the total is never cut to 16 bits.
    int seconds = 0;
    for (int phase = 1; phase <= 5; ++phase)
        seconds += m_values[editorValueIndex(EditorField::BakeTime, phase)];
    return seconds / 60;
}

QString EditorRecord::shownText(int index, const QList<int> &minuteColumns) const
{
    const EditorField field = editorFieldOf(index);
    const bool minutes =
        field == EditorField::BakeTime || (field == EditorField::Damper && isMinuteColumn(index + 2, minuteColumns));
    return QString::number(minutes ? m_values[index] / 60 : m_values[index]);
}

} // namespace torvel
