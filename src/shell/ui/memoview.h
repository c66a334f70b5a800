#pragma once
// A read-only text view of a MemoLog (the Torvel2 and modem windows' memos) that follows it in
// batches (a view fed line by line is what makes long logs slow) and keeps the newest line in
// sight.

#include <QPlainTextEdit>
#include <QTimer>

namespace torvel {

class MemoLog;

class MemoView : public QPlainTextEdit
{
    Q_OBJECT
public:
    static constexpr int kBatchMs = 50;

    MemoView(MemoLog *memo, QWidget *parent = nullptr);
    MemoView(MemoLog *memo, const QString &objectName, QWidget *parent);

    // Shows the memo's lines now (tests; the view catches up by itself otherwise).
    void refresh();

private:
    MemoLog *m_memo;
    QTimer m_batch;
};

} // namespace torvel
