#include "statuspanel.h"

#include "link/controller.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QSpinBox>

namespace torvel {

namespace {
QSpinBox *valueBox(const QString &name, int minimum, int maximum, QWidget *parent)
{
    auto *box = new QSpinBox(parent);
    box->setObjectName(name);
    box->setRange(minimum, maximum);
    box->setReadOnly(true);
    box->setButtonSymbols(QAbstractSpinBox::NoButtons);
    box->setAlignment(Qt::AlignRight);
    return box;
}

QCheckBox *switchBox(const QString &name, const QString &text, QWidget *parent)
{
    auto *box = new QCheckBox(text, parent);
    box->setObjectName(name);
    box->setAttribute(Qt::WA_TransparentForMouseEvents); // shows the controller, takes no clicks
    box->setFocusPolicy(Qt::NoFocus);
    return box;
}

void showValue(QSpinBox *box, const std::optional<int> &value)
{
    if (value)
        box->setValue(*value);
}

void showSwitch(QCheckBox *box, const std::optional<bool> &on)
{
    if (on)
        box->setChecked(*on);
}
} // namespace

StatusPanel::StatusPanel(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("PrgPanel"));
    m_ohIst = valueBox(QStringLiteral("OHIst"), 0, 65535, this);
    m_ohSoll = valueBox(QStringLiteral("OHSoll"), 0, 65535, this);
    m_uhIst = valueBox(QStringLiteral("UHIst"), 0, 65535, this);
    m_uhSoll = valueBox(QStringLiteral("UHSoll"), 0, 65535, this);
    m_backzeit = valueBox(QStringLiteral("Backzeit"), 0, 65535, this);
    m_bPrgNr = valueBox(QStringLiteral("BPrgNr"), -1, 255, this);
    m_einstatus = valueBox(QStringLiteral("Einstatus"), 0, 255, this);
    m_ohEin = switchBox(QStringLiteral("OHEin"), QStringLiteral("OH ein"), this);
    m_uhEin = switchBox(QStringLiteral("UHEin"), QStringLiteral("UH ein"), this);
    m_prgStart = switchBox(QStringLiteral("PRGStart"), QStringLiteral("Prg. gestartet"), this);
    m_herdEin = switchBox(QStringLiteral("HerdEin"), QStringLiteral("Herd ein"), this);

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(4, 4, 4, 4);
    grid->addWidget(new QLabel(QStringLiteral("OH:"), this), 0, 0);
    grid->addWidget(m_ohIst, 0, 1);
    grid->addWidget(m_ohSoll, 0, 2);
    grid->addWidget(m_ohEin, 0, 3);
    grid->addWidget(new QLabel(QStringLiteral("UH:"), this), 1, 0);
    grid->addWidget(m_uhIst, 1, 1);
    grid->addWidget(m_uhSoll, 1, 2);
    grid->addWidget(m_uhEin, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("BZ:"), this), 2, 0);
    grid->addWidget(m_backzeit, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("PNr:"), this), 2, 2, Qt::AlignRight);
    grid->addWidget(m_bPrgNr, 2, 3);
    grid->addWidget(new QLabel(QStringLiteral("Ein:"), this), 3, 0);
    grid->addWidget(m_einstatus, 3, 1);
    grid->addWidget(m_prgStart, 3, 2, 1, 2);
    grid->addWidget(m_herdEin, 4, 2, 1, 2);
    grid->setRowStretch(5, 1);
}

void StatusPanel::showStatus(const ControllerStatus &status)
{
    showValue(m_einstatus, status.onStatus);
    m_bPrgNr->setValue(status.programNumber);
    showValue(m_backzeit, status.bakeTime);
    showValue(m_ohIst, status.topHeatActual);
    showValue(m_uhIst, status.bottomHeatActual);
    showValue(m_ohSoll, status.topHeatSet);
    showValue(m_uhSoll, status.bottomHeatSet);
    showSwitch(m_ohEin, status.topHeatOn);
    showSwitch(m_uhEin, status.bottomHeatOn);
    showSwitch(m_prgStart, status.programStarted);
}

} // namespace torvel
