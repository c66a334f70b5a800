#include "timepanel.h"

#include "modemwindow.h"

#include "clock/clockpanel.h"
#include "link/controllerlink.h"
#include "shell/appstate.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>

namespace torvel {

namespace {
QLabel *panel(const QString &name, const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("Donnerstag  31.12.2026 23:59:58"))
                           + 16);
    return label;
}
} // namespace

TimePanel::TimePanel(ModemWindow &window, QWidget *parent)
    : QGroupBox(QStringLiteral("Uhrzeit"), parent), m_window(window),
      m_pcZeit(panel(QStringLiteral("PCZeit"), QStringLiteral("PC Zeit"), this)),
      m_vksZeit(panel(QStringLiteral("VKSZeit"), QStringLiteral("Empfangen..."), this)),
      m_fastTimePoll(new QCheckBox(QStringLiteral("FastTimePoll"), this)),
      m_stopTimePoll(new QCheckBox(QStringLiteral("StopTimePoll"), this)), m_interval(new QSpinBox(this)),
      m_timePoll(new QTimer(this))
{
    setObjectName(QStringLiteral("TimePanel"));
    auto *read = new QPushButton(QStringLiteral("Uhr empfangen"), this);
    read->setObjectName(QStringLiteral("UhrEmpf"));
    m_fastTimePoll->setObjectName(QStringLiteral("FastTimePoll"));
    m_stopTimePoll->setObjectName(QStringLiteral("StopTimePoll"));
    m_interval->setObjectName(QStringLiteral("TimePollInterval"));
    m_interval->setRange(1, 600000);
    m_interval->setValue(500);
    m_interval->setSuffix(QStringLiteral(" ms"));
    m_timePoll->setObjectName(QStringLiteral("TimePoll"));
    m_timePoll->setInterval(500);

    auto *grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("PC:"), this), 0, 0);
    grid->addWidget(m_pcZeit, 0, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Torvel:"), this), 1, 0);
    grid->addWidget(m_vksZeit, 1, 1, 1, 2);
    grid->addWidget(read, 2, 0);
    grid->addWidget(m_fastTimePoll, 2, 1);
    grid->addWidget(m_interval, 2, 2);
    grid->addWidget(m_stopTimePoll, 3, 1);

    connect(read, &QPushButton::clicked, this, &TimePanel::UhrEmpfClick);
    connect(m_fastTimePoll, &QCheckBox::clicked, this, &TimePanel::FastTimePollClick);
    connect(m_stopTimePoll, &QCheckBox::toggled, this, &TimePanel::stopTimePollChanged);
    connect(m_timePoll, &QTimer::timeout, this, [this] {
        if (m_fastTimePoll->isChecked())
            m_window.runTick([this] { readClock(); }); // skipped while the line is held
    });
}

bool TimePanel::stopTimePoll() const
{
    return m_stopTimePoll->isChecked();
}

void TimePanel::UhrEmpfClick()
{
    m_stopTimePoll->setChecked(true);
    m_window.runClick([this] { readClock(); });
}

void TimePanel::FastTimePollClick()
{
    m_timePoll->setInterval(m_interval->value());
    if (m_fastTimePoll->isChecked()) {
        m_stopTimePoll->setChecked(true);
        m_timePoll->start();
    } else {
        m_timePoll->stop();
    }
}

void TimePanel::readClock()
{
    m_vksZeit->setText(QStringLiteral("* ") + m_vksZeit->text() + QStringLiteral(" *")); // being renewed
    m_pcZeit->setText(PcClockPanelText());
    m_vksZeit->setText(ControllerClockPanelText(m_window.link().engine(), m_window.state().selectedOven()));
}

} // namespace torvel
