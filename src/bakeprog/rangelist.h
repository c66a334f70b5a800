#pragma once
// Program numbers as runs for a warning text: " 03 bis 05; 09 bis 09", a line break after
// a line of more than 40 characters.

#include <QList>
#include <QString>

namespace torvel {

// Ascending program numbers as runs for a one-line summary: "7, 12-14".
QString numberRuns(const QList<int> &numbers);

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
