#include "monitorwindow.h"

#include "link/commandengine.h"
#include "link/loglistmodel.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace torvel {

MonitorWindow::MonitorWindow(MonitorLog *log, CommandEngine *engine, QWidget *parent)
    : QWidget(parent, Qt::Window), m_log(log), m_engine(engine)
{
    setObjectName(QStringLiteral("TSer"));
    setWindowTitle(QStringLiteral("Serial Debug Monitor"));
    resize(900, 480);

    auto *buttons = new QVBoxLayout;
    const struct {
        const char *name;
        QStyle::StandardPixmap icon;
        const char *hint;
        ScrollButton button;
    } scrollButtons[] = {
        {"UpTen", QStyle::SP_ArrowUp, "zehn Zeilen hoch scrollen", ScrollButton::UpTen},
        {"UpOne", QStyle::SP_ArrowUp, "Eine Zeile hoch scrollen", ScrollButton::UpOne},
        {"downOne", QStyle::SP_ArrowDown, "eine Zeile runter scrollen", ScrollButton::DownOne},
        {"DownTen", QStyle::SP_ArrowDown, "zehn Zeilen runter scrollen", ScrollButton::DownTen},
    };
    for (const auto &b : scrollButtons) {
        auto *tb = new QToolButton(this);
        tb->setObjectName(QString::fromLatin1(b.name));
        tb->setIcon(style()->standardIcon(b.icon));
        tb->setToolTip(QString::fromUtf8(b.hint));
        if (b.button == ScrollButton::UpTen || b.button == ScrollButton::DownTen)
            tb->setText(b.button == ScrollButton::UpTen ? QStringLiteral("10") : QStringLiteral("10"));
        tb->setToolButtonStyle(b.button == ScrollButton::UpTen || b.button == ScrollButton::DownTen
                                   ? Qt::ToolButtonTextUnderIcon
                                   : Qt::ToolButtonIconOnly);
        tb->setAutoRepeat(true);
        const ScrollButton which = b.button;
        connect(tb, &QToolButton::clicked, this, [this, which] { scrollButton(which); });
        buttons->addWidget(tb);
    }
    buttons->addStretch();

    auto *lists = new QHBoxLayout;
    lists->addWidget(makeList(MonitorList::Kommandos, QStringLiteral("      Kommandos")), 3);
    lists->addWidget(makeList(MonitorList::SentCommands, QStringLiteral("Gesendete Befehle")), 3);
    lists->addWidget(makeList(MonitorList::Got, QStringLiteral("Empfangene Antwort")), 5);

    m_loggen = new QCheckBox(QStringLiteral("Loggen"), this);
    m_loggen->setObjectName(QStringLiteral("Loggen"));
    m_loggen->setChecked(m_log->logging());
    connect(m_loggen, &QCheckBox::toggled, m_log, &MonitorLog::setLogging);
    connect(m_log, &MonitorLog::loggingChanged, m_loggen, &QCheckBox::setChecked);
    auto *clear = new QPushButton(QStringLiteral("Clear"), this);
    clear->setObjectName(QStringLiteral("Clear"));
    connect(clear, &QPushButton::clicked, m_log, &MonitorLog::clear);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_loggen);
    bottom->addStretch();
    bottom->addWidget(clear);

    auto *right = new QVBoxLayout;
    right->addLayout(lists, 1);
    right->addLayout(bottom);
    auto *top = new QHBoxLayout(this);
    top->addLayout(buttons);
    top->addLayout(right, 1);

    connect(m_log, &MonitorLog::changed, this, [this] {
        for (auto *model : m_models)
            model->scheduleRefresh();
    });
}

QWidget *MonitorWindow::makeList(MonitorList which, const QString &title)
{
    const int i = static_cast<int>(which);
    auto *box = new QGroupBox(title, this);
    auto *view = new QListView(box);
    static const char *names[] = {"Kommandos", "SentCommands", "Got"};
    view->setObjectName(QString::fromLatin1(names[i]));
    view->setUniformItemSizes(true);
    view->setVerticalScrollMode(QAbstractItemView::ScrollPerItem); // scroll bar value = top line
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    auto *model = new LogListModel(&m_log->list(which), this);
    view->setModel(model);
    m_views[i] = view;
    m_models[i] = model;
    connect(model, &LogListModel::refreshed, view, [view](int topLine) {
        view->doItemsLayout(); // the scroll range must know the new rows before the top line is set
        view->verticalScrollBar()->setValue(topLine);
    });
    connect(view->verticalScrollBar(), &QScrollBar::valueChanged, this,
            [this, which](int value) { m_log->list(which).setTopLine(value); });
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(view);
    return box;
}

QListView *MonitorWindow::listView(MonitorList which) const
{
    return m_views[static_cast<int>(which)];
}

void MonitorWindow::refreshNow()
{
    for (auto *model : m_models)
        model->refresh();
}

void MonitorWindow::scrollButton(ScrollButton button)
{
    refreshNow(); // judge on what the user sees
    m_log->scroll(button);
    refreshNow();
}

void MonitorWindow::showEvent(QShowEvent *event)
{
    m_log->setLogging(true);
    QWidget::showEvent(event);
}

void MonitorWindow::hideEvent(QHideEvent *event)
{
    m_log->setLogging(false);
    QWidget::hideEvent(event);
}

void MonitorWindow::closeEvent(QCloseEvent *event)
{
    // The window lives on (hidden); only the port is released.
    m_engine->closePort();
    event->accept();
}

} // namespace torvel
