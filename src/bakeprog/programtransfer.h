#pragma once
// Receiving and sending the bake programs of one oven. The list window and torvelctl run
// this same code; they differ only in how they show progress and answer questions.

#include <QList>
#include <QString>
#include <optional>

namespace torvel {

class AppState;
class CommandEngine;
class OvenPrograms;
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

// One *read name n* (100 ms, 120 on a retry): the 14 name bytes as the controller keeps them,
// or nullopt when the reply was no checked 14-byte name. The list window, the compare and the
// operating data read all ask for names this way.
std::optional<QByteArray> ReadProgramNameBytes(CommandEngine &engine, int n, bool retry);
// The same name converted from the display set.
std::optional<QString> ReadProgramName(CommandEngine &engine, int n, bool retry);

inline const QString kNotReachableCaption = QStringLiteral("ACHTUNG");
inline const QString kNotReachableText = QStringLiteral("Torvel nicht erreichbar\r\nBitte Versuchen sie es nochmals.");
inline const QString kSendAborted = QStringLiteral("ERR: Übertragung wurde abgebrochen!");

// How a transfer ended, for the status line: "99 Backprogramme von Ofen 3 gelesen.",
// "Senden abgebrochen.".
QString receiveOutcome(int received, int first, int last, int oven, bool aborted);
QString sendOutcome(int first, int last, int oven, bool sent);
// After a send of the programs that differed: "3 Backprogramme an Ofen 3 gesendet, 96 waren
// schon gleich." (or "Senden abgebrochen.").
QString changedSendOutcome(int sent, int equal, int oven, bool ok);
// Why the controller could not be reached: the port's reason when it did not open.
QString notReachableText(const CommandEngine &engine);

class ProgramTransfer
{
public:
    ProgramTransfer(AppState &state, CommandEngine &engine, Prompter &prompter, SheetModel &record,
                    ProgramTransferView *view = nullptr);

    // Failed addressing and announce frames do not use up a try (service function).
    void setRetrytest(bool on) { m_retrytest = on; }
    // What the oven holds, kept up to date as programs arrive (receive) or are acknowledged
    // (send): the programs of the range are forgotten first, so one that fails stays unknown.
    void setWireCopy(OvenPrograms *copy) { m_copy = copy; }

    // Reads names, then values, of programs first..last into the record; every other row is
    // emptied. A program that fails keeps an "ERR:" marker; so does every row an abort left
    // unfinished. Returns the number of programs whose name and values both arrived.
    int receive(int oven, int first, int last);

    // The warning about absent and faulty programs in first..last; empty when there is none.
    QString sendWarning(int first, int last) const;

    // Sends programs first..last. False when the send was aborted (by the warning, the
    // Abbrechen button or a program that failed five tries).
    bool send(int oven, int first, int last);
    // The same for the listed programs only (ascending), e.g. those that differ.
    bool send(int oven, const QList<int> &numbers);
    QString sendWarning(const QList<int> &numbers) const;

    // Whether the last receive or send was ended early (Abbrechen, the warning, a lost line).
    bool aborted() const { return m_aborted; }

private:
    bool address(int oven, int timeoutMs);
    bool readName(int n, bool retry, QByteArray *name);
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
    OvenPrograms *m_copy = nullptr;
    bool m_retrytest = false;
    bool m_aborted = false;
    int m_progress = 0;
    int m_progressMax = 0;
};

} // namespace torvel
