#include "widgetprompter.h"

#include "shell/appstate.h"
#include "shell/requests.h"
#include "shell/ui/messagewindow.h"
#include "shell/ui/countdownbox.h"

#include <QMdiArea>
#include <QMessageBox>
#include <QPushButton>

namespace torvel {

namespace {
QMessageBox::StandardButton standardButton(PromptButton button)
{
    switch (button) {
    case PromptButton::Ok:
        return QMessageBox::Ok;
    case PromptButton::Cancel:
        return QMessageBox::Cancel;
    case PromptButton::Yes:
        return QMessageBox::Yes;
    case PromptButton::No:
        return QMessageBox::No;
    }
    return QMessageBox::Ok;
}

// The box's buttons, in the caller's order, with German texts. Qt's translation gives the
// same texts; setting them here keeps the boxes German without it (and on any theme).
void addButtons(QMessageBox &box, const QList<PromptButton> &buttons)
{
    for (const PromptButton b : buttons) {
        QPushButton *button = box.addButton(standardButton(b));
        button->setText(WidgetPrompter::buttonText(b));
        if (!box.defaultButton())
            box.setDefaultButton(button);
    }
}
} // namespace

WidgetPrompter::WidgetPrompter(AppState *state, QMdiArea *area, QWidget *dialogParent)
    : m_state(state), m_area(area), m_dialogParent(dialogParent)
{
}

QString WidgetPrompter::buttonText(PromptButton button)
{
    switch (button) {
    case PromptButton::Ok:
        return QStringLiteral("OK");
    case PromptButton::Cancel:
        return QStringLiteral("Abbrechen");
    case PromptButton::Yes:
        return QStringLiteral("&Ja");
    case PromptButton::No:
        return QStringLiteral("&Nein");
    }
    return {};
}

PromptButton WidgetPrompter::ask(const QString &caption, const QString &text, const QList<PromptButton> &buttons)
{
    const QList<PromptButton> shown = buttons.isEmpty() ? QList<PromptButton>{PromptButton::Ok} : buttons;
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::NoButton, m_dialogParent);
    addButtons(box, shown);
    // Escape means the most cautious answer on offer.
    const PromptButton dismissed = shown.contains(PromptButton::Cancel) ? PromptButton::Cancel : PromptButton::No;
    if (shown.contains(dismissed))
        box.setEscapeButton(box.button(standardButton(dismissed)));
    else if (shown.size() == 1)
        box.setEscapeButton(box.button(standardButton(shown.first())));

    runBox(box);

    switch (box.standardButton(box.clickedButton())) {
    case QMessageBox::Ok:
        return PromptButton::Ok;
    case QMessageBox::Cancel:
        return PromptButton::Cancel;
    case QMessageBox::Yes:
        return PromptButton::Yes;
    case QMessageBox::No:
        return PromptButton::No;
    default:
        return dismissed;
    }
}

int WidgetPrompter::choose(const QString &caption, const QString &text, const QStringList &choices)
{
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::NoButton, m_dialogParent);
    QList<QPushButton *> buttons;
    for (const QString &choice : choices)
        buttons << box.addButton(choice, QMessageBox::AcceptRole);
    QPushButton *cancel = box.addButton(buttonText(PromptButton::Cancel), QMessageBox::RejectRole);
    box.setDefaultButton(buttons.isEmpty() ? cancel : buttons.first());
    box.setEscapeButton(cancel);
    runBox(box);
    return static_cast<int>(buttons.indexOf(qobject_cast<QPushButton *>(box.clickedButton())));
}

void WidgetPrompter::inform(const QString &caption, const QString &text)
{
    QMessageBox box(QMessageBox::Information, caption, text, QMessageBox::NoButton, m_dialogParent);
    addButtons(box, {PromptButton::Ok});
    box.setEscapeButton(box.button(QMessageBox::Ok));
    runBox(box);
}

void WidgetPrompter::showMessageWindow(const QString &text)
{
    MessageWindow::showMessageWindow(m_state, m_area, text);
}

void WidgetPrompter::retrigger()
{
    if (m_state)
        postRequest(m_state->messageWindow, Request::Retrigger);
}

void WidgetPrompter::showTimedMessage(const QString &caption, const QString &text, int ms)
{
    CountdownBox::showTimedMessage(caption, text, ms, m_dialogParent);
}

void WidgetPrompter::runBox(QMessageBox &box)
{
    box.exec();
}

} // namespace torvel
