#pragma once
// The one line of the program: the port, the engine that talks over it and the monitor's
// lists. The desktop program, the command-line tool and the tests each make one.

#include "commandengine.h"
#include "monitorlog.h"
#include "transport.h"

#include <QObject>
#include <memory>

namespace torvel {

class ControllerLink : public QObject
{
    Q_OBJECT
public:
    explicit ControllerLink(QObject *parent = nullptr);
    ~ControllerLink() override;

    // Replaces the port; the old one is closed. Refused (false) while a transaction runs.
    bool setTransport(std::unique_ptr<Transport> transport);
    Transport *transport() const { return m_transport.get(); }

    CommandEngine &engine() { return m_engine; }
    MonitorLog &log() { return m_log; }

signals:
    void transportChanged();

private:
    MonitorLog m_log;
    CommandEngine m_engine;
    std::unique_ptr<Transport> m_transport;
};

} // namespace torvel
