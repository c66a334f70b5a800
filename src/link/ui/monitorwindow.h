#pragma once
// "Serial Debug Monitor": every transaction in three row-aligned lists. Logging is on while
// the window is visible; closing it closes the port (the next transaction re-opens it).

#include "link/monitorlog.h"

#include <QWidget>

class QCheckBox;
class QListView;

namespace torvel {

class CommandEngine;
class LogListModel;

class MonitorWindow : public QWidget
{
    Q_OBJECT
public:
    MonitorWindow(MonitorLog *log, CommandEngine *engine, QWidget *parent = nullptr);

    QListView *listView(MonitorList which) const;
    QCheckBox *loggen() const { return m_loggen; }
    // Applies pending log lines to the views now (tests, screenshots).
    void refreshNow();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    QWidget *makeList(MonitorList which, const QString &title);
    void scrollButton(ScrollButton button);

    MonitorLog *m_log;
    CommandEngine *m_engine;
    QCheckBox *m_loggen = nullptr;
    QListView *m_views[3] = {};
    LogListModel *m_models[3] = {};
};

} // namespace torvel
