#include "memoview.h"

#include "link/memolog.h"

#include <QScrollBar>

namespace torvel {

MemoView::MemoView(MemoLog *log, const QString &objectName, QWidget *parent) : QPlainTextEdit(parent), m_log(log)
{
    setObjectName(objectName);
    setReadOnly(true);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    m_refresh.setSingleShot(true);
    m_refresh.setInterval(50);
    connect(&m_refresh, &QTimer::timeout, this, &MemoView::refreshNow);
    connect(log, &MemoLog::changed, this, [this] {
        if (!m_refresh.isActive())
            m_refresh.start();
    });
    refreshNow();
}

void MemoView::refreshNow()
{
    m_refresh.stop();
    setPlainText(m_log->lines().join(QLatin1Char('\n')));
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

} // namespace torvel
