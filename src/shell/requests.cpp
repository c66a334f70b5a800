#include "requests.h"

#include <QCoreApplication>

namespace torvel {

RequestEvent::RequestEvent(Request request, int p1, int p2)
    : QEvent(eventType()), m_request(request), m_p1(p1), m_p2(p2)
{
}

QEvent::Type RequestEvent::eventType()
{
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

bool postRequest(QObject *target, Request request, int p1, int p2)
{
    if (!target)
        return false;
    QCoreApplication::postEvent(target, new RequestEvent(request, p1, p2));
    return true;
}

} // namespace torvel
