#include "cliprompter.h"

namespace torvel::cli {

void CliPrompter::print(const QString &caption, const QString &text)
{
    QString flat = text;
    flat.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
    if (!caption.isEmpty())
        m_err << caption << ": ";
    m_err << flat << Qt::endl;
}

PromptButton CliPrompter::ask(const QString &caption, const QString &text, const QList<PromptButton> &buttons)
{
    print(caption, text);
    // --yes goes on: Yes, or OK where the question offers OK and Cancel.
    const PromptButton answer = m_yes && buttons.contains(PromptButton::Yes)  ? PromptButton::Yes
                                : m_yes && buttons.contains(PromptButton::Ok) ? PromptButton::Ok
                                : buttons.contains(PromptButton::No)          ? PromptButton::No
                                                                              : PromptButton::Cancel;
    const bool goesOn = answer == PromptButton::Yes || answer == PromptButton::Ok;
    m_err << (goesOn ? "-> Ja (--yes)" : "-> Nein (ohne --yes)") << Qt::endl;
    return answer;
}

void CliPrompter::inform(const QString &caption, const QString &text)
{
    print(caption, text);
}

void CliPrompter::showMessageWindow(const QString &text)
{
    print(QString(), text);
}

void CliPrompter::showTimedMessage(const QString &caption, const QString &text, int)
{
    print(caption, text);
}

} // namespace torvel::cli
