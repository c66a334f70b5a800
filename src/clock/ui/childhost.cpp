#include "childhost.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace torvel {

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
