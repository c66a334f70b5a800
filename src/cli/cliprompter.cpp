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
    const PromptButton answer = m_yes && buttons.contains(PromptButton::Yes) ? PromptButton::Yes
                                : buttons.contains(PromptButton::No)         ? PromptButton::No
                                                                             : PromptButton::Cancel;
    m_err << (answer == PromptButton::Yes ? "-> Ja (--yes)" : "-> Nein (ohne --yes)") << Qt::endl;
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
