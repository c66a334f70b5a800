#include "ovenprograms.h"

#include "programsheet.h"

#include "shell/sheetmodel.h"

namespace torvel {

bool ProgramWire::isEmpty() const
{
    return name == QByteArray(kProgramNameLength, ' ');
}

ProgramWire wireOfRow(const SheetModel &list, int number, const QList<int> &minuteColumns)
{
    return {encodeProgramName(list.text(number, 1)),
            encodeProgramValues(sendValues(list, number, minuteColumns))};
}

void OvenPrograms::setOven(int oven)
{
    if (oven != m_oven)
        forgetAll();
    m_oven = oven;
}

void OvenPrograms::setName(int number, const QByteArray &bytes)
{
    if (valid(number) && bytes.size() == kProgramNameLength)
        m_slots[number - 1].name = bytes;
}

void OvenPrograms::setValues(int number, const QByteArray &bytes)
{
    if (valid(number) && bytes.size() == kProgramValueBytes)
        m_slots[number - 1].values = bytes;
}

void OvenPrograms::setProgram(int number, const ProgramWire &wire)
{
    forget(number);
    setName(number, wire.name);
    setValues(number, wire.values);
}

std::optional<ProgramWire> OvenPrograms::program(int number) const
{
    if (!valid(number))
        return std::nullopt;
    const Slot &slot = m_slots[number - 1];
    if (slot.name.isEmpty() || slot.values.isEmpty())
        return std::nullopt;
    return ProgramWire{slot.name, slot.values};
}

bool OvenPrograms::knowsAny(int first, int last) const
{
    for (int n = first; n <= last; ++n)
        if (knows(n))
            return true;
    return false;
}

void OvenPrograms::forget(int number)
{
    if (valid(number))
        m_slots[number - 1] = Slot{};
}

void OvenPrograms::forgetAll()
{
    m_slots.fill(Slot{});
}

} // namespace torvel
