#pragma once
// The frame window: menus, speed buttons, status line, the single-instance child windows,
// and the routing of open, save, export and print to the child that owns the data.

#include "shell/filerouting.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <functional>

class QMdiArea;
class QMdiSubWindow;

namespace torvel {

class AppState;
class ControllerLink;
class Prompter;
class TorvelSettings;

enum class ChildWindow { Port, Oven, Search, Clock, NightStart, BakeProgramList, Torvel2, Modem };

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
    void registerChild(ChildWindow kind, const QString &caption, Factory factory);
    // The single-instance pattern: an open window gets ShowAgain, otherwise one is made.
    QWidget *openChild(ChildWindow kind);
    QWidget *openWindow(ChildWindow kind) const;

    // The dialogs, replaceable by tests. The open dialog returns the chosen files and the
    // 1-based filter entry; the save dialog the chosen name (empty: cancelled).
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

signals:
    // The frame was closed: the program ends.
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    struct ChildInfo {
        QString caption;
        Factory factory;
    };

    void buildMenus();
    void buildSpeedButtons();
    QAction *addItem(QMenu *menu, const QString &text, const QString &hint, std::function<void()> run);
    void updateCaption();
    void noWindowMessage();
    QPointer<QObject> &handle(ChildWindow kind) const;
    QStringList runOpenDialog(int *entry);
    QString runSaveDialog(int *entry, const QString &proposed);
    void loadSinglePrograms(FileKind kind, const QStringList &files);
    void tryDeferredClose();

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
};

} // namespace torvel
