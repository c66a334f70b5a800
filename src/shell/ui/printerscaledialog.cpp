#include "printerscaledialog.h"

#include "shell/appstate.h"
#include "shell/torvelsettings.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QSpinBox>
#include <QVBoxLayout>

namespace torvel {

PrinterScaleDialog::PrinterScaleDialog(AppState *state, TorvelSettings *settings, QWidget *parent)
    : QDialog(parent), m_state(state), m_settings(settings), m_skalierung(new QSpinBox),
      m_take(new QPushButton(QStringLiteral("Übernehmen"))), m_cancel(new QPushButton(QStringLiteral("CancelBtn")))
{
    setObjectName(QStringLiteral("TwDSkalieren"));
    setWindowTitle(QStringLiteral("Drucker skalieren"));
    setModal(true);

    auto *group = new QGroupBox(QStringLiteral("Druckerskalierung:"));
    m_skalierung->setObjectName(QStringLiteral("Skalierung"));
    m_skalierung->setRange(0, 100);
    auto *valueRow = new QHBoxLayout;
    valueRow->addWidget(m_skalierung);
    valueRow->addWidget(new QLabel(QStringLiteral("%")));
    valueRow->addStretch();
    auto *groupLayout = new QVBoxLayout(group);
    groupLayout->addLayout(valueRow);
    groupLayout->addWidget(new QLabel(QStringLiteral("( Defaultwert 80% ).")));

    m_take->setObjectName(QStringLiteral("TakeBtn"));
    m_take->setDefault(true);
    m_cancel->setObjectName(QStringLiteral("CancelBtn"));
    connect(m_take, &QPushButton::clicked, this, &PrinterScaleDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &PrinterScaleDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_take);
    buttons->addWidget(m_cancel);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons);
    setFixedSize(sizeHint());
}

// Every opening starts from the scale in use, whatever was typed last time.
void PrinterScaleDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous() && m_state)
        m_skalierung->setValue(m_state->printScale);
}

void PrinterScaleDialog::accept()
{
    m_skalierung->interpretText(); // a value still being typed counts
    const int percent = m_skalierung->value();
    if (m_state)
        m_state->printScale = percent;
    if (m_settings) {
        m_settings->setPrintScale(percent);
        m_settings->sync();
    }
    QDialog::accept();
}

} // namespace torvel
