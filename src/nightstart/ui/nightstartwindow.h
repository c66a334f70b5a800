#pragma once
// "Nacht": the night start times of the selected oven in a small grid, read from and sent
// to the controller, saved, loaded and printed on the frame's requests. Content of a
// QMdiSubWindow with WA_DeleteOnClose; alone it works as a top-level window.

#include "nightprinter.h"

#include "shell/requests.h"

#include <QList>
#include <QPointer>
#include <QWidget>

class QPushButton;

namespace torvel {

class AppState;
class CompareResultPanel;
class ControllerLink;
class GridView;
class Prompter;
class SheetModel;
class WindowBusy;

class NightStartWindow : public QWidget
{
    Q_OBJECT
public:
    // All three are required and outlive the window.
    NightStartWindow(AppState *state, ControllerLink *link, Prompter *prompter, QWidget *parent = nullptr);
    ~NightStartWindow() override;

    SheetModel *sheet() const { return m_sheet; }
    GridView *grid() const { return m_nachtzeit; }

    // True from the accepted click of a read or send until it has returned.
    bool transferRunning() const;
    WindowBusy *busyGuard() const { return m_busy; }

    // How Print reaches the printer (the print dialog by default); tests print to a file.
    void setPrintFunction(SheetPrintFunction print) { m_print = std::move(print); }

    // "Nachtstartzeiten vom Torvel lesen"; waits while the line is taken.
    void NachtReadClick();
    // "Nachtstartzeiten zum Torvel senden"; waits while the line is taken.
    void NachtWriteClick();
    // "Mit Torvel vergleichen": reads the oven's night starts into a grid of their own and
    // marks the cells a send would change; waits while the line is taken.
    void NachtVergleichenClick();
    CompareResultPanel *compareResult() const { return m_compareResult; }
    // Typing into the grid: digits only.
    void NachtzeitKeyPress(QChar *ch);

signals:
    // A read or send has ended and the buttons are back.
    void transferFinished();

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    struct PendingRequest {
        Request request;
        int p1;
        QString fileName; // the frame's current file name when the request came
    };

    void setBusy(bool on);
    void read();
    void send();
    void compare();
    void handleRequest(const PendingRequest &request);
    void saveGrid(bool usb, const QString &fileName);
    void loadGrid(bool usb, const QString &fileName);
    void printGrid();
    void finishTransfer();
    void unregister();
    void onActivated();

    AppState *m_state;
    ControllerLink *m_link;
    Prompter *m_prompter;
    SheetModel *m_sheet;
    GridView *m_nachtzeit;
    QPushButton *m_nachtRead;
    QPushButton *m_nachtWrite;
    QPushButton *m_vergleichen;
    QPushButton *m_abbruch;
    CompareResultPanel *m_compareResult;
    QPushButton *m_nachtLoadBtn;
    QPushButton *m_nachtWriteBtn;
    SheetPrintFunction m_print;
    WindowBusy *m_busy;
    // File and print requests that came during a transfer: they run once it has ended.
    QList<PendingRequest> m_pending;
};

} // namespace torvel
