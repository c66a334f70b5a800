#include "mainwindow.h"

#include "link/controllerlink.h"
#include "shell/appstate.h"
#include "shell/prompter.h"
#include "shell/requests.h"
#include "shell/singleprogramtarget.h"
#include "shell/torvelsettings.h"
#include "childplacement.h"
#include "messagewindow.h"
#include "programicon.h"
#include "speedbar.h"
#include "windowbusy.h"

#include <QApplication>
#include <QActionGroup>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStatusBar>

#include <utility>

namespace torvel {

namespace {
const QString kNoWindow = QStringLiteral("ERR: Kein Fenster für diese Funktion geöffnet.");
const QString kNoPrintable = QStringLiteral("ERR: Kein druckbares Fenster markiert.");
constexpr int kLastProgramRow = 99;
} // namespace

MainWindow::MainWindow(AppState *state, ControllerLink *link, TorvelSettings *settings, QWidget *parent)
    : QMainWindow(parent), m_state(state), m_link(link), m_settings(settings), m_mdi(new QMdiArea(this))
{
    setObjectName(QStringLiteral("TMainForm"));
    setWindowTitle(QStringLiteral("WinTorvel"));
    setWindowIcon(programIcon());
    m_mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdi);
    connect(m_mdi, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow *sub) {
        if (sub && sub->widget())
            childActivated(sub->widget());
    });
    buildMenus();
    buildSpeedButtons();
    // Items of windows that are not registered stay disabled.
    for (const auto &actions : std::as_const(m_pendingActions))
        for (QAction *a : actions)
            a->setEnabled(false);
    buildStatusLine();
    resize(1200, 820);

    if (!m_settings->hasPrintScale())
        m_settings->setPrintScale(m_state->printScale);
    m_state->printScale = m_settings->printScale();

    m_captionTimer.setParent(this);
    m_captionTimer.setObjectName(QStringLiteral("GVTimer"));
    m_captionTimer.setSingleShot(true);
    m_captionTimer.setInterval(3000);
    connect(&m_captionTimer, &QTimer::timeout, this, &MainWindow::updateCaption);
    m_captionTimer.start();

    connect(m_state, &AppState::transferEnded, this, [this] {
        QTimer::singleShot(0, this, &MainWindow::tryDeferredClose);
        QTimer::singleShot(0, this, &MainWindow::tellLineLost);
    });
    connect(&m_link->engine(), &CommandEngine::lineLost, this, [this](const QString &message) {
        m_lineLostMessage = message;
        QTimer::singleShot(0, this, &MainWindow::tellLineLost);
    });
    connect(&m_link->engine(), &CommandEngine::transactionFinished, this, [this] {
        if (m_closeWhenIdle)
            QTimer::singleShot(0, this, &MainWindow::tryDeferredClose);
    });
}

QAction *MainWindow::addItem(QMenu *menu, const QString &text, const QString &hint, std::function<void()> run)
{
    QAction *a = menu->addAction(text);
    a->setStatusTip(hint);
    connect(a, &QAction::triggered, this, [run = std::move(run)] { run(); });
    return a;
}

