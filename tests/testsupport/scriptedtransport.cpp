#include "scriptedtransport.h"

#include <QTimer>

namespace torvel::test {

bool ScriptedTransport::open()
{
    if (m_failOpen)
        return false;
    if (!m_open)
        ++m_opens;
    m_open = true;
    return true;
}

void ScriptedTransport::close()
{
    m_open = false;
}

bool ScriptedTransport::flushInput()
{
    if (!open())
        return false;
    ++m_flushes;
    m_received.clear();
    return true;
}

bool ScriptedTransport::write(const QByteArray &bytes)
{
    if (!open() || m_failWrite)
        return false;
    m_writes.append(bytes);
    if (m_echo)
        m_pending += bytes;
    if (m_responder)
        m_pending += m_responder(bytes);
    if (!m_pending.isEmpty() && !m_deliveryQueued) {
        m_deliveryQueued = true;
        QTimer::singleShot(0, this, &ScriptedTransport::deliverSome);
    }
    return true;
}

void ScriptedTransport::inject(const QByteArray &bytes)
{
    m_pending += bytes;
    if (!m_deliveryQueued) {
        m_deliveryQueued = true;
        QTimer::singleShot(0, this, &ScriptedTransport::deliverSome);
    }
}

QByteArray ScriptedTransport::readAll()
{
    QByteArray out;
    out.swap(m_received);
    return out;
}

void ScriptedTransport::deliverSome()
{
    m_deliveryQueued = false;
    if (m_pending.isEmpty())
        return;
    const qsizetype n = m_chunk > 0 ? std::min<qsizetype>(m_chunk, m_pending.size()) : m_pending.size();
    m_received += m_pending.left(n);
    m_pending.remove(0, n);
    if (!m_pending.isEmpty()) {
        m_deliveryQueued = true;
        QTimer::singleShot(0, this, &ScriptedTransport::deliverSome);
    }
    emit bytesAvailable(m_received.size());
}

} // namespace torvel::test
