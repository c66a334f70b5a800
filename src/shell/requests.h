#pragma once
// Requests posted to child windows, numbered like the window messages they stand for.
// They are posted, never sent: the sender returns at once and the child handles the
// request from its event loop.

#include <QEvent>
#include <QObject>

namespace torvel {

enum class Request : int {
    ShowAgain = 1025,
    LoadRecord = 1027,
    SaveRecord = 1028,
    Retrigger = 1029,
    StartCommunication = 1030,
    StopCommunication = 1031,
    NachtSave = 1032,
    NachtLoad = 1033,
    Print = 1034,
};

// First parameter 85 ("U"): the USB text form of a file; second parameter 65 ("A"): all programs.
constexpr int kUsbParam = 85;
constexpr int kAllParam = 65;

class RequestEvent : public QEvent
{
public:
    RequestEvent(Request request, int p1 = 0, int p2 = 0);

    static QEvent::Type eventType();
    Request request() const { return m_request; }
    int number() const { return static_cast<int>(m_request); }
    int p1() const { return m_p1; }
    int p2() const { return m_p2; }

private:
    Request m_request;
    int m_p1;
    int m_p2;
};

// Posts the request when the target exists; false when it does not.
bool postRequest(QObject *target, Request request, int p1 = 0, int p2 = 0);

} // namespace torvel
