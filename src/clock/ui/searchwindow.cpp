#include "searchwindow.h"

#include "shell/ui/childhost.h"
#include "shell/ui/windowbusy.h"

#include "link/controller.h"
#include "link/controllerlink.h"
#include "shell/appstate.h"
#include "shell/requests.h"
#include "shell/transferguard.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTimer>
#include <QTableWidget>
#include <QVBoxLayout>

namespace torvel {

namespace {
constexpr int kColumnWidth = 60;
constexpr int kRowHeight = 24;
constexpr int kCellPadding = 12;
// The widest version text with its search mark must show in full.
const QString kWidestVersion = QStringLiteral("2.91 r3 *");
} // namespace

SearchWindow::SearchWindow(AppState *state, ControllerLink *link, QWidget *parent)
    : QWidget(parent), m_state(state), m_link(link), m_table(new QTableWidget(kOvens, 2, this)),
      m_getTimer(new QTimer(this)), m_busy(new WindowBusy(this, state, link))
{
    setObjectName(QStringLiteral("TTorvelVer"));
    setWindowTitle(QStringLiteral("VKS Torvel suchen..."));

    m_table->setObjectName(QStringLiteral("Versionsnummer"));
    m_table->horizontalHeader()->hide();
    m_table->verticalHeader()->hide();
    m_table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->setMinimumSectionSize(1);
    m_table->verticalHeader()->setDefaultSectionSize(kRowHeight);
    m_table->setColumnWidth(0, kColumnWidth);
    m_table->setColumnWidth(1, qMax(kColumnWidth, m_table->fontMetrics().horizontalAdvance(kWidestVersion)
                                                      + kCellPadding));
    for (int row = 0; row < kOvens; ++row) {
        m_table->setRowHeight(row, kRowHeight);
        setCell(row, 1, QString());
    }
    writeOvenColumn();
    // Exactly the cells: no scroll bars needed.
    const int frame = 2 * m_table->frameWidth();
    m_table->setFixedSize(m_table->columnWidth(0) + m_table->columnWidth(1) + frame, kOvens * kRowHeight + frame);

    auto *group = new QGroupBox(QStringLiteral("Torvel-Versionsnummer"), this);
    group->setObjectName(QStringLiteral("GroupBox3"));
    auto *groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(m_table);

    m_suchen = new QPushButton(QStringLiteral("Erneut suchen"), this);
    m_suchen->setObjectName(QStringLiteral("Suchen"));
    m_schliessen = new QPushButton(QStringLiteral("Schließen"), this);
    m_schliessen->setObjectName(QStringLiteral("Schliessen"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_suchen);
    buttons->addWidget(m_schliessen);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(m_busy->hint());
    layout->addLayout(buttons);

    connect(m_suchen, &QPushButton::clicked, m_getTimer, qOverload<>(&QTimer::start));
    connect(m_schliessen, &QPushButton::clicked, this, [this] { closeHost(this); });

    m_getTimer->setObjectName(QStringLiteral("GetTimer"));
    m_getTimer->setInterval(kStartDelayMs);
    connect(m_getTimer, &QTimer::timeout, this, &SearchWindow::search);
    m_getTimer->start();

    m_state->searchWindow = this;
    followActivation(this, [this] { onActivated(); });
}

SearchWindow::~SearchWindow()
{
    if (m_state->searchWindow == this)
        m_state->searchWindow = nullptr;
}

bool SearchWindow::searching() const
{
    return m_busy->held();
}

void SearchWindow::search()
{
    m_getTimer->stop();
    if (m_busy->closing() || m_busy->held())
        return;
    if (m_busy->lineTaken()) {
        m_getTimer->start(); // the line is taken: start a little later
        return;
    }
    m_busy->run([this] { searchOvens(); });
}

void SearchWindow::searchOvens()
{
    m_suchen->setEnabled(false);
    m_schliessen->setEnabled(false);
    int found = 0;
    {
        TransferGuard guard(*m_state, &m_link->engine());
        CommandEngine &engine = m_link->engine();
        for (int oven = 1; oven <= kOvens; ++oven) {
            // The clock window would compete for the line between two ovens.
            m_state->pauseClockPolling();
            QCoreApplication::processEvents();
            // Closed meanwhile, or the line is gone: the ovens not asked keep what they showed.
            if (m_busy->closing() || engine.isLineLost())
                break;
            setCell(oven - 1, 1, cellText(oven - 1, 1) + QStringLiteral(" *"));
            const QString version = ReadSoftwareVersion(engine, oven);
            setCell(oven - 1, 1, engine.isLineLost() ? cellText(oven - 1, 1).chopped(2) : version);
            found += version != QLatin1String("NA") ? 1 : 0;
        }
    }
    if (!m_link->engine().isLineLost() && !m_busy->closing())
        m_state->reportOutcome(QStringLiteral("Suche beendet: %1 von %2 Öfen antworten.").arg(found).arg(kOvens));
    m_suchen->setEnabled(true);
    m_schliessen->setEnabled(true);
    m_state->resumeClockPolling();
}

void SearchWindow::closeEvent(QCloseEvent *event)
{
    m_getTimer->stop();
    if (m_state->searchWindow == this)
        m_state->searchWindow = nullptr;
    // The search still runs on this window's stack: hidden now, closed when it returns.
    if (m_busy->deferClose(event))
        return;
    event->accept();
    // Closed directly (not through its frame): take the subwindow along.
    if (auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget()))
        sub->close();
}

bool SearchWindow::event(QEvent *event)
{
    if (event->type() == RequestEvent::eventType()) {
        if (static_cast<RequestEvent *>(event)->request() == Request::ShowAgain && !m_busy->closing())
            showAgain(this);
        return true;
    }
    return QWidget::event(event);
}


void SearchWindow::onActivated()
{
    m_state->printTarget = this;
    writeOvenColumn();
}

void SearchWindow::writeOvenColumn()
{
    for (int row = 0; row < kOvens; ++row)
        setCell(row, 0, QStringLiteral("Ofen ") + QString::number(row + 1));
}

void SearchWindow::setCell(int row, int column, const QString &text)
{
    if (QTableWidgetItem *item = m_table->item(row, column)) {
        item->setText(text);
        return;
    }
    m_table->setItem(row, column, new QTableWidgetItem(text));
}

QString SearchWindow::cellText(int row, int column) const
{
    const QTableWidgetItem *item = m_table->item(row, column);
    return item ? item->text() : QString();
}

} // namespace torvel
