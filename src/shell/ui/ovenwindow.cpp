#include "ovenwindow.h"

#include "childhost.h"

#include "shell/appstate.h"
#include "shell/requests.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace torvel {

OvenWindow::OvenWindow(AppState *state, QWidget *parent) : QWidget(parent), m_state(state)
{
    setObjectName(QStringLiteral("TOfenwahl"));
    setWindowTitle(QStringLiteral(" "));

    auto *group = new QGroupBox(QStringLiteral("Ofen"), this);
    group->setObjectName(QStringLiteral("Ofen"));
    auto *groupLayout = new QVBoxLayout(group);
    for (int oven = 1; oven <= kOvens; ++oven) {
        const QString name = QStringLiteral("Ofen%1").arg(oven);
        auto *button = new QRadioButton(name, group);
        button->setObjectName(name);
        // clicked, not toggled: only the user's choice sets the oven, not showing the current one.
        connect(button, &QRadioButton::clicked, this, [this, oven] { m_state->setSelectedOven(oven); });
        groupLayout->addWidget(button);
        m_ovens[oven - 1] = button;
    }

    m_close = new QPushButton(QStringLiteral("Schließen"), this);
    m_close->setObjectName(QStringLiteral("Button1"));
    connect(m_close, &QPushButton::clicked, this, [this] { closeHost(this); });

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(m_close, 0, Qt::AlignHCenter);

    connect(state, &AppState::selectedOvenChanged, this, &OvenWindow::showSelectedOven);
    state->ovenWindow = this;
    followActivation(this, [this] { activate(); });
    showSelectedOven();
}

void OvenWindow::activate()
{
    m_state->printTarget = this;
    showSelectedOven();
}

void OvenWindow::showSelectedOven()
{
    m_ovens.at(m_state->selectedOven() - 1)->setChecked(true);
}

bool OvenWindow::event(QEvent *event)
{
    if (event->type() == RequestEvent::eventType()) {
        if (static_cast<RequestEvent *>(event)->request() == Request::ShowAgain)
            torvel::showAgain(this);
        return true;
    }
    return QWidget::event(event);
}

void OvenWindow::closeEvent(QCloseEvent *event)
{
    if (m_state->ovenWindow == this)
        m_state->ovenWindow = nullptr;
    // Standing alone there is no subwindow to delete it.
    if (hostWindow(this) == this)
        deleteLater();
    event->accept();
}

} // namespace torvel
