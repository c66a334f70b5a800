#pragma once
// Ends the event loop on SIGTERM and SIGINT. The handler only writes a byte into a
// pipe; the quitting itself happens in the event loop, where it is safe.

#include <QObject>

class QSocketNotifier;

namespace torvel::sim {

class QuitOnSignal : public QObject
{
    Q_OBJECT
public:
    // One instance per program: the signal handler has a single pipe to write to.
    explicit QuitOnSignal(QObject *parent = nullptr);
    ~QuitOnSignal() override;

    bool installed() const { return m_installed; }

signals:
    void signalled(int signalNumber);

private:
    QSocketNotifier *m_notifier = nullptr;
    bool m_installed = false;
};

} // namespace torvel::sim
