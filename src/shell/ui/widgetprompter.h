#pragma once
// The desktop program's Prompter: questions and messages as German message boxes, the
// message window in the MDI area, timed warnings as boxes of their own.

#include "shell/prompter.h"

#include <QPointer>

class QMdiArea;
class QMessageBox;
class QWidget;

namespace torvel {

class AppState;

class WidgetPrompter : public Prompter
{
public:
    // `area` holds the message windows (top-level windows when null); message boxes and
    // timed boxes belong to `dialogParent`.
    WidgetPrompter(AppState *state, QMdiArea *area, QWidget *dialogParent);

    PromptButton ask(const QString &caption, const QString &text, const QList<PromptButton> &buttons) override;
    int choose(const QString &caption, const QString &text, const QStringList &choices) override;
    void inform(const QString &caption, const QString &text) override;
    void showMessageWindow(const QString &text) override;
    void retrigger() override;
    void showTimedMessage(const QString &caption, const QString &text, int ms) override;

    // "&Ja", "&Nein", "Abbrechen", "OK".
    static QString buttonText(PromptButton button);

protected:
    // Runs the finished box until a button is chosen. Tests override it to look at the box
    // and click a button without a nested event loop.
    virtual void runBox(QMessageBox &box);

private:
    AppState *m_state;
    QPointer<QMdiArea> m_area;
    QPointer<QWidget> m_dialogParent;
};

} // namespace torvel
