#include "vksdebugpage.h"

#include "shell/ui/memoview.h"
#include "statuspanel.h"
#include "torvel2context.h"

#include "shell/ui/namedcontrol.h"
#include "torvel2/torvel2status.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace torvel {

VksDebugPage::VksDebugPage(Torvel2Context &ctx, QWidget *parent) : QWidget(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("VKSDebug"));
    auto *herd = new QGroupBox(QStringLiteral("VKS-Herd"), this);
    herd->setObjectName(QStringLiteral("VKSHerd"));
    m_adressieren = named<QPushButton>(QStringLiteral("VKSAdressieren"), QStringLiteral("Adressieren"), herd);
    m_vksAdr = namedSpin(QStringLiteral("VKSAdr"), 0, 255, 10, herd);
    m_statuspoll = new QCheckBox(QStringLiteral("Statuspoll"), herd);
    m_statuspoll->setObjectName(QStringLiteral("Statuspoll"));
    m_status = named<QPushButton>(QStringLiteral("VKSStatus"), QStringLiteral("Status lesen"), herd);
    m_pollInt = namedSpin(QStringLiteral("PollInt"), 0, 60000, 200, herd);
    m_vksMemo = new MemoView(&m_ctx.vksMemo(), herd);
    m_vksMemo->setObjectName(QStringLiteral("VKSMemo"));
    m_prgPanel = new StatusPanel(herd);

    auto *controls = new QHBoxLayout;
    controls->addWidget(m_adressieren);
    controls->addWidget(new QLabel(QStringLiteral("Adresse:"), herd));
    controls->addWidget(m_vksAdr);
    controls->addSpacing(12);
    controls->addWidget(m_statuspoll);
    controls->addWidget(m_status);
    controls->addWidget(new QLabel(QStringLiteral("Pollrate/ms"), herd));
    controls->addWidget(m_pollInt);
    controls->addStretch();
    auto *live = new QHBoxLayout;
    live->addWidget(m_vksMemo, 1);
    live->addWidget(m_prgPanel);
    auto *herdLayout = new QVBoxLayout(herd);
    herdLayout->addLayout(controls);
    herdLayout->addLayout(live, 1);

    m_disableAllLogs = new QCheckBox(QStringLiteral("DisableAllLogs"), this);
    m_disableAllLogs->setObjectName(QStringLiteral("DisableAllLogs"));
    m_betriebsdaten1 = new MemoView(&m_ctx.debugMemo(), this);
    m_betriebsdaten1->setObjectName(QStringLiteral("Betriebsdaten1"));
    auto *clear = named<QPushButton>(QStringLiteral("ClearBData"), QStringLiteral("ClearBData"), this);
    auto *save = named<QPushButton>(QStringLiteral("SaveDebugData"), QStringLiteral("SaveDebugData"), this);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(m_disableAllLogs);
    buttons->addWidget(clear);
    buttons->addWidget(save);
    buttons->addStretch();
    auto *debugData = new QHBoxLayout;
    debugData->addWidget(m_betriebsdaten1, 1);
    debugData->addLayout(buttons);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(herd, 3);
    layout->addLayout(debugData, 2);

    connect(m_adressieren, &QPushButton::clicked, this, &VksDebugPage::VKSAdressierenClick);
    connect(m_status, &QPushButton::clicked, this, &VksDebugPage::VKSStatusClick);
    connect(m_disableAllLogs, &QCheckBox::toggled, this, [this](bool on) { m_ctx.vksMemo().setDisabled(on); });
    connect(clear, &QPushButton::clicked, this, [this] { m_ctx.debugMemo().clear(); });
    connect(save, &QPushButton::clicked, this, [this] { m_ctx.SaveDebugMemo(); });
}

void VksDebugPage::VKSAdressierenClick()
{
    if (!m_ctx.acceptClick([this] { VKSAdressierenClick(); }))
        return;
    Torvel2Context::Transfer transfer(m_ctx, Torvel2Context::TransferKind::ServiceQuery);
    m_ctx.LogDebugLine(AddressOnce(m_ctx.engine(), m_vksAdr->value()));
}

void VksDebugPage::VKSStatusClick()
{
    if (!m_ctx.acceptClick([this] { VKSStatusClick(); }))
        return;
    queryStatus(true);
}

void VksDebugPage::pollStatus()
{
    // A poll never waits for the line: it comes again with the next tick.
    if (!m_statuspoll->isChecked() || m_ctx.lineTaken() || m_ctx.transferRunning() || m_ctx.clickWaiting()
        || m_ctx.closing())
        return;
    queryStatus(false);
}

int VksDebugPage::pollInterval() const
{
    return std::max(1, m_pollInt->value());
}

void VksDebugPage::queryStatus(bool showError)
{
    Torvel2Context::Transfer transfer(m_ctx, Torvel2Context::TransferKind::ServiceQuery);
    if (const auto status = QueryTorvel2Status(transfer.line(), showError, m_ctx.vksMemo()))
        m_prgPanel->showStatus(*status);
}
} // namespace torvel
