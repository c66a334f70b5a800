#pragma once
// The frame window: menus, speed buttons, status line, the single-instance child windows,
// and the routing of open, save, export and print to the child that owns the data.

#include "shell/filerouting.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <functional>

class QLabel;
class QMdiArea;
class QMdiSubWindow;

namespace torvel {

class AppState;
class ControllerLink;
class Prompter;
class TorvelSettings;

enum class ChildWindow { Port, Oven, Search, Clock, NightStart, BakeProgramList, Torvel2, Modem };
// A fixed child has one useful size (oven choice, clock): arranging never stretches it.
enum class ChildSize { Resizable, Fixed };

// What the open and save dialogs start with; the active child window presets it.
struct FileDialogPreset {
    QString fileName;  // e.g. "*.REC"
    int openEntry = 0; // 1-based filter entries; 0 leaves the dialog's own choice
    int saveEntry = 0;
};

class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    MainWindow(AppState *state, ControllerLink *link, TorvelSettings *settings, QWidget *parent = nullptr);

    // Every dialog and message goes through it (the tests script it).
    void setPrompter(Prompter *prompter) { m_prompter = prompter; }
    void setMonitor(QWidget *monitor) { m_monitor = monitor; }
    void setPrinterScaleDialog(std::function<void()> show) { m_showPrinterScale = std::move(show); }
    void setVersionText(const QString &text) { m_versionText = text; }

    // A window kind the frame can open; its menu items stay disabled until registered.
    // The factory makes the content widget; the frame puts it into the MDI area.
    using Factory = std::function<QWidget *()>;
    void registerChild(ChildWindow kind, const QString &caption, Factory factory,
                       ChildSize size = ChildSize::Resizable);
    // The single-instance pattern: an open window gets ShowAgain, otherwise one is made.
    QWidget *openChild(ChildWindow kind);
    QWidget *openWindow(ChildWindow kind) const;

    // Shows the frame maximised on the first start, afterwards with the geometry it had
    // when it was closed last (small in the corner with MODEM).
    void showInitial();

    // The dialogs, replaceable by tests. `entry` comes in as the preset's filter entry (0:
    // none) and goes out as the chosen one. The open dialog returns the chosen files; the
    // save dialog the chosen name (empty: cancelled).
    std::function<QStringList(int *entry)> openDialog;
    std::function<QString(int *entry, const QString &proposed)> saveDialog;

    void fileOpen();
    void fileSave();
    void exportUsb();
    void filePrint();
    // Opens the given files as if chosen in the open dialog with that entry.
    void openFiles(const QStringList &files, int filterEntry);
    void saveAs(const QString &fileName, int filterEntry);

    QMdiArea *mdiArea() const { return m_mdi; }
    const FileDialogPreset &dialogPreset() const { return m_preset; }
    // The status line's right end: the port and oven every transfer goes to.
    QString lineText() const;
    // The status line's left end: how the last transfer ended.
    QString outcomeText() const;

signals:
    // The frame was closed: the program ends.
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    struct ChildInfo {
        QString caption;
        Factory factory;
        ChildSize size = ChildSize::Resizable;
    };

    void buildMenus();
    void buildWindowMenu(QMenu *fenster);
    void buildSpeedButtons();
    void buildStatusLine();
    void childActivated(QWidget *content);
    void updateListItems();
    QAction *addItem(QMenu *menu, const QString &text, const QString &hint, std::function<void()> run);
    void updateCaption();
    void noWindowMessage();
    QPointer<QObject> &handle(ChildWindow kind) const;
    QStringList runOpenDialog(int *entry);
    QString runSaveDialog(int *entry, const QString &proposed);
    // Loads into consecutive rows; returns the files that were not loaded.
    QStringList loadSinglePrograms(FileKind kind, const QStringList &files);
    void tryDeferredClose();
    void tellLineLost();

    AppState *m_state;
    ControllerLink *m_link;
    TorvelSettings *m_settings;
    Prompter *m_prompter = nullptr;
    QWidget *m_monitor = nullptr;
    std::function<void()> m_showPrinterScale;
    QString m_versionText;
    QMdiArea *m_mdi;
    QTimer m_captionTimer;
    QHash<int, ChildInfo> m_children;
    QHash<int, QList<QAction *>> m_pendingActions;
    bool m_closeWhenIdle = false;
    FileDialogPreset m_preset;
    QAction *m_fileNewItem = nullptr;
    QList<QAction *> m_editItems;
    QLabel *m_lineLabel = nullptr;
    QLabel *m_outcomeLabel = nullptr;
    QString m_lineLostMessage; // told once the transfer it ended has returned
};

} // namespace torvel
