#pragma once
// A memo of the modem window (SendLog, ErrorLog, VKSMemo): shows a MemoLog and catches up
// with it at most every 50 ms, so a fast transfer never waits for the screen.

#include <QPlainTextEdit>
#include <QTimer>

namespace torvel {

class MemoLog;

class MemoView : public QPlainTextEdit
{
    Q_OBJECT
public:
    MemoView(MemoLog *log, const QString &objectName, QWidget *parent = nullptr);

    // Applies pending lines now (tests, screenshots).
    void refreshNow();

private:
    MemoLog *m_log;
    QTimer m_refresh;
};

} // namespace torvel
