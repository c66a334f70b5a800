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
class ControllerLink;
class GridView;
class Prompter;
class SheetModel;

class NightStartWindow : public QWidget
{
    Q_OBJECT
public:
    // A click while another window holds the line is carried out this much later.
    static constexpr int kBusyRetryMs = 50;

    // All three are required and outlive the window.
    NightStartWindow(AppState *state, ControllerLink *link, Prompter *prompter, QWidget *parent = nullptr);
    ~NightStartWindow() override;

    SheetModel *sheet() const { return m_sheet; }
    GridView *grid() const { return m_nachtzeit; }

    // True from the first frame of a read or send to its end.
    bool transferRunning() const { return m_transfer; }

    // How Print reaches the printer (the print dialog by default); tests print to a file.
    void setPrintFunction(SheetPrintFunction print) { m_print = std::move(print); }

    // "Nachtstartzeiten vom Torvel lesen".
    void NachtReadClick();
    // "Nachtstartzeiten zum Torvel senden".
    void NachtWriteClick();
    // Typing into the grid: digits only.
    void NachtzeitKeyPress(QChar *ch);

signals:
    // A read or send has ended and the buttons are back.
    void transferFinished();

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    class Busy;
    struct PendingRequest {
        Request request;
        int p1;
        QString fileName; // the frame's current file name when the request came
    };

    void setBusy(bool on);
    bool lineTaken() const;
    // Carries the click out once the line is free (another window's transfer or poll holds it).
    void whenLineFree(void (NightStartWindow::*click)());
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
    QPushButton *m_abbruch;
    QPushButton *m_nachtLoadBtn;
    QPushButton *m_nachtWriteBtn;
    SheetPrintFunction m_print;
    bool m_transfer = false;
    bool m_closeDeferred = false;
    bool m_clickWaiting = false;
    // File and print requests that came during a transfer: they run once it has ended.
    QList<PendingRequest> m_pending;
};

} // namespace torvel