void MainWindow::buildMenus()
{
    const auto openList = [this] {
        if (!openWindow(ChildWindow::BakeProgramList)) // an open list ignores the request
            openChild(ChildWindow::BakeProgramList);
    };

    QMenu *datei = menuBar()->addMenu(QStringLiteral("&Datei"));
    m_fileNewItem = addItem(datei, QStringLiteral("&Neu"), QStringLiteral("Neue Datei erzeugen"), openList);
    m_fileNewItem->setObjectName(QStringLiteral("FileNewItem"));
    m_pendingActions[int(ChildWindow::BakeProgramList)] << m_fileNewItem;
    addItem(datei, QStringLiteral("Ö&ffnen..."), QStringLiteral("Existierende Datei öffnen"), [this] { fileOpen(); })
        ->setShortcut(QKeySequence::Open);
    addItem(datei, QStringLiteral("Speichern &unter..."), QStringLiteral("Aktuelle Datei unter neuem Namen speichern"),
            [this] { fileSave(); })
        ->setShortcut(QKeySequence::Save);
    addItem(datei, QStringLiteral("Export USB: Alle Backprogramme einzeln im USB-Format exportieren"), QString(),
            [this] { exportUsb(); });
    datei->addSeparator();
    addItem(datei, QStringLiteral("&Drucken (nur BackProgramme/Nachtstarts)..."), QStringLiteral("Aktuelle Datei drucken"),
            [this] { filePrint(); })
        ->setShortcut(QKeySequence::Print);
    addItem(datei, QStringLiteral("Drucker ska&lieren"), QString(), [this] {
        if (m_showPrinterScale)
            m_showPrinterScale();
    });
    datei->addSeparator();
    m_pendingActions[int(ChildWindow::Port)] << addItem(datei, QStringLiteral("Schnittstelle wählen..."), QString(),
                                                        [this] { openChild(ChildWindow::Port); });
    datei->addSeparator();
    addItem(datei, QStringLiteral("&Beenden"), QStringLiteral("Diese Anwendung beenden"), [this] { close(); });

    QMenu *vks = menuBar()->addMenu(QStringLiteral("VKS"));
    m_pendingActions[int(ChildWindow::Oven)] << addItem(vks, QStringLiteral("Ofen wählen..."), QString(),
                                                        [this] { openChild(ChildWindow::Oven); });
    vks->addSeparator();
    m_pendingActions[int(ChildWindow::Search)] << addItem(vks, QStringLiteral("VKS Torvel suchen..."), QString(),
                                                          [this] { openChild(ChildWindow::Search); });
    m_pendingActions[int(ChildWindow::Clock)] << addItem(vks, QStringLiteral("Uhr Funktionen..."), QString(),
                                                         [this] { openChild(ChildWindow::Clock); });
    m_pendingActions[int(ChildWindow::BakeProgramList)] << addItem(vks, QStringLiteral("Backprogramme..."), QString(), openList);
    m_pendingActions[int(ChildWindow::NightStart)] << addItem(vks, QStringLiteral("Nachtstartzeiten..."), QString(),
                                                              [this] { openChild(ChildWindow::NightStart); });
    m_pendingActions[int(ChildWindow::Torvel2)] << addItem(vks, QStringLiteral("Betriebsdaten (nur Torvel2)"), QString(),
                                                           [this] { openChild(ChildWindow::Torvel2); });

    QMenu *fenster = menuBar()->addMenu(QStringLiteral("&Fenster"));
    addItem(fenster, QStringLiteral("&Nebeneinander"), QStringLiteral("Alle Fenster nebeneinander anordnen"),
            [this] { tileInside(m_mdi); });
    addItem(fenster, QStringLiteral("Ü&berlappend"), QStringLiteral("Alle Fenster übereinander anordnen"),
            [this] { cascadeInside(m_mdi); });
    addItem(fenster, QStringLiteral("&Alles anordnen"), QStringLiteral("Alle Symbole anordnen"), [this] {
        // Minimised children line up along the bottom edge.
        int x = 0;
        for (QMdiSubWindow *sub : m_mdi->subWindowList()) {
            if (!sub->isMinimized())
                continue;
            sub->move(x, m_mdi->viewport()->height() - sub->height());
            x += sub->width();
        }
    });
    fenster->addSeparator();
    addItem(fenster, QStringLiteral("Debug-Fenster anzeigen"), QString(), [this] {
        if (!m_monitor)
            return;
        m_monitor->show();
        m_monitor->raise();
        m_monitor->activateWindow();
    });

    buildWindowMenu(fenster);

    // The list window's edit items: not in a visible menu, but their state follows the list.
    auto *bearbeiten = new QMenu(QStringLiteral("&Bearbeiten"), this);
    for (const char *name : {"EditUndoItem", "EditCutItem", "EditCopyItem", "EditPasteItem"}) {
        QAction *a = bearbeiten->addAction(QString::fromLatin1(name));
        a->setObjectName(QString::fromLatin1(name));
        a->setEnabled(false);
        m_editItems << a;
    }

    QMenu *modem = menuBar()->addMenu(QStringLiteral("Modem"));
    m_pendingActions[int(ChildWindow::Modem)] << addItem(modem, QStringLiteral("Modem-Fenster"), QString(),
                                                         [this] { openChild(ChildWindow::Modem); });
    modem->menuAction()->setVisible(true);
}

