#include "childhost.h"

#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>

namespace torvel {

namespace {
// Offscreen and under some window managers the content of a subwindow gets no
// WindowActivate, so the subwindow's own activation is followed as well.
class ActivationFollower : public QObject
{
public:
    ActivationFollower(QWidget *content, std::function<void()> activated)
        : QObject(content), m_content(content), m_activated(std::move(activated))
    {
        content->installEventFilter(this);
        follow();
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_content) {
            if (event->type() == QEvent::ParentChange)
                follow();
            else if (event->type() == QEvent::WindowActivate && m_content->isWindow())
                m_activated();
        }
        return false;
    }

private:
    void follow()
    {
        auto *sub = qobject_cast<QMdiSubWindow *>(m_content->parentWidget());
        if (!sub || sub == m_watched)
            return;
        m_watched = sub;
        connect(sub, &QMdiSubWindow::aboutToActivate, this, [this] { m_activated(); });
    }

    QWidget *m_content;
    std::function<void()> m_activated;
    QPointer<QMdiSubWindow> m_watched;
};
} // namespace

void followActivation(QWidget *content, std::function<void()> activated)
{
    new ActivationFollower(content, std::move(activated));
}

QWidget *hostWindow(QWidget *content)
{
    if (auto *sub = qobject_cast<QMdiSubWindow *>(content->parentWidget()))
        return sub;
    return content;
}

void showAgain(QWidget *content)
{
    QWidget *host = hostWindow(content);
    host->showNormal();
    host->raise();
    auto *sub = qobject_cast<QMdiSubWindow *>(host);
    if (sub && sub->mdiArea())
        sub->mdiArea()->setActiveSubWindow(sub);
    else
        host->activateWindow();
}

void closeHost(QWidget *content)
{
    hostWindow(content)->close();
}

} // namespace torvel
