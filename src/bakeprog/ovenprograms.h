#pragma once
// What one oven holds of its bake programs, as far as the PC knows: the wire form of every
// program read from it or sent to it. A compare, the "send only what changed" of the list
// and torvelctl judge the list against it, byte for byte as the send would write it.

#include "bakeprogram.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <array>
#include <optional>

namespace torvel {

class SheetModel;

// One program as it travels: 14 name bytes in the display character set, 46 value bytes.
struct ProgramWire {
    QByteArray name;
    QByteArray values;

    bool operator==(const ProgramWire &) const = default;
    // 14 blanks: no program under this number.
    bool isEmpty() const;
};

// Row `number` of a list as the send would write it: the name padded or cut to 14 bytes in
// the display character set, the values x 60 in minute columns, reduced to 16 bits.
ProgramWire wireOfRow(const SheetModel &list, int number, const QList<int> &minuteColumns);

class OvenPrograms
{
public:
    explicit OvenPrograms(int oven = 0)
        : m_oven(oven)
    {
    }

    // 0 while no oven is known.
    int oven() const { return m_oven; }
    // Another oven forgets everything known of the last one.
    void setOven(int oven);

    // The parts as they arrive or are acknowledged; a program counts once both are in.
    void setName(int number, const QByteArray &bytes);
    void setValues(int number, const QByteArray &bytes);
    void setProgram(int number, const ProgramWire &wire);
    // The whole program, or nullopt while a part is unknown.
    std::optional<ProgramWire> program(int number) const;
    bool knows(int number) const { return program(number).has_value(); }
    bool knowsAny(int first, int last) const;

    void forget(int number);
    void forgetAll();

private:
    struct Slot {
        QByteArray name;
        QByteArray values;
    };
    bool valid(int number) const { return number >= 1 && number <= kMaxProgramNumber; }

    int m_oven = 0;
    std::array<Slot, kMaxProgramNumber> m_slots;
};

} // namespace torvel
