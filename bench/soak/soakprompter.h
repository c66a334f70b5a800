#pragma once
// The soak's user: says Yes to every question (a send goes on past its warning) and counts
// every message, so a failure that only a message tells is still counted as reported.

#include "shell/prompter.h"

#include <QString>

namespace torvel::soak {

class SoakPrompter : public Prompter
{
public:
    PromptButton ask(const QString &, const QString &text, const QList<PromptButton> &) override
    {
        note(text);
        return PromptButton::Yes;
    }
    void inform(const QString &caption, const QString &text) override { note(caption + QStringLiteral(": ") + text); }
    void showMessageWindow(const QString &text) override { note(text); }
    void retrigger() override {}
    void showTimedMessage(const QString &caption, const QString &text, int) override
    {
        note(caption + QStringLiteral(": ") + text);
    }

    // Messages since the last call; the transfer's last one in *last.
    int take(QString *last = nullptr)
    {
        if (last)
            *last = m_last;
        m_last.clear();
        return std::exchange(m_count, 0);
    }

private:
    void note(const QString &text)
    {
        ++m_count;
        m_last = text;
    }

    int m_count = 0;
    QString m_last;
};

} // namespace torvel::soak
