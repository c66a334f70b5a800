#pragma once
// "Backprogramm": the programs of one oven in a grid, received from and sent to the
// selected oven, opened and saved through the frame's file requests.

#include "bakeprog/ovenprograms.h"
#include "bakeprog/programtransfer.h"
#include "shell/requests.h"
#include "shell/sheetmodel.h"
#include "shell/singleprogramtarget.h"

#include <QList>
#include <QPointer>
#include <QTimer>
#include <QWidget>

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace torvel {

class AppState;
class CompareResultPanel;
class ControllerLink;
class GridView;
class Prompter;
class RangeDialog;
class WindowBusy;

class ServicePanel;
class ProgramEditorWindow;

class ProgramListWindow : public QWidget, public ProgramTransferView, public SingleProgramTarget
{
    Q_OBJECT
public:
    ProgramListWindow(AppState *state, ControllerLink *link, Prompter *prompter, RangeDialog *rangeDialog,
          QWidget *parent = nullptr);
    ~ProgramListWindow() override;

    static QString captionFor(const AppState &state);

    SheetModel &record() { return m_record; }
    GridView *grid() const { return m_grid; }
    bool recordModified() const { return m_recordModified; }
    void setRecordModified(bool on) { m_recordModified = on; }
    // From an accepted click (receive, send, the editor) until it has returned.
    bool busy() const;
    WindowBusy *busyGuard() const { return m_busyGuard; }

    QPushButton *receiveButton() const { return m_receive; }
    QPushButton *sendButton() const { return m_send; }
    QPushButton *compareButton() const { return m_compare; }
    QPushButton *abortButton() const { return m_abort; }
    CompareResultPanel *compareResult() const { return m_compareResult; }
    // What the selected oven holds as far as this list knows (read, compared or sent).
    const OvenPrograms &ovenCopy() const { return m_oven; }
    QWidget *progressPanel() const { return m_progressPanel; }
    QProgressBar *gauge() const { return m_gauge; }
    QLabel *transferTime() const { return m_transferTime; }
    QCheckBox *retrytest() const { return m_retrytest; }
    ServicePanel *debugPanel() const { return m_debugPanel; }

    // The program editor, made once at start-up; double-click and Enter open it (not while
    // this window is busy).
    void setEditor(ProgramEditorWindow *editor);
    void openEditor(int row);

    // The frame's requests.
    void loadRecordRequest(int p1);
    void saveRecordRequest(int p1, int p2);
    void printRequest();

    // SingleProgramTarget
    int currentProgramRow() const override;
    void loadSingleProgram(FileKind kind, const QString &fileName) override;

    // All three wait while another window holds the line.
    void BPrgempfangenClick();
    void BPrgsendenClick();
    // "Mit Torvel vergleichen": reads the oven's programs of a range into a copy of their own
    // and marks in the list what a send would change.
    void BPrgVergleichenClick();
    void AbbruchButtonClick();

    // ProgramTransferView
    void setStep(const QString &text) override;
    void setNumber(int n) override;
    void setProgress(int value, int maximum) override;

signals:
    // Double-click or Enter on a row: the editor should open this program.
    void editRequested(int row);

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    struct PendingRequest {
        Request request;
        int p1;
        int p2;
        QString fileName; // the frame's current file name when the request came
    };

    void buildButtons();
    void setBusy(bool busy);
    void receive();
    void send();
    void compare();
    void showComparison(int oven, int first, int last, bool aborted);
    // The programs of first..last to send; empty when the user cancelled (*cancelled).
    QList<int> chooseProgramsToSend(int oven, int first, int last, int *equal, bool *cancelled);
    void forgetComparison();
    // Capacity query and range dialog; false when the transfer must not start.
    bool prepare(const QString &label, int oven, int *first, int *last);
    void handleRequest(const PendingRequest &request);
    void runPendingRequests();
    // The question before changes are discarded; true when they may go.
    bool mayDiscardChanges();
    bool checkTypedCell(int row, int col, const QString &text);
    void showProgress();
    void onActivated();

    AppState *m_state;
    ControllerLink *m_link;
    Prompter *m_prompter;
    RangeDialog *m_rangeDialog;
    SheetModel m_record;
    GridView *m_grid = nullptr;
    bool m_recordModified = false;
    bool m_transferring = false;
    WindowBusy *m_busyGuard = nullptr;
    // File and print requests that came while busy: they run once it has returned.
    QList<PendingRequest> m_pending;

    QWidget *m_progressPanel = nullptr;
    QLabel *m_step = nullptr;
    QLabel *m_number = nullptr;
    QProgressBar *m_gauge = nullptr;
    QPushButton *m_receive = nullptr;
    QPushButton *m_send = nullptr;
    QPushButton *m_compare = nullptr;
    CompareResultPanel *m_compareResult = nullptr;
    OvenPrograms m_oven;
    QPushButton *m_abort = nullptr;
    QRadioButton *m_eleven = nullptr;
    QRadioButton *m_ninetyNine = nullptr;
    ServicePanel *m_debugPanel = nullptr;
    QLabel *m_transferTime = nullptr;
    QCheckBox *m_retrytest = nullptr;
    QPointer<ProgramEditorWindow> m_editor;
    QTimer m_gaugeTimer;
    int m_progressValue = 0;
    int m_progressMax = 1;
};

} // namespace torvel
