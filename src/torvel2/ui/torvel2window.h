#pragma once
// "Torvel2" (`TwTorvel2`): the window of a second-generation controller. It assembles the seven
// pages in `PageControl1`, shows what the shared Torvel2Context says (busy state, progress
// `Fortschritt`/`Gauge1`), runs the poll timer `VKSTimer`, and keeps itself open while a
// transfer of one of its pages runs. Content of a QMdiSubWindow with WA_DeleteOnClose; alone
// it works as a top-level window.

#include <QWidget>

class QProgressBar;
class QStatusBar;
class QTabWidget;
class QTimer;

namespace torvel {

class AppState;
class ControllerLink;
class DebugPage;
class ErrorListPage;
class GradientPage;
class OperatingDataPage;
class Prompter;
class ReadyTablePage;
class RecordPage;
class Torvel2Context;
class VksDebugPage;

class Torvel2Window : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kFirstPollMs = 1000;

    // All three are required and outlive the window.
    Torvel2Window(AppState *state, ControllerLink *link, Prompter *prompter, QWidget *parent = nullptr);
    ~Torvel2Window() override;

    Torvel2Context &context() const { return *m_ctx; }
    QTabWidget *pages() const { return m_pageControl; }
    QTimer *vksTimer() const { return m_vksTimer; }
    VksDebugPage *vksDebugPage() const { return m_vksDebug; }
    GradientPage *gradientPage() const { return m_gradient; }
    ReadyTablePage *readyTablePage() const { return m_ready; }
    DebugPage *debugPage() const { return m_debugTab; }
    OperatingDataPage *operatingDataPage() const { return m_operatingData; }
    ErrorListPage *errorListPage() const { return m_errorList; }

    // One tick of `VKSTimer`.
    void VKSTimerTimer();

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildPages();
    void showBusy(bool done);
    void onActivated();
    void finishDeferredClose();
    // The frame's print request: the log page in front prints its list.
    void printActivePage();
    void unregister();

    AppState *m_state;
    Torvel2Context *m_ctx;
    QTabWidget *m_pageControl;
    VksDebugPage *m_vksDebug;
    ReadyTablePage *m_ready;
    OperatingDataPage *m_operatingData;
    GradientPage *m_gradient;
    RecordPage *m_record;
    DebugPage *m_debugTab;
    ErrorListPage *m_errorList;
    QWidget *m_fortschritt;
    QProgressBar *m_gauge;
    QStatusBar *m_statusBar;
    QTimer *m_vksTimer;
    bool m_shown = false;
    bool m_readyTableInitialised = false;
    bool m_closeDeferred = false;
    bool m_hourglass = false;
    bool m_printWaiting = false;
};

} // namespace torvel
