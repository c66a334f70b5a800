#pragma once
// Stands in for a child window and records the requests posted to it.

#include "shell/requests.h"

#include <QList>
#include <QObject>

namespace torvel::test {

class RequestProbe : public QObject
{
public:
    QList<QList<int>> seen; // number, p1, p2
    QList<Request> requests() const
    {
        QList<Request> out;
        for (const auto &r : seen)
            out << static_cast<Request>(r.at(0));
        return out;
    }

protected:
    bool event(QEvent *e) override
    {
        if (e->type() != RequestEvent::eventType())
            return QObject::event(e);
        auto *r = static_cast<RequestEvent *>(e);
        seen.append({r->number(), r->p1(), r->p2()});
        return true;
    }
};

} // namespace torvel::test
