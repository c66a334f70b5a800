#include "portwindow.h"

#include "childhost.h"
#include "windowbusy.h"

#include "link/controllerlink.h"
#include "link/portlist.h"
#include "link/portname.h"
#include "shell/appstate.h"
#include "shell/prompter.h"
#include "shell/requests.h"
#include "shell/torvelsettings.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QVBoxLayout>

namespace torvel {

PortWindow::PortWindow(AppState *state, TorvelSettings *settings, Prompter *prompter, QWidget *parent)
    : QWidget(parent)
    , m_state(state)
    , m_settings(settings)
    , m_prompter(prompter)
    , m_port(settings->portText())
    , m_busy(new WindowBusy(this, state, nullptr))
{
    setObjectName(QStringLiteral("TSelect"));
    setWindowTitle(QStringLiteral("Schnittstelle wählen"));

    auto *group = new QGroupBox(QStringLiteral("Schnittstelle wählen"), this);
    group->setObjectName(QStringLiteral("GroupBox2"));
    m_comBox = new QComboBox(group);
    m_comBox->setObjectName(QStringLiteral("ComBox"));
    m_comBox->setEditable(true);
    m_comBox->setInsertPolicy(QComboBox::NoInsert);
    m_comBox->setCompleter(nullptr); // what is typed stays exactly as typed
    m_comBox->setMinimumWidth(220);  // device paths, and the caption above it
    m_comBox->addItems(availablePortNames(settings->portMapping()));
    m_comBox->setCurrentText(m_port);
    m_comBox->lineEdit()->installEventFilter(this); // the combo box keeps Enter and Escape
    auto *groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(m_comBox);

    m_ok = new QPushButton(QStringLiteral("Ok"), this);
    m_ok->setObjectName(QStringLiteral("Button1"));
    m_ok->setDefault(true);
    m_cancel = new QPushButton(QStringLiteral("Abbrechen"), this);
    m_cancel->setObjectName(QStringLiteral("Button2"));
    // Outside a dialog a focused button takes Enter only when it says so.
    m_ok->setAutoDefault(true);
    m_cancel->setAutoDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &PortWindow::ok);
    connect(m_cancel, &QPushButton::clicked, this, [this] { closeHost(this); });

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(m_busy->hint());
    layout->addLayout(buttons);
    setFocusProxy(m_comBox);

    state->portWindow = this;
    followActivation(this, [this] { activate(); });
}

std::optional<QString> PortWindow::portFromText(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (isSimulatedPort(trimmed))
        return trimmed.toUpper();
    if (trimmed.startsWith(QLatin1Char('/')))
        return trimmed;
    QString number = trimmed;
    const qsizetype at = number.indexOf(QLatin1String("COM"));
    if (at >= 0)
        number.remove(at, 3);
    bool ok = false;
    const int n = number.toInt(&ok, 10);
    if (!ok || n < kMinComNumber || n > kMaxComNumber)
        return std::nullopt;
    return comName(n);
}

void PortWindow::setLink(ControllerLink *link)
{
    m_link = link;
    m_comBox->setCurrentText(portInUse());
}

QString PortWindow::portInUse() const
{
    const Transport *port = m_link ? m_link->transport() : nullptr;
    return port ? port->displayName() : m_port;
}

void PortWindow::activate()
{
    m_state->printTarget = this;
    m_comBox->setCurrentText(portInUse());
}

void PortWindow::ok()
{
    // A transfer running is told (choose() refuses another port); a single poll on the line
    // is waited for, so the switch never cuts a transaction off.
    if (m_state->transferActive())
        choose();
    else
        m_busy->runWhenLineFree([this] { choose(); });
}

void PortWindow::choose()
{
    const QString text = m_comBox->currentText();
    const auto port = portFromText(text);
    if (!port) {
        m_prompter->inform(QStringLiteral("ERROR"),
                           QStringLiteral("\"%1\" ist keine gültige Schnittstelle.").arg(text));
        return;
    }
    if (m_state->transferActive() && *port != portInUse()) {
        // Switching under a running transfer would cut it off; nothing is stored either.
        m_prompter->inform(QStringLiteral("ACHTUNG"),
                           QStringLiteral("Während einer Übertragung kann die Schnittstelle nicht gewechselt werden.\r\n"
                                          "Bitte wählen Sie sie nach dem Ende der Übertragung."));
        return;
    }
    m_port = *port;
    emit portChosen(m_port);
    closeHost(this);
}


bool PortWindow::event(QEvent *event)
{
    if (event->type() == RequestEvent::eventType()) {
        if (static_cast<RequestEvent *>(event)->request() == Request::ShowAgain)
            torvel::showAgain(this);
        return true;
    }
    return QWidget::event(event);
}

bool PortWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_comBox->lineEdit() && event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent *>(event)->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            ok();
            return true;
        case Qt::Key_Escape:
            closeHost(this);
            return true;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void PortWindow::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        ok();
        break;
    case Qt::Key_Escape:
        closeHost(this);
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void PortWindow::closeEvent(QCloseEvent *event)
{
    if (m_busy->deferClose(event)) // its message is still open: closed once it has gone
        return;
    if (!m_closed) {
        m_closed = true;
        if (m_state->portWindow == this)
            m_state->portWindow = nullptr;
        m_settings->setPortText(m_port);
        m_settings->sync();
    }
    event->accept();
}

} // namespace torvel
