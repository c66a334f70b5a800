#pragma once
// Program numbers as runs for a warning text: " 03 bis 05; 09 bis 09", a line break after
// a line of more than 40 characters.

#include <QString>

namespace torvel {

class RangeList
{
public:
    void add(int n);
    QString text() const;
    bool isEmpty() const { return m_empty; }

private:
    QString m_line;
    QString m_done;
    int m_last = -99;
    bool m_empty = true;
};

} // namespace torvel