void MainWindow::buildSpeedButtons()
{
    auto *bar = new SpeedBar(this);
    addToolBar(Qt::TopToolBarArea, bar);
    bar->addButton(QStringLiteral("Öffnen"), SpeedBar::Open, [this] { fileOpen(); });
    bar->addButton(QStringLiteral("Speichern"), SpeedBar::Save, [this] { fileSave(); });
    bar->addButton(QStringLiteral("Drucken"), SpeedBar::Print, [this] { filePrint(); });
    bar->addSeparator();
    m_pendingActions[int(ChildWindow::Search)] << bar->addButton(QStringLiteral("Torvel Version anzeigen..."),
                                                                 SpeedBar::Search,
                                                                 [this] { openChild(ChildWindow::Search); });
    m_pendingActions[int(ChildWindow::Clock)] << bar->addButton(QStringLiteral("Uhrzeit..."), SpeedBar::Clock,
                                                                [this] { openChild(ChildWindow::Clock); });
    m_pendingActions[int(ChildWindow::BakeProgramList)] << bar->addButton(
        QStringLiteral("Backprogramme..."), SpeedBar::Programs, [this] {
            if (!openWindow(ChildWindow::BakeProgramList))
                openChild(ChildWindow::BakeProgramList);
        });
    m_pendingActions[int(ChildWindow::NightStart)] << bar->addButton(QStringLiteral("Nachtstartzeiten..."),
                                                                     SpeedBar::Night,
                                                                     [this] { openChild(ChildWindow::NightStart); });
    bar->addLogo();
}

void MainWindow::registerChild(ChildWindow kind, const QString &caption, Factory factory, ChildSize size)
{
    m_children.insert(int(kind), {caption, std::move(factory), size});
    for (QAction *a : m_pendingActions.value(int(kind)))
        a->setEnabled(true);
}

QPointer<QObject> &MainWindow::handle(ChildWindow kind) const
{
    static QPointer<QObject> modem;
    switch (kind) {
    case ChildWindow::Port:
        return m_state->portWindow;
    case ChildWindow::Oven:
        return m_state->ovenWindow;
    case ChildWindow::Search:
        return m_state->searchWindow;
    case ChildWindow::Clock:
        return m_state->clockWindow;
    case ChildWindow::NightStart:
        return m_state->nightStartWindow;
    case ChildWindow::BakeProgramList:
        return m_state->bakeProgramList;
    case ChildWindow::Torvel2:
        return m_state->torvel2Window;
    case ChildWindow::Modem:
        break;
    }
    return modem;
}

QWidget *MainWindow::openWindow(ChildWindow kind) const
{
    return qobject_cast<QWidget *>(handle(kind).data());
}

QWidget *MainWindow::openChild(ChildWindow kind)
{
    QPointer<QObject> &h = handle(kind);
    if (h) {
        postRequest(h, Request::ShowAgain);
        return qobject_cast<QWidget *>(h.data());
    }
    const auto it = m_children.constFind(int(kind));
    if (it == m_children.cend() || !it->factory)
        return nullptr;
    QWidget *w = it->factory();
    if (!w)
        return nullptr;
    w->setWindowTitle(it->caption);
    if (!h)
        h = w; // the window clears its handle when it closes (the pointer also follows deletion)
    if (!w->isWindow() || w->parent() == nullptr) {
        const bool sized = w->testAttribute(Qt::WA_Resized);
        const QSize wanted = w->size();
        QMdiSubWindow *sub = m_mdi->addSubWindow(w);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        sub->setWindowTitle(it->caption);
        setFixedSizeChild(sub, it->size == ChildSize::Fixed);
        // Room for the caption and for the size the window asked for, within the work area.
        const int captionWidth = sub->fontMetrics().horizontalAdvance(it->caption) + MessageWindow::kCaptionButtonsWidth;
        QSize size = sub->sizeHint();
        if (sized)
            size = size.expandedTo(wanted + QSize(8, 32));
        size = size.expandedTo(QSize(captionWidth, 0));
        if (!m_mdi->viewport()->size().isEmpty())
            size = size.boundedTo(m_mdi->viewport()->size());
        sub->resize(size);
        sub->show();
        keepInside(m_mdi, sub);
        m_mdi->setActiveSubWindow(sub);
        if (kind == ChildWindow::BakeProgramList) {
            connect(w, &QObject::destroyed, this, [this] { QTimer::singleShot(0, this, &MainWindow::updateListItems); });
            updateListItems();
        }
    } else {
        w->show();
    }
    return w;
}

void MainWindow::noWindowMessage()
{
    if (m_prompter)
        m_prompter->showMessageWindow(kNoWindow);
}

