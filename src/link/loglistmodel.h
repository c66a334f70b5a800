#pragma once
// A list model over one monitor list for a view. It catches up with the list in batches
// (at most every 50 ms), so a long transfer never waits on the screen.

#include "linelog.h"

#include <QAbstractListModel>
#include <QTimer>

namespace torvel {

class LogListModel : public QAbstractListModel
{
    Q_OBJECT
public:
    explicit LogListModel(const LineLog *list, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;

    // Asks for a catch-up; several requests within one batch interval make one update.
    void scheduleRefresh();
    // Brings the rows in line with the list now.
    void refresh();

signals:
    // After a catch-up: the view should show this top line.
    void refreshed(int topLine);

private:
    const LineLog *m_list;
    QStringList m_rows;
    qint64 m_firstAbsolute = 0; // index of m_rows[0] among all lines ever added
    QTimer m_batch;
};

} // namespace torvel
