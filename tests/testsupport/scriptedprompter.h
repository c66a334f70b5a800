#pragma once
// A Prompter for tests: records every question and message, answers from a queue.

#include "shell/prompter.h"

#include <QQueue>
#include <QStringList>

namespace torvel::test {

class ScriptedPrompter : public Prompter
{
public:
    struct Shown {
        QString kind; // "ask", "inform", "window", "timed"
        QString caption;
        QString text;
    };

    // Answers for the next questions; when empty, questions get `fallback`.
    QQueue<PromptButton> answers;
    PromptButton fallback = PromptButton::No;
    QList<Shown> shown;
    int retriggers = 0;

    PromptButton ask(const QString &caption, const QString &text, const QList<PromptButton> &) override
    {
        shown.append({QStringLiteral("ask"), caption, text});
        return answers.isEmpty() ? fallback : answers.dequeue();
    }
    void inform(const QString &caption, const QString &text) override
    {
        shown.append({QStringLiteral("inform"), caption, text});
    }
    void showMessageWindow(const QString &text) override { shown.append({QStringLiteral("window"), {}, text}); }
    void retrigger() override { ++retriggers; }
    void showTimedMessage(const QString &caption, const QString &text, int) override
    {
        shown.append({QStringLiteral("timed"), caption, text});
    }

    QStringList texts(const QString &kind) const
    {
        QStringList out;
        for (const auto &s : shown)
            if (s.kind == kind)
                out << s.text;
        return out;
    }
};

} // namespace torvel::test
