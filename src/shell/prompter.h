#pragma once
// How core code asks and tells the user. The desktop program shows real dialogs and
// message windows, the tests script the answers, the command-line tool answers from its
// flags and prints the texts.

#include <QList>
#include <QString>
#include <QStringList>

namespace torvel {

enum class PromptButton { Ok, Cancel, Yes, No };

class Prompter
{
public:
    virtual ~Prompter() = default;

    // A modal question; returns the button chosen (Cancel or No when the box is dismissed).
    virtual PromptButton ask(const QString &caption, const QString &text, const QList<PromptButton> &buttons) = 0;
    // A modal question answered by one of `choices` (button texts) or "Abbrechen": the index
    // chosen, -1 for "Abbrechen" or a dismissed box. Without buttons of their own, prompters
    // ask Yes (the first), No (the second) or Cancel, the choices named in the text.
    virtual int choose(const QString &caption, const QString &text, const QStringList &choices)
    {
        QString named = text;
        const QStringList keys{QStringLiteral("Ja"), QStringLiteral("Nein")};
        for (int i = 0; i < choices.size() && i < keys.size(); ++i)
            named += QStringLiteral("\r\n") + keys.at(i) + QStringLiteral(": ") + choices.at(i);
        switch (ask(caption, named, {PromptButton::Yes, PromptButton::No, PromptButton::Cancel})) {
        case PromptButton::Yes:
            return choices.isEmpty() ? -1 : 0;
        case PromptButton::No:
            return choices.size() < 2 ? -1 : 1;
        default:
            return -1;
        }
    }
    // A modal message with an OK button.
    virtual void inform(const QString &caption, const QString &text) = 0;
    // A one-line progress or error text that closes by itself (the message window).
    virtual void showMessageWindow(const QString &text) = 0;
    // Keeps the newest message window open longer.
    virtual void retrigger() = 0;
    // A box of up to four red lines that closes itself after `ms` (0 = 10000 ms).
    virtual void showTimedMessage(const QString &caption, const QString &text, int ms) = 0;
};

} // namespace torvel
