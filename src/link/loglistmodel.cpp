#include "loglistmodel.h"

#include <algorithm>

namespace torvel {

LogListModel::LogListModel(const LineLog *list, QObject *parent) : QAbstractListModel(parent), m_list(list)
{
    m_batch.setSingleShot(true);
    m_batch.setInterval(50);
    connect(&m_batch, &QTimer::timeout, this, &LogListModel::refresh);
    refresh();
}

int LogListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

QVariant LogListModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= m_rows.size())
        return {};
    return m_rows.at(index.row());
}

void LogListModel::scheduleRefresh()
{
    if (!m_batch.isActive())
        m_batch.start();
}

void LogListModel::refresh()
{
    m_batch.stop();
    // Lines dropped from the top of the list since the last catch-up.
    const qint64 firstInList = m_list->droppedTotal();
    const qint64 drop = std::min<qint64>(firstInList - m_firstAbsolute, m_rows.size());
    if (drop > 0) {
        beginRemoveRows({}, 0, static_cast<int>(drop) - 1);
        m_rows.erase(m_rows.begin(), m_rows.begin() + drop);
        endRemoveRows();
    }
    m_firstAbsolute = firstInList;
    if (m_rows.size() > m_list->count()) { // cleared and refilled between two catch-ups
        beginResetModel();
        m_rows.clear();
        endResetModel();
    }
    const qsizetype have = m_rows.size();
    const qsizetype want = m_list->count();
    if (want > have) {
        beginInsertRows({}, static_cast<int>(have), static_cast<int>(want) - 1);
        for (qsizetype i = have; i < want; ++i)
            m_rows.append(m_list->at(static_cast<int>(i)));
        endInsertRows();
    }
    emit refreshed(m_list->topLine());
}

} // namespace torvel
