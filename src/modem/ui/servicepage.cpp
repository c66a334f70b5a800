#include "servicepage.h"

#include "modemwindow.h"
#include "timepanel.h"

#include "link/controllerlink.h"
#include "link/cp1252.h"
#include "modem/modemservice.h"
#include "modem/modemsession.h"
#include "shell/ui/namedcontrol.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace torvel {

ServicePage::ServicePage(ModemWindow &window, QWidget *parent)
    : QWidget(parent), m_window(window), m_sendString(new QLineEdit(QStringLiteral("abcdefghijk"), this)),
      m_sendHex(new QLineEdit(QStringLiteral("010203040506"), this)), m_timePanel(new TimePanel(window, this))
{
    setObjectName(QStringLiteral("ModemDebug"));
    m_sendString->setObjectName(QStringLiteral("SendString1"));
    m_sendHex->setObjectName(QStringLiteral("SendHex1"));
    connect(m_timePanel, &TimePanel::stopTimePollChanged, this, &ServicePage::stopTimePollChanged);

    auto *left = new QVBoxLayout;
    left->addWidget(lineSettings());
    left->addWidget(m_timePanel);
    left->addStretch();
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addWidget(serviceCommands(), 1);
}

bool ServicePage::stopTimePoll() const
{
    return m_timePanel->stopTimePoll();
}

QWidget *ServicePage::lineSettings()
{
    auto *box = new QGroupBox(QStringLiteral("Leitung"), this);
    EngineSettings &engine = m_window.link().engine().settings();
    ModemSession &session = m_window.session();
    auto *isdn = named<QCheckBox>(QStringLiteral("EinwahlIsdn"), QStringLiteral("Einwahl ISDN (ATDN)"), box);
    auto *noEcho = named<QCheckBox>(QStringLiteral("OhneEcho"), QStringLiteral("Ohne Echo"), box);
    auto *always = named<QCheckBox>(QStringLiteral("AlwaysAddTO"), QStringLiteral("Zusatz-TO immer addieren"), box);
    auto *take38400 = named<QCheckBox>(QStringLiteral("Take38400"), QStringLiteral("Take38400"), box);
    auto *toAdd = new QSpinBox(box);
    toAdd->setObjectName(QStringLiteral("TOAdd"));
    toAdd->setRange(0, 600000);
    toAdd->setValue(engine.toAdd);
    toAdd->setSuffix(QStringLiteral(" ms"));
    connect(isdn, &QCheckBox::toggled, this, [&session](bool on) { session.options().einwahlIsdn = on; });
    connect(noEcho, &QCheckBox::toggled, this, [&engine](bool on) { engine.ohneEcho = on; });
    connect(always, &QCheckBox::toggled, this, [&engine](bool on) { engine.alwaysAddTO = on; });
    connect(toAdd, &QSpinBox::valueChanged, this, [&engine](int ms) { engine.toAdd = ms; });
    connect(take38400, &QCheckBox::clicked, this, [&session](bool on) { session.setTake38400(on); });

    auto *form = new QFormLayout(box);
    form->addRow(isdn);
    form->addRow(noEcho);
    form->addRow(always);
    form->addRow(QStringLiteral("ZusatzTimeOut:"), toAdd);
    form->addRow(take38400);
    return box;
}

QWidget *ServicePage::serviceCommands()
{
    auto *box = new QGroupBox(QStringLiteral("Modem"), this);
    auto *grid = new QGridLayout(box);
    int row = 0;
    const auto add = [&](QWidget *a, QWidget *b = nullptr) {
        grid->addWidget(a, row, 0);
        if (b)
            grid->addWidget(b, row, 1);
        ++row;
    };
    const QList<std::tuple<QString, QString, ServiceCommand>> commands = {
        {QStringLiteral("SetESC"), QStringLiteral("SetESC (Sender, auf ENQ)"), ServiceCommand::SetEsc},
        {QStringLiteral("ESCSequenz"), QStringLiteral("ESCSequenz"), ServiceCommand::EscSequence},
        {QStringLiteral("ESCSequenz2"), QStringLiteral("ESCSequenz2"), ServiceCommand::EscSequence},
        {QStringLiteral("HangUpSequenz"), QStringLiteral("HangUpSequenz"), ServiceCommand::HangUpSequence},
        {QStringLiteral("EscEingebettet"), QStringLiteral("EscEingebettet"), ServiceCommand::EscEmbedded},
        {QStringLiteral("ToOnlineMode"), QStringLiteral("ToOnlineMode"), ServiceCommand::ToOnlineMode}};
    for (const auto &[name, text, command] : commands) {
        auto *b = named<QPushButton>(name, text, box);
        connect(b, &QPushButton::clicked, this, [this, command] { sendBytes(serviceCommandBytes(command)); });
        add(b);
    }
    auto *escEnq = named<QCheckBox>(QStringLiteral("EscENQ"), QStringLiteral("EscENQ"), box);
    escEnq->setChecked(true); // kept for the look of the page; no command reads it
    grid->addWidget(escEnq, 0, 1);

    auto *stringSend = named<QPushButton>(QStringLiteral("StringSend"), QStringLiteral("StringSend"), box);
    connect(stringSend, &QPushButton::clicked, this, [this] { sendBytes(toCp1252(m_sendString->text())); });
    add(stringSend, m_sendString);
    auto *hexSend = named<QPushButton>(QStringLiteral("HexSend"), QStringLiteral("HexSend"), box);
    connect(hexSend, &QPushButton::clicked, this, &ServicePage::HexSendClick);
    add(hexSend, m_sendHex);

    ModemSession &session = m_window.session();
    auto *konf = named<QPushButton>(QStringLiteral("SendeModemKonf"), QStringLiteral("SendeModemKonf"), box);
    connect(konf, &QPushButton::clicked, this,
            [this, &session] { m_window.runClick([&session] { SendModemKonf(session.port()); }); });
    auto *reset = named<QPushButton>(QStringLiteral("Werkseinstellung0"), QStringLiteral("Werkseinstellung0"), box);
    connect(reset, &QPushButton::clicked, this,
            [this, &session] { m_window.runClick([this, &session] { FactoryReset(session.port(), m_window.prompter()); }); });
    add(konf);
    add(reset);
    grid->setRowStretch(row, 1);
    grid->setColumnStretch(1, 1);
    return box;
}

void ServicePage::sendBytes(const QByteArray &bytes)
{
    m_window.runClick([this, bytes] { SendServiceBytes(m_window.session().port(), bytes); });
}

void ServicePage::HexSendClick()
{
    QString text = m_sendHex->text();
    const QByteArray bytes = hexPairsToBytes(&text);
    m_sendHex->setText(text);
    sendBytes(bytes);
}
} // namespace torvel
