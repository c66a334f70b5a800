#include "servicepanel.h"

#include "shell/prompter.h"
#include "shell/sheetmodel.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

namespace torvel {

namespace {
template <typename W>
W *named(W *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}
} // namespace

ServicePanel::ServicePanel(QWidget *parent)
    : QWidget(parent), m_create(named(new QPushButton(QStringLiteral("DefRec")), "CreateDefaultRec")),
      m_check(named(new QPushButton(QStringLiteral("CheckRec")), "CheckDefaultRec")),
      m_up(named(new QCheckBox(QStringLiteral("DefRec_UP")), "DefRec_UP")),
      m_max(named(new QSpinBox, "MaxDefault")),
      m_gaps(named(new QCheckBox(QStringLiteral("Mit Lücken")), "MitLuecken")),
      m_short(named(new QCheckBox(QStringLiteral("Name kurz")), "NameShort")),
      m_ignoreSpace(named(new QCheckBox(QStringLiteral("Leerzeichen am Ende ignorieren")), "IgnoreSpace")),
      m_time(named(new QLabel(QStringLiteral("Übertragungszeit=")), "Uebertragungszeit")),
      m_retrytest(named(new QCheckBox(QStringLiteral("Retrytest")), "Retrytest"))
{
    setObjectName(QStringLiteral("Debugpanel"));
    m_max->setRange(1, 99);
    m_max->setValue(99);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_create);
    layout->addWidget(m_check);
    layout->addWidget(m_up);
    layout->addWidget(new QLabel(QStringLiteral("bis:")));
    layout->addWidget(m_max);
    layout->addWidget(m_gaps);
    layout->addWidget(m_short);
    layout->addWidget(m_ignoreSpace);
    layout->addStretch();
    layout->addWidget(m_retrytest);
    layout->addWidget(m_time);

    connect(m_create, &QPushButton::clicked, this, [this] {
        if (m_list)
            fill(m_maxPrograms);
        emit createDefaultRecClicked();
    });
    connect(m_check, &QPushButton::clicked, this, [this] {
        if (m_list) {
            const TestPatternCheck result = check(m_maxPrograms);
            if (m_prompter)
                m_prompter->inform(result.caption, result.text);
        }
        emit checkDefaultRecClicked();
    });
}

void ServicePanel::attach(SheetModel *list, Prompter *prompter)
{
    m_list = list;
    m_prompter = prompter;
}

void ServicePanel::applyServiceMode(bool serviceMode)
{
    setVisible(serviceMode);
    m_retrytest->setVisible(serviceMode);
    if (!serviceMode)
        m_retrytest->setChecked(false);
}

TestPatternOptions ServicePanel::options(int maxPrograms) const
{
    TestPatternOptions o;
    o.countUp = m_up->isChecked();
    o.maxPrograms = maxPrograms;
    o.withGaps = m_gaps->isChecked();
    o.shortNames = m_short->isChecked();
    return o;
}

int ServicePanel::maxDefault() const
{
    return m_max->value();
}

bool ServicePanel::ignoreSpace() const
{
    return m_ignoreSpace->isChecked();
}

bool ServicePanel::retrytestChecked() const
{
    return m_retrytest->isChecked();
}

void ServicePanel::fill(int maxPrograms)
{
    if (m_list)
        fillTestPattern(*m_list, options(maxPrograms), maxDefault());
}

TestPatternCheck ServicePanel::check(int maxPrograms)
{
    TestPatternCheck result;
    if (!m_list)
        return result;
    result = checkTestPattern(*m_list, options(maxPrograms), maxDefault(), ignoreSpace());
    showCheckResult(result.ok);
    return result;
}

void ServicePanel::showCheckResult(bool ok)
{
    QPalette palette = m_check->palette();
    palette.setColor(QPalette::ButtonText, ok ? this->palette().color(QPalette::ButtonText) : QColor(Qt::red));
    m_check->setPalette(palette);
}

void ServicePanel::setTransferTime(const QString &labelText)
{
    m_time->setText(labelText);
}

} // namespace torvel
