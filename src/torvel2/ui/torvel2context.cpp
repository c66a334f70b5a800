#include "torvel2context.h"

#include "link/controllerlink.h"
#include "shell/appstate.h"
#include "shell/prompter.h"
#include "shell/textlines.h"
#include "tables/readytable.h"
#include "tables/readyvalidate.h"

#include <QFileDialog>
#include <QTimer>

#include <algorithm>
#include <utility>

namespace torvel {

Torvel2Context::Transfer::Transfer(Torvel2Context &ctx, TransferKind kind)
    : m_ctx(ctx), m_kind(kind), m_guard(ctx.state()), m_line{ctx.engine(), ctx.prompter(), ctx.state().selectedOven()}
{
    ++m_ctx.m_running;
    if (m_kind == TransferKind::Page) {
        m_ctx.state().pauseClockPolling();
        m_ctx.SetBusy(false);
    }
}

Torvel2Context::Transfer::~Transfer()
{
    if (m_kind == TransferKind::Page) {
        m_ctx.SetBusy(true);
        m_ctx.state().resumeClockPolling();
    }
    --m_ctx.m_running;
    emit m_ctx.transferFinished();
}

Torvel2Context::Torvel2Context(AppState *state, ControllerLink *link, Prompter *prompter, QObject *parent)
    : QObject(parent), m_state(state), m_link(link), m_prompter(prompter), m_logFolder(defaultLogFolder())
{
    m_debugMemo.setLineLimit(0);
}

CommandEngine &Torvel2Context::engine() const
{
    return m_link->engine();
}

bool Torvel2Context::lineTaken() const
{
    return m_link->engine().busy() || m_state->transferActive();
}

bool Torvel2Context::acceptClick(std::function<void()> click)
{
    if (m_closing)
        return false;
    // This window's own status poll counts like anyone else's transfer: the click waits for it.
    if (!lineTaken() && !transferRunning())
        return true;
    if (m_clickWaiting)
        return false; // one waiting click is enough: a second one would transfer twice
    m_clickWaiting = true;
    QTimer::singleShot(kBusyRetryMs, this, [this, click = std::move(click)] {
        m_clickWaiting = false;
        if (!m_closing)
            click();
    });
    return false;
}

void Torvel2Context::SetBusy(bool done)
{
    m_busyShown = !done;
    m_progress = done ? m_progressMaximum : 0;
    emit busyChanged(done);
    emit progressChanged(m_progress, m_progressMaximum);
}

void Torvel2Context::setProgressMaximum(int maximum)
{
    m_progressMaximum = std::max(1, maximum);
    m_progress = std::min(m_progress, m_progressMaximum);
    emit progressChanged(m_progress, m_progressMaximum);
}

void Torvel2Context::setProgress(int value)
{
    m_progress = std::clamp(value, 0, m_progressMaximum);
    emit progressChanged(m_progress, m_progressMaximum);
}

bool Torvel2Context::abortRequested() const
{
    return m_state->abortFlag;
}

void Torvel2Context::setAbortFlag(bool on)
{
    m_state->abortFlag = on;
}

void Torvel2Context::LogDebugLine(const QString &text)
{
    m_vksMemo.addStamped(text);
}

void Torvel2Context::SaveDebugMemo()
{
    const QString file = askSaveFileName(QStringLiteral("Debug-Betriebsdaten (*.txt)"), QStringLiteral("txt"));
    if (file.isEmpty())
        return;
    TextLineWriter writer;
    for (const QString &line : m_debugMemo.lines())
        writer.writeLine(line);
    QString error;
    if (!writeTextFile(file, writer.bytes(), &error))
        m_prompter->inform(QStringLiteral("ERROR"), error);
}

void Torvel2Context::setIgnoreError(bool on)
{
    if (m_ignoreError == on)
        return;
    m_ignoreError = on;
    emit ignoreErrorChanged(on);
}

void Torvel2Context::setHerdMax(int decks)
{
    m_herdMax = std::clamp(decks, 1, kReadyDecks);
}

void Torvel2Context::setReference(const ReferenceYear &reference)
{
    if (m_reference == reference)
        return;
    m_reference = reference;
    emit referenceChanged();
}

void Torvel2Context::setCaption(const QString &caption)
{
    if (m_caption == caption)
        return;
    m_caption = caption;
    emit captionChanged(caption);
}

QString Torvel2Context::askSaveFileName(const QStringList &filters, const QString &suffix, int *type) const
{
    *type = 0;
    if (saveFileTypeDialog)
        return saveFileTypeDialog(filters, suffix, type);
    QFileDialog dialog(m_dialogParent, QStringLiteral("Speichern unter"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(suffix);
    // The suffix follows the type chosen: "*.CSV" types save .CSV files.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString &filter) {
        const qsizetype dot = filter.lastIndexOf(QStringLiteral("*."));
        if (dot >= 0)
            dialog.setDefaultSuffix(filter.mid(dot + 2).chopped(1));
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    *type = static_cast<int>(std::max<qsizetype>(0, filters.indexOf(dialog.selectedNameFilter())));
    return dialog.selectedFiles().first();
}

QString Torvel2Context::askSaveFileName(const QString &filter, const QString &suffix) const
{
    if (saveFileDialog)
        return saveFileDialog(filter, suffix);
    QFileDialog dialog(m_dialogParent, QStringLiteral("Speichern unter"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(filter);
    dialog.setDefaultSuffix(suffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

QString Torvel2Context::askOpenFileName(const QString &filter, const QString &suffix) const
{
    if (openFileDialog)
        return openFileDialog(filter, suffix);
    QFileDialog dialog(m_dialogParent, QStringLiteral("Öffnen"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(filter);
    dialog.setDefaultSuffix(suffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

} // namespace torvel
