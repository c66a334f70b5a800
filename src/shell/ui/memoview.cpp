#include "memoview.h"

#include "link/memolog.h"

#include <QScrollBar>

namespace torvel {

MemoView::MemoView(MemoLog *memo, QWidget *parent) : QPlainTextEdit(parent), m_memo(memo)
{
    setReadOnly(true);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    m_batch.setSingleShot(true);
    m_batch.setInterval(kBatchMs);
    connect(&m_batch, &QTimer::timeout, this, &MemoView::refresh);
    connect(m_memo, &MemoLog::changed, this, [this] {
        if (!m_batch.isActive())
            m_batch.start();
    });
    refresh();
}

MemoView::MemoView(MemoLog *memo, const QString &objectName, QWidget *parent) : MemoView(memo, parent)
{
    setObjectName(objectName);
}

void MemoView::refresh()
{
    m_batch.stop();
    setPlainText(m_memo->lines().join(QLatin1Char('\n')));
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

} // namespace torvel
