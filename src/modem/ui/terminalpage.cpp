#include "terminalpage.h"

#include "memoview.h"
#include "modemwindow.h"

#include "link/cp1252.h"
#include "modem/modemsession.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QVBoxLayout>

#include <climits>

namespace torvel {

namespace {
constexpr int kTerminalLines = 2000;

QGroupBox *memoBox(const QString &title, QWidget *memo, QWidget *parent)
{
    auto *box = new QGroupBox(title, parent);
    (new QVBoxLayout(box))->addWidget(memo);
    return box;
}
} // namespace

QString terminalText(const QByteArray &bytes)
{
    QString text;
    for (const char c : bytes) {
        const auto b = static_cast<quint8>(c);
        if (b == '\n' || (b >= 0x20 && b != 0x7F))
            text += fromCp1252(QByteArray(1, c));
        else if (b != '\r')
            text += QStringLiteral("[%1]").arg(b, 2, 16, QLatin1Char('0')).toUpper();
    }
    return text;
}

TerminalPage::TerminalPage(ModemWindow &window, QWidget *parent)
    : QWidget(parent), m_window(window), m_terminal(new QPlainTextEdit(this)), m_empfCount(new QSpinBox(this))
{
    setObjectName(QStringLiteral("TerminalSheet"));
    ModemSession &session = window.session();
    m_terminal->setObjectName(QStringLiteral("Terminal"));
    m_terminal->setReadOnly(true);
    m_terminal->setMaximumBlockCount(kTerminalLines);
    m_terminal->setFont(QFont(QStringLiteral("Monospace")));
    auto *clear = new QPushButton(QStringLiteral("Terminal löschen"), this);
    clear->setObjectName(QStringLiteral("ClearTerminal"));
    m_empfCount->setObjectName(QStringLiteral("EmpfCount"));
    m_empfCount->setRange(0, INT_MAX);
    m_empfCount->setReadOnly(true);
    m_empfCount->setButtonSymbols(QAbstractSpinBox::NoButtons);
    auto *disableLogs = new QCheckBox(QStringLiteral("Alle Logs aus"), this);
    disableLogs->setObjectName(QStringLiteral("DisableAllLogs"));

    auto *top = new QHBoxLayout;
    top->addWidget(clear);
    top->addWidget(new QLabel(QStringLiteral("Empfangen:"), this));
    top->addWidget(m_empfCount);
    top->addStretch();
    top->addWidget(disableLogs);
    auto *grid = new QGridLayout(this);
    grid->addLayout(top, 0, 0, 1, 2);
    grid->addWidget(m_terminal, 1, 0, 1, 2);
    grid->addWidget(memoBox(QStringLiteral("SendLog"), new MemoView(&session.sendLog(), QStringLiteral("SendLog"), this),
                            this),
                    2, 0);
    grid->addWidget(
        memoBox(QStringLiteral("ErrorLog"), new MemoView(&session.errorLog(), QStringLiteral("ErrorLog"), this), this),
        2, 1);
    grid->setRowStretch(1, 1);
    grid->setRowStretch(2, 1);

    m_refresh.setSingleShot(true);
    m_refresh.setInterval(50); // the screen catches up in batches
    connect(&m_refresh, &QTimer::timeout, this, &TerminalPage::refreshNow);
    connect(clear, &QPushButton::clicked, m_terminal, &QPlainTextEdit::clear);
    connect(disableLogs, &QCheckBox::toggled, this, [&session](bool on) { session.setDisableAllLogs(on); });
    connect(&session, &ModemSession::received, this, &TerminalPage::received);
    connect(&session, &ModemSession::receiveCountChanged, m_empfCount, &QSpinBox::setValue);
}

void TerminalPage::setActive(bool active)
{
    m_active = active;
    if (!active) {
        m_pending.clear();
        m_refresh.stop();
    }
}

void TerminalPage::received(const QByteArray &bytes)
{
    if (!m_active)
        return;
    m_pending += bytes;
    if (!m_refresh.isActive())
        m_refresh.start();
}

void TerminalPage::refreshNow()
{
    m_refresh.stop();
    if (m_pending.isEmpty())
        return;
    m_terminal->moveCursor(QTextCursor::End);
    m_terminal->insertPlainText(terminalText(std::exchange(m_pending, QByteArray())));
    m_terminal->verticalScrollBar()->setValue(m_terminal->verticalScrollBar()->maximum());
}

} // namespace torvel
