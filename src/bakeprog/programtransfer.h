#pragma once
// Receiving and sending the bake programs of one oven. The list window and torvelctl run
// this same code; they differ only in how they show progress and answer questions.

#include <QString>
#include <optional>

namespace torvel {

class AppState;
class CommandEngine;
class Prompter;
class SheetModel;

// What a transfer tells whoever shows it.
class ProgramTransferView
{
public:
    virtual ~ProgramTransferView() = default;
    virtual void setStep(const QString &) {}
    virtual void setNumber(int) {}
    virtual void setProgress(int /*value*/, int /*maximum*/) {}
};

// 99 or 11 programs, judged from the software version; nullopt when the controller did not
// answer three tries (the caller shows the message).
std::optional<int> QueryProgramCapacity(CommandEngine &engine, int oven);

// One *read name n* (100 ms, 120 on a retry): the name converted from the display set, or
// nullopt when the reply was no checked 14-byte name. The list window and the operating data
// read both ask for names this way.
std::optional<QString> ReadProgramName(CommandEngine &engine, int n, bool retry);

inline const QString kNotReachableCaption = QStringLiteral("ACHTUNG");
inline const QString kNotReachableText = QStringLiteral("Torvel nicht erreichbar\r\nBitte Versuchen sie es nochmals.");
inline const QString kSendAborted = QStringLiteral("ERR: Übertragung wurde abgebrochen!");

// How a transfer ended, for the status line: "99 Backprogramme von Ofen 3 gelesen.",
// "Senden abgebrochen.".
QString receiveOutcome(int received, int first, int last, int oven, bool aborted);
QString sendOutcome(int first, int last, int oven, bool sent);
// Why the controller could not be reached: the port's reason when it did not open.
QString notReachableText(const CommandEngine &engine);

class ProgramTransfer
{
public:
    ProgramTransfer(AppState &state, CommandEngine &engine, Prompter &prompter, SheetModel &record,
                    ProgramTransferView *view = nullptr);

    // Failed addressing and announce frames do not use up a try (service function).
    void setRetrytest(bool on) { m_retrytest = on; }

    // Reads names, then values, of programs first..last into the record; every other row is
    // emptied. A program that fails keeps an "ERR:" marker; so does every row an abort left
    // unfinished. Returns the number of programs whose name and values both arrived.
    int receive(int oven, int first, int last);

    // The warning about absent and faulty programs in first..last; empty when there is none.
    QString sendWarning(int first, int last) const;

    // Sends programs first..last. False when the send was aborted (by the warning, the
    // Abbrechen button or a program that failed five tries).
    bool send(int oven, int first, int last);

    // Whether the last receive or send was ended early (Abbrechen, the warning, a lost line).
    bool aborted() const { return m_aborted; }

private:
    bool address(int oven, int timeoutMs);
    bool readName(int n, bool retry, QString *name);
    bool readValues(int n, bool retry, QByteArray *values);
    bool sendPart(int oven, int n, bool names);
    void step(const QString &text);
    void number(int n);
    void advance(int by);

    AppState &m_state;
    CommandEngine &m_engine;
    Prompter &m_prompter;
    SheetModel &m_record;
    ProgramTransferView *m_view;
    bool m_retrytest = false;
    bool m_aborted = false;
    int m_progress = 0;
    int m_progressMax = 0;
};

} // namespace torvel
