#include "messagewindow.h"

#include "shell/appstate.h"
#include "shell/requests.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>
#include <QVBoxLayout>

namespace torvel {

MessageWindow::MessageWindow(AppState *state, QMdiArea *area, const QString &text)
    : m_state(state), m_panel(new QLabel(this)), m_timer1(new QTimer(this)), m_timer2(new QTimer(this))
{
    setObjectName(QStringLiteral("TKFMessage"));

    m_panel->setObjectName(QStringLiteral("Panel1"));
    m_panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_panel->setMargin(6);
    m_panel->setTextFormat(Qt::PlainText);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(m_panel);

    m_timer1->setObjectName(QStringLiteral("Timer1"));
    m_timer1->setInterval(kTakeCaptionMs);
    connect(m_timer1, &QTimer::timeout, this, &MessageWindow::takeCaption);
    m_timer2->setObjectName(QStringLiteral("Timer2"));
    m_timer2->setInterval(kCloseMs);
    connect(m_timer2, &QTimer::timeout, this, &MessageWindow::closeWindow);

    if (area) {
        QMdiSubWindow *frame = area->addSubWindow(this);
        frame->setAttribute(Qt::WA_DeleteOnClose);
    } else {
        setAttribute(Qt::WA_DeleteOnClose);
    }
    setCaption(text);

    // The newest window is the one a Retrigger reaches; an older one still closes itself.
    if (m_state)
        m_state->messageWindow = this;
    m_timer1->start();
}

MessageWindow *MessageWindow::showMessageWindow(AppState *state, QMdiArea *area, const QString &text)
{
    // A message only informs: the window the user works in keeps the focus and stays the
    // print target.
    QMdiSubWindow *active = area ? area->activeSubWindow() : nullptr;
    QWidget *focus = QApplication::focusWidget();
    auto *window = new MessageWindow(state, area, text);
    if (QMdiSubWindow *frame = window->subWindow()) {
        frame->setAttribute(Qt::WA_ShowWithoutActivating);
        frame->setFocusPolicy(Qt::NoFocus);
        window->fitCaption();
        frame->show();
        if (active && area->activeSubWindow() != active)
            area->setActiveSubWindow(active);
        if (focus && QApplication::focusWidget() != focus)
            focus->setFocus(Qt::OtherFocusReason);
    } else {
        window->setAttribute(Qt::WA_ShowWithoutActivating);
        window->show();
    }
    return window;
}

void MessageWindow::fitCaption()
{
    QMdiSubWindow *frame = subWindow();
    if (!frame)
        return;
    frame->adjustSize();
    // Room for the caption text beside the title bar's buttons.
    const int wanted = frame->fontMetrics().horizontalAdvance(caption()) + kCaptionButtonsWidth;
    if (frame->width() < wanted)
        frame->resize(wanted, frame->height());
}

QString MessageWindow::caption() const
{
    const QMdiSubWindow *frame = subWindow();
    return frame ? frame->windowTitle() : windowTitle();
}

QMdiSubWindow *MessageWindow::subWindow() const
{
    return qobject_cast<QMdiSubWindow *>(parentWidget());
}

void MessageWindow::closeWindow()
{
    if (QMdiSubWindow *frame = subWindow())
        frame->close(); // closes this content too, then deletes both
    else
        close();
}

void MessageWindow::setCaption(const QString &text)
{
    setWindowTitle(text);
    if (QMdiSubWindow *frame = subWindow())
        frame->setWindowTitle(text);
}

// The text arrives as the caption; once the window is up it moves into the panel so the
// whole line is readable, and the countdown to closing begins.
void MessageWindow::takeCaption()
{
    m_timer1->stop();
    m_panel->setText(caption());
    setCaption(QStringLiteral("Meldung"));
    adjustSize();
    fitCaption();
    m_timer2->start();
}

void MessageWindow::showAgain()
{
    QWidget *window = subWindow() ? static_cast<QWidget *>(subWindow()) : this;
    window->show();
    window->raise();
}

bool MessageWindow::event(QEvent *event)
{
    if (event->type() == RequestEvent::eventType()) {
        switch (static_cast<RequestEvent *>(event)->request()) {
        case Request::Retrigger:
            m_timer2->stop();
            m_timer2->start();
            return true;
        case Request::ShowAgain:
            showAgain();
            return true;
        default:
            return false;
        }
    }
    return QWidget::event(event);
}

void MessageWindow::closeEvent(QCloseEvent *event)
{
    m_timer1->stop();
    m_timer2->stop();
    // A newer window may have taken the handle already; leave that one alone.
    if (m_state && m_state->messageWindow == this)
        m_state->messageWindow = nullptr;
    event->accept();
}

} // namespace torvel