QStringList MainWindow::runOpenDialog(int *entry)
{
    if (openDialog)
        return openDialog(entry);
    QFileDialog dialog(this, QStringLiteral("Öffnen"));
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilters(openFilters());
    dialog.setOption(QFileDialog::ReadOnly, false);
    if (*entry >= 1 && *entry <= openFilters().size())
        dialog.selectNameFilter(openFilters().at(*entry - 1));
    if (dialog.exec() != QDialog::Accepted)
        return {};
    *entry = static_cast<int>(openFilters().indexOf(dialog.selectedNameFilter())) + 1;
    return dialog.selectedFiles();
}

QString MainWindow::runSaveDialog(int *entry, const QString &proposed)
{
    if (saveDialog)
        return saveDialog(entry, proposed);
    QFileDialog dialog(this, QStringLiteral("Speichern unter"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(saveFilters());
    const int preset = (*entry >= 1 && *entry <= saveFilters().size()) ? *entry : 1;
    dialog.selectNameFilter(saveFilters().at(preset - 1));
    dialog.setDefaultSuffix(saveSuffix(preset));
    if (!proposed.isEmpty())
        dialog.selectFile(proposed);
    connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString &filter) {
        const int e = static_cast<int>(saveFilters().indexOf(filter)) + 1;
        dialog.setDefaultSuffix(saveSuffix(e)); // the name written is the name confirmed
        if (!proposedSaveName(e).isEmpty())
            dialog.selectFile(proposedSaveName(e));
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    *entry = static_cast<int>(saveFilters().indexOf(dialog.selectedNameFilter())) + 1;
    return dialog.selectedFiles().first();
}

void MainWindow::fileOpen()
{
    int entry = m_preset.openEntry;
    const QStringList files = runOpenDialog(&entry);
    if (files.isEmpty())
        return;
    openFiles(files, entry);
}

void MainWindow::openFiles(const QStringList &files, int filterEntry)
{
    if (files.isEmpty())
        return;
    // Each file's kind: its own suffix, else the filter entry.
    QStringList singlePrograms;
    FileKind singleKind = FileKind::None;
    QString recordFile;
    FileKind recordKind = FileKind::None;
    QStringList notLoaded;
    for (const QString &file : files) {
        const FileKind kind = openKind(filterEntry, file);
        if (kind == FileKind::Bpr || kind == FileKind::Tbp) {
            if (singlePrograms.isEmpty())
                singleKind = kind;
            if (kind == singleKind)
                singlePrograms << file;
            else
                notLoaded << file; // single programs load one kind at a time
        } else if (kind != FileKind::None && recordFile.isEmpty()) {
            // A record replaces the whole list or table: only one is loaded.
            recordFile = file;
            recordKind = kind;
        } else {
            notLoaded << file;
        }
    }
    if (!singlePrograms.isEmpty())
        notLoaded += loadSinglePrograms(singleKind, singlePrograms);
    // A file of several chosen that is not loaded is named, never dropped without a word.
    if (files.size() > 1 && !notLoaded.isEmpty() && m_prompter) {
        QStringList names;
        for (const QString &file : std::as_const(notLoaded))
            names << QFileInfo(file).fileName();
        m_prompter->inform(QStringLiteral("Meldung"),
                           QStringLiteral("Folgende Dateien wurden nicht geladen:\r\n")
                               + names.join(QStringLiteral("\r\n")));
    }
    if (recordFile.isEmpty())
        return;
    m_state->currentFileName = recordFile;
    const int usb = (recordKind == FileKind::Tbr || recordKind == FileKind::Tbz) ? kUsbParam : 0;
    if (recordKind == FileKind::Rec || recordKind == FileKind::Tbr) {
        QWidget *list = openWindow(ChildWindow::BakeProgramList);
        if (!list)
            list = openChild(ChildWindow::BakeProgramList);
        if (!postRequest(list, Request::LoadRecord, usb, usb))
            noWindowMessage();
    } else {
        QWidget *night = openChild(ChildWindow::NightStart);
        if (!postRequest(night, Request::NachtLoad, usb, usb))
            noWindowMessage();
    }
}

QStringList MainWindow::loadSinglePrograms(FileKind kind, const QStringList &files)
{
    QWidget *list = openWindow(ChildWindow::BakeProgramList);
    if (!list)
        list = openChild(ChildWindow::BakeProgramList);
    // Each load may ask or tell (a nested event loop): the list may be gone afterwards.
    QPointer<QWidget> alive(list);
    auto *target = dynamic_cast<SingleProgramTarget *>(list);
    if (!target) {
        noWindowMessage();
        return files;
    }
    if (files.size() == 1) {
        m_state->currentFileName = files.first();
        target->loadSingleProgram(kind, files.first());
        return {};
    }
    const QStringList order = multiFileOrder(files);
    for (int i = 0; i < order.size(); ++i) {
        if (!alive)
            return order.mid(i);
        const bool last = i + 1 == order.size(); // the first chosen file, loaded without the row test
        const bool wasLastRow = target->currentProgramRow() == kLastProgramRow;
        m_state->currentFileName = order.at(i);
        target->loadSingleProgram(kind, order.at(i));
        if (!last && wasLastRow) {
            QApplication::beep();
            return order.mid(i + 1);
        }
    }
    return {};
}

void MainWindow::fileSave()
{
    if (!openWindow(ChildWindow::BakeProgramList) && !openWindow(ChildWindow::NightStart)) {
        noWindowMessage();
        return;
    }
    const QString proposed =
        m_state->currentFileName.toUpper().endsWith(QLatin1String(".REC")) ? m_state->currentFileName : QString();
    int entry = m_preset.saveEntry;
    const QString name = runSaveDialog(&entry, proposed);
    if (name.isEmpty())
        return;
    saveAs(name, entry);
}

void MainWindow::saveAs(const QString &fileName, int filterEntry)
{
    const FileKind kind = saveKind(filterEntry);
    const bool programs = kind == FileKind::Rec || kind == FileKind::Tbr;
    QWidget *target = openWindow(programs ? ChildWindow::BakeProgramList : ChildWindow::NightStart);
    if (!target || kind == FileKind::None) {
        noWindowMessage();
        return;
    }
    m_state->currentFileName = fileName;
    const int usb = (kind == FileKind::Tbr || kind == FileKind::Tbz) ? kUsbParam : 0;
    postRequest(target, programs ? Request::SaveRecord : Request::NachtSave, usb, usb);
}

void MainWindow::exportUsb()
{
    if (!postRequest(openWindow(ChildWindow::BakeProgramList), Request::SaveRecord, kUsbParam, kAllParam))
        noWindowMessage();
}

void MainWindow::filePrint()
{
    QObject *target = m_state->printTarget;
    if (target && (target == m_state->bakeProgramList || target == m_state->nightStartWindow
                   || target == m_state->torvel2Window)) {
        postRequest(target, Request::Print);
        return;
    }
    if (m_prompter)
        m_prompter->showMessageWindow(kNoPrintable);
}

void MainWindow::updateCaption()
{
    QString caption = windowTitle() + QStringLiteral("  V ") + m_versionText;
    if (m_state->addTimeoutGiven)
        caption += QStringLiteral(" ADDTO:") + QString::number(m_state->addTimeout);
    setWindowTitle(caption);
}

void MainWindow::showInitial()
{
    if (m_state->modemStartup) {
        setGeometry(0, 0, 200, 200);
        showNormal();
    } else if (restoreGeometry(m_settings->mainWindowGeometry())) {
        show();
    } else {
        // The first start: the whole work area, also where no window manager maximises.
        if (QScreen *screen = QGuiApplication::primaryScreen())
            setGeometry(screen->availableGeometry());
        showMaximized();
    }
}

void MainWindow::buildStatusLine()
{
    m_outcomeLabel = new QLabel(this);
    m_outcomeLabel->setObjectName(QStringLiteral("OutcomeLabel"));
    statusBar()->addWidget(m_outcomeLabel, 1);
    m_lineLabel = new QLabel(this);
    m_lineLabel->setObjectName(QStringLiteral("LineLabel"));
    statusBar()->addPermanentWidget(m_lineLabel);
    const auto showLine = [this] {
        const Transport *port = m_link->transport();
        m_lineLabel->setText((port ? port->displayName() : QStringLiteral("-")) + QStringLiteral(" · Ofen ")
                             + QString::number(m_state->selectedOven()));
    };
    showLine();
    connect(m_link, &ControllerLink::transportChanged, this, showLine);
    connect(m_state, &AppState::selectedOvenChanged, this, showLine);
    connect(m_state, &AppState::outcomeReported, m_outcomeLabel, &QLabel::setText);
    connect(&m_link->engine(), &CommandEngine::portFailed, m_outcomeLabel, &QLabel::setText);
    statusBar()->show();
}

QString MainWindow::lineText() const
{
    return m_lineLabel->text();
}

QString MainWindow::outcomeText() const
{
    return m_outcomeLabel->text();
}

void MainWindow::buildWindowMenu(QMenu *fenster)
{
    // Below the fixed items: the open windows, the active one checked; choosing one
    // brings it forward. Rebuilt each time the menu opens.
    auto *windows = new QActionGroup(fenster);
    connect(fenster, &QMenu::aboutToShow, this, [this, fenster, windows] {
        for (QAction *a : windows->actions()) {
            fenster->removeAction(a);
            delete a;
        }
        int n = 0;
        for (QMdiSubWindow *sub : m_mdi->subWindowList(QMdiArea::CreationOrder)) {
            if (qobject_cast<MessageWindow *>(sub->widget()))
                continue;
            if (n == 0)
                fenster->addSeparator()->setActionGroup(windows);
            QString title = sub->windowTitle().trimmed();
            if (title.isEmpty() && sub->widget())
                title = sub->widget()->objectName();
            title.replace(QLatin1Char('&'), QLatin1String("&&"));
            ++n;
            QAction *a = fenster->addAction(n < 10 ? QStringLiteral("&%1 %2").arg(n).arg(title) : title);
            a->setCheckable(true);
            a->setChecked(sub == m_mdi->activeSubWindow());
            a->setActionGroup(windows);
            connect(a, &QAction::triggered, this, [this, sub = QPointer<QMdiSubWindow>(sub)] {
                if (!sub)
                    return;
                if (sub->isMinimized())
                    sub->showNormal();
                m_mdi->setActiveSubWindow(sub);
            });
        }
    });
}

void MainWindow::childActivated(QWidget *content)
{
    // Message windows only inform: they never become the print target.
    if (qobject_cast<MessageWindow *>(content))
        return;
    // The child activated last receives the print request (or refuses it).
    m_state->printTarget = content;
    // The data windows preset the file dialogs with their own file kinds.
    if (content == m_state->bakeProgramList)
        m_preset = {QStringLiteral("*.REC"), 2, 1};
    else if (content == m_state->nightStartWindow)
        m_preset = {QStringLiteral("*.NGT"), 3, 2};
}

void MainWindow::updateListItems()
{
    // "Neu" makes a list only while there is none; the edit items work on an open list.
    const bool listOpen = m_state->bakeProgramList;
    if (m_fileNewItem && m_children.contains(int(ChildWindow::BakeProgramList)))
        m_fileNewItem->setEnabled(!listOpen);
    for (QAction *a : std::as_const(m_editItems))
        a->setEnabled(listOpen);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (m_link->engine().busy() || m_state->transferActive()) {
        // Never destroy windows under a running transfer: stop it, close when it has ended.
        m_state->abortFlag = true;
        m_closeWhenIdle = true;
        event->ignore();
        return;
    }
    // Every child is asked first: a modified list asks whether its changes may go.
    m_mdi->closeAllSubWindows();
    for (QMdiSubWindow *sub : m_mdi->subWindowList()) {
        QWidget *content = sub->widget();
        const auto *busy =
            content ? content->findChild<WindowBusy *>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
        if (busy && busy->held()) {
            // Its click is still in work (a dialog of its own): try again once it has returned.
            m_closeWhenIdle = true;
            connect(
                busy, &WindowBusy::released, this,
                [this] { QTimer::singleShot(0, this, &MainWindow::tryDeferredClose); }, Qt::SingleShotConnection);
            event->ignore();
            return;
        }
        if (sub->isVisible()) { // the child said No: the program goes on
            m_closeWhenIdle = false;
            event->ignore();
            return;
        }
    }
    event->accept();
    if (!m_state->modemStartup)
        m_settings->setMainWindowGeometry(saveGeometry());
    if (m_monitor)
        m_monitor->close();
    QMainWindow::closeEvent(event);
    emit closed();
}

// Once, when the transfer the line was lost in has ended.
void MainWindow::tellLineLost()
{
    if (m_lineLostMessage.isEmpty() || m_link->engine().busy() || m_state->transferActive())
        return;
    const QString message = std::exchange(m_lineLostMessage, QString());
    if (m_prompter)
        m_prompter->inform(QStringLiteral("FEHLER"), message);
}

void MainWindow::tryDeferredClose()
{
    if (m_closeWhenIdle && !m_link->engine().busy() && !m_state->transferActive()) {
        m_closeWhenIdle = false;
        close();
    }
}

} // namespace torvel
