#include "statuspage.h"

#include "memoview.h"
#include "modemwindow.h"

#include "link/controller.h"
#include "link/controllerlink.h"
#include "modem/modemservice.h"
#include "modem/modemsession.h"
#include "modem/modemtexts.h"
#include "shell/prompter.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

namespace torvel {

namespace {
constexpr int kDefaultPollMs = 200;

QCheckBox *display(const QString &name, const QString &text, QWidget *parent)
{
    auto *box = new QCheckBox(text, parent);
    box->setObjectName(name);
    box->setAttribute(Qt::WA_TransparentForMouseEvents); // shows the controller's bits only
    box->setFocusPolicy(Qt::NoFocus);
    return box;
}

void setText(QLineEdit *edit, const std::optional<int> &value)
{
    if (value) // a field the answer did not reach keeps its value
        edit->setText(QString::number(*value));
}

void setChecked(QCheckBox *box, const std::optional<bool> &value)
{
    if (value)
        box->setChecked(*value);
}
} // namespace

StatusPage::StatusPage(ModemWindow &window, QWidget *parent)
    : QWidget(parent), m_window(window), m_vksAdr(new QSpinBox(this)), m_pollInt(new QSpinBox(this)),
      m_statusPoll(new QCheckBox(QStringLiteral("Statuspoll"), this)),
      m_ohEin(display(QStringLiteral("OHEin"), QStringLiteral("Oberhitze ein"), this)),
      m_uhEin(display(QStringLiteral("UHEin"), QStringLiteral("Unterhitze ein"), this)),
      m_prgStart(display(QStringLiteral("PRGStart"), QStringLiteral("Programm gestartet"), this)),
      m_poll(new QTimer(this))
{
    setObjectName(QStringLiteral("VKSDebug"));
    m_vksAdr->setObjectName(QStringLiteral("VKSAdr"));
    m_vksAdr->setRange(0, 255);
    m_vksAdr->setValue(10);
    m_pollInt->setObjectName(QStringLiteral("PollInt"));
    m_pollInt->setRange(0, 600000);
    m_pollInt->setValue(kDefaultPollMs);
    m_pollInt->setSuffix(QStringLiteral(" ms"));
    m_statusPoll->setObjectName(QStringLiteral("Statuspoll"));
    auto *address = new QPushButton(QStringLiteral("Adressieren"), this);
    address->setObjectName(QStringLiteral("VKSAdressieren"));
    auto *status = new QPushButton(QStringLiteral("Status abfragen"), this);
    status->setObjectName(QStringLiteral("VKSStatus"));
    connect(address, &QPushButton::clicked, this, &StatusPage::VKSAdressierenClick);
    connect(status, &QPushButton::clicked, this, &StatusPage::VKSStatusClick);

    auto *controls = new QFormLayout;
    controls->addRow(QStringLiteral("Busadresse (VKSAdr):"), m_vksAdr);
    controls->addRow(QString(), address);
    controls->addRow(QString(), status);
    controls->addRow(QStringLiteral("Abfrage alle:"), m_pollInt);
    controls->addRow(QString(), m_statusPoll);

    auto *values = new QGroupBox(QStringLiteral("Status"), this);
    auto *form = new QFormLayout(values);
    const QList<std::pair<const char *, QString>> fields = {
        {"Einstatus", QStringLiteral("Einstatus:")},      {"BPrgNr", QStringLiteral("Backprogramm:")},
        {"Backzeit", QStringLiteral("Backzeit:")},        {"OHIst", QStringLiteral("Oberhitze Ist:")},
        {"UHIst", QStringLiteral("Unterhitze Ist:")},     {"OHSoll", QStringLiteral("Oberhitze Soll:")},
        {"UHSoll", QStringLiteral("Unterhitze Soll:")}};
    for (const auto &[name, label] : fields) {
        auto *edit = new QLineEdit(values);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setReadOnly(true);
        form->addRow(label, edit);
    }
    form->addRow(QString(), m_ohEin);
    form->addRow(QString(), m_uhEin);
    form->addRow(QString(), m_prgStart);

    auto *memoBox = new QGroupBox(QStringLiteral("VKSMemo"), this);
    (new QVBoxLayout(memoBox))->addWidget(new MemoView(&window.session().vksMemo(), QStringLiteral("VKSMemo"), memoBox));

    auto *left = new QVBoxLayout;
    left->addLayout(controls);
    left->addWidget(values);
    left->addStretch();
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addWidget(memoBox, 1);

    // Runs from the start; each tick takes its interval anew.
    m_poll->setObjectName(QStringLiteral("StatusTimer"));
    m_poll->setSingleShot(true);
    m_poll->setInterval(kDefaultPollMs);
    connect(m_poll, &QTimer::timeout, this, &StatusPage::pollTick);
    m_poll->start();
}

QLineEdit *StatusPage::field(const QString &name)
{
    return findChild<QLineEdit *>(name);
}

void StatusPage::VKSAdressierenClick()
{
    m_window.runClick([this] {
        const QString line = AddressOnceReport(m_window.link().engine(), m_vksAdr->value());
        m_window.session().vksMemo().addStamped(line);
    });
}

void StatusPage::VKSStatusClick()
{
    m_window.runClick([this] {
        if (!queryStatus())
            m_window.prompter().inform(modemtext::kError, modemtext::kNotAddressable);
    });
}

void StatusPage::pollTick()
{
    m_poll->stop();
    m_poll->setInterval(std::max(1, m_pollInt->value())); // below 1 ms is 1 ms
    // A transfer or another window's transaction holds the line: this tick is skipped.
    if (m_statusPoll->isChecked())
        m_window.runTick([this] { queryStatus(); });
    m_poll->start();
}

bool StatusPage::queryStatus()
{
    const auto status = QueryStatus(m_window.link().engine(), m_vksAdr->value(), &m_window.session().vksMemo());
    if (!status)
        return false;
    show(*status);
    return true;
}

void StatusPage::show(const ControllerStatus &s)
{
    setText(field(QStringLiteral("Einstatus")), s.onStatus);
    field(QStringLiteral("BPrgNr"))->setText(QString::number(s.programNumber));
    setText(field(QStringLiteral("Backzeit")), s.bakeTime);
    setText(field(QStringLiteral("OHIst")), s.topHeatActual);
    setText(field(QStringLiteral("UHIst")), s.bottomHeatActual);
    setText(field(QStringLiteral("OHSoll")), s.topHeatSet);
    setText(field(QStringLiteral("UHSoll")), s.bottomHeatSet);
    setChecked(m_ohEin, s.topHeatOn);
    setChecked(m_uhEin, s.bottomHeatOn);
    setChecked(m_prgStart, s.programStarted);
}

} // namespace torvel
