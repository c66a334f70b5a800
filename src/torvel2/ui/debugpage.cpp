#include "debugpage.h"

#include "torvel2context.h"

#include "clock/clockset.h"
#include "shell/prompter.h"
#include "torvel2/clocksetting.h"

#include <QCheckBox>
#include <QDateTime>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace torvel {

namespace {
QLineEdit *maskedEdit(const QString &name, const QString &mask, const QString &text, QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setInputMask(mask);
    edit->setText(text);
    edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("00:00:00")) + 24);
    return edit;
}

QRadioButton *radio(const QString &name, const QString &text, QWidget *parent)
{
    auto *r = new QRadioButton(text, parent);
    r->setObjectName(name);
    return r;
}
} // namespace

DebugPage::DebugPage(Torvel2Context &ctx, QWidget *parent) : QWidget(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("DebugTab"));
    // A Qt mask takes "9" for a required and "0" for an optional digit: the hour's first digit
    // may stay blank, every other place needs its digit.
    m_timeEdit = maskedEdit(QStringLiteral("TimeEdit"), QStringLiteral("09:99:99;_"), QStringLiteral("23:50:00"), this);
    m_dateEdit = maskedEdit(QStringLiteral("DateEdit"), QStringLiteral("99.99.99;_"), QStringLiteral("31.12.09"), this);
    m_timeSetBtn = new QPushButton(QStringLiteral("<- dieses Datum an Torvel"), this);
    m_timeSetBtn->setObjectName(QStringLiteral("TimeSetBtn"));
    m_actTime = new QCheckBox(QStringLiteral("PC-Zeit übernehmen"), this);
    m_actTime->setObjectName(QStringLiteral("ActTime"));

    auto *clock = new QGridLayout;
    clock->addWidget(new QLabel(QStringLiteral("Zu stellendes Datum:"), this), 0, 0, 1, 3);
    clock->addWidget(m_timeEdit, 1, 0);
    clock->addWidget(m_dateEdit, 1, 1);
    clock->addWidget(m_timeSetBtn, 1, 2);
    clock->addWidget(m_actTime, 2, 0, 1, 3);
    clock->setColumnStretch(3, 1);

    m_refYear = new QSpinBox(this);
    m_refYear->setObjectName(QStringLiteral("RefYear"));
    m_refYear->setRange(1990, 2099);
    m_refYear->setAutoFillBackground(true);
    m_takePCRef = radio(QStringLiteral("TakePCRef"), QStringLiteral("PC-Zeit als Referenz"), this);
    m_takeTorvelRef = radio(QStringLiteral("TakeTorvelRef"), QStringLiteral("Torvel-Zeit als Ref."), this);
    m_takeManRef = radio(QStringLiteral("TakeManRef"), QStringLiteral("Manuelle Referenz"), this);
    m_checkYear = new QCheckBox(QStringLiteral("Jahr auf Plausibilität prüfen"), this);
    m_checkYear->setObjectName(QStringLiteral("CheckYear"));

    auto *reference = new QGridLayout;
    reference->addWidget(new QLabel(QStringLiteral("\"Referenz\" - Jahr:"), this), 0, 0);
    reference->addWidget(m_refYear, 0, 1);
    reference->addWidget(m_takePCRef, 1, 0, 1, 2);
    reference->addWidget(m_takeTorvelRef, 2, 0, 1, 2);
    reference->addWidget(m_takeManRef, 3, 0, 1, 2);
    reference->addWidget(m_checkYear, 4, 0, 1, 2);
    reference->setColumnStretch(2, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(clock);
    layout->addSpacing(16);
    layout->addLayout(reference);
    layout->addStretch();

    showReference();
    connect(m_timeSetBtn, &QPushButton::clicked, this, &DebugPage::TimeSetBtnClick);
    for (QRadioButton *r : {m_takePCRef, m_takeTorvelRef, m_takeManRef})
        connect(r, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                takeControls(true);
        });
    connect(m_refYear, &QSpinBox::valueChanged, this, [this] { takeControls(false); });
    connect(m_checkYear, &QCheckBox::toggled, this, [this] { takeControls(false); });
    connect(&m_ctx, &Torvel2Context::referenceChanged, this, &DebugPage::showReference);
}

void DebugPage::takeControls(bool referenceButtons)
{
    if (m_showing)
        return;
    ReferenceYear r = m_ctx.reference();
    r.RefYear = m_refYear->value();
    r.source = m_takePCRef->isChecked()     ? ReferenceYear::Source::PcTime
               : m_takeManRef->isChecked() ? ReferenceYear::Source::Manual
                                           : ReferenceYear::Source::TorvelTime;
    r.CheckYear = m_checkYear->isChecked();
    // The reference buttons decide the colour; a year typed keeps the colour it has.
    if (referenceButtons)
        r.refYearRed = m_takeTorvelRef->isChecked();
    m_ctx.setReference(r);
}

void DebugPage::showReference()
{
    m_showing = true;
    const ReferenceYear &r = m_ctx.reference();
    m_refYear->setValue(r.RefYear);
    m_takePCRef->setChecked(r.source == ReferenceYear::Source::PcTime);
    m_takeTorvelRef->setChecked(r.source == ReferenceYear::Source::TorvelTime);
    m_takeManRef->setChecked(r.source == ReferenceYear::Source::Manual);
    m_checkYear->setChecked(r.CheckYear);
    QPalette palette = m_refYear->palette();
    palette.setColor(QPalette::Base, r.refYearRed ? QColor(Qt::red) : QPalette().color(QPalette::Base));
    m_refYear->setPalette(palette);
    m_showing = false;
}

void DebugPage::TimeSetBtnClick()
{
    const auto time = clockSettingFrom(m_timeEdit->text(), m_dateEdit->text());
    if (!time) {
        m_ctx.prompter().inform(QStringLiteral("ERROR"),
                                QStringLiteral("Ungültige Uhrzeit oder ungültiges Datum:\r\n%1  %2")
                                    .arg(m_timeEdit->text(), m_dateEdit->text()));
        return;
    }
    if (!m_ctx.acceptClick([this] { TimeSetBtnClick(); }))
        return;
    int result = ClockNotAddressable;
    {
        Torvel2Context::Transfer transfer(m_ctx, Torvel2Context::TransferKind::ServiceQuery);
        result = SetControllerClock(transfer.line().engine, transfer.line().oven, *time);
    }
    if (result == ClockSetOk)
        m_ctx.prompter().inform(QStringLiteral("ACHTUNG"), QStringLiteral("Uhr gestellt."));
    else
        m_ctx.prompter().inform(QStringLiteral("ERROR"), QStringLiteral("Uhr konnte nicht gestellt werden."));
}

void DebugPage::followPcTime()
{
    const QDateTime now = QDateTime::currentDateTime();
    if (m_actTime->isChecked()) {
        m_timeEdit->setText(timeEditText(now.time()));
        m_dateEdit->setText(dateEditText(now.date()));
    }
    if (m_takePCRef->isChecked())
        m_refYear->setValue(now.date().year());
}

} // namespace torvel
