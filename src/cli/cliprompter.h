#pragma once
// Questions and messages on the command line: questions are answered from --yes, every
// text goes to standard error.

#include "shell/prompter.h"

#include <QTextStream>

namespace torvel::cli {

class CliPrompter : public Prompter
{
public:
    CliPrompter(QTextStream &err, bool yes) : m_err(err), m_yes(yes) {}

    PromptButton ask(const QString &caption, const QString &text, const QList<PromptButton> &buttons) override;
    void inform(const QString &caption, const QString &text) override;
    void showMessageWindow(const QString &text) override;
    void retrigger() override {}
    void showTimedMessage(const QString &caption, const QString &text, int ms) override;

private:
    void print(const QString &caption, const QString &text);

    QTextStream &m_err;
    bool m_yes;
};

} // namespace torvel::cli
