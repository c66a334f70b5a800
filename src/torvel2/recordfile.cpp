#include "recordfile.h"

#include "configurationfile.h"
#include "filecrc.h"
#include "recordtexts.h"

#include "clock/clocktexts.h"
#include "shell/profilefile.h"
#include "shell/prompter.h"
#include "shell/textlines.h"
#include "tables/gradientsection.h"
#include "tables/readysection.h"
#include "tables/readyvalidate.h"

namespace torvel {

namespace {
const QString kProgramsTitle = QStringLiteral("[Backprogramme Torvel:]");
const QString kNightsTitle = QStringLiteral("[Nachtstarts Torvel:]");
const QString kGradientTitle = QStringLiteral("[Steigungstabelle:]");
const QString kReadyTitle = QStringLiteral("[Bereittabelle:]");

QString twoDigits(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

bool unsavable(const QString &text, bool semicolonToo)
{
    return (semicolonToo && text.contains(QLatin1Char(';'))) || text.contains(QLatin1Char('\r'))
           || text.contains(QLatin1Char('\n'));
}

QByteArray textPart(const TorvelRecord &record)
{
    TextLineWriter file;
    file.writeLine(kProgramsTitle);
    for (int n = 1; n <= kRecordPrograms; ++n)
        file.writeLine(QStringLiteral("Name") + twoDigits(n) + QLatin1Char(';') + record.names[n - 1]
                       + QLatin1Char(';'));
    for (int n = 1; n <= kRecordPrograms; ++n) {
        QString line = QStringLiteral("Prg") + twoDigits(n) + QLatin1Char(';');
        for (const QString &field : record.values[n - 1])
            line += field + QLatin1Char(';');
        file.writeLine(line);
    }
    file.writeLine(kNightsTitle);
    for (int d = 0; d < kRecordNightDays; ++d) {
        QString line = dayName(d) + QLatin1Char(';');
        for (const QString &entry : record.nightStarts[d])
            line += entry + QLatin1Char(';');
        file.writeLine(line);
    }
    file.writeLine(kGradientTitle);
    WriteGradientSection(file, record.gradient);
    file.writeLine(kReadyTitle);
    WriteReadySection(file, record.ready);
    return file.bytes();
}

// Reads the text part line by line. Every deviation is noted (the first in `problem`), but the
// reading goes on to the end of the day lines, as far as the file goes.
class TextPartReader
{
public:
    TextPartReader(TextLineReader &file, TorvelRecord &record, QString *problem)
        : m_file(file), m_record(record), m_problem(problem)
    {
    }

    bool failed() const { return m_failed; }
    // A table section that named its own problem.
    void markFailed() { m_failed = true; }
    void deviation(const QString &line, const QString &why)
    {
        if (!m_failed && m_problem)
            *m_problem = QStringLiteral("Zeile %1 \"%2\": %3").arg(m_file.lineNumber()).arg(line.left(80), why);
        m_failed = true;
    }
    QString nextLine()
    {
        QString line;
        if (!m_file.readLine(&line))
            deviation(line, QStringLiteral("Datei zu kurz"));
        return line;
    }
    void expectLine(const QString &expected)
    {
        const QString line = nextLine();
        if (line != expected)
            deviation(line, QStringLiteral("erwartet %1").arg(expected));
    }

    // After `prefix`, `count` fields each ended by ";" into `fields`; nothing may remain.
    template <typename Fields>
    void fieldLine(const QString &prefix, int count, Fields &fields)
    {
        const QString line = nextLine();
        if (!line.startsWith(prefix)) {
            deviation(line, QStringLiteral("erwartet %1").arg(prefix));
            return;
        }
        qsizetype pos = prefix.size();
        for (int i = 0; i < count; ++i) {
            const qsizetype semi = line.indexOf(QLatin1Char(';'), pos);
            if (semi < 0) {
                deviation(line, QStringLiteral("\";\" fehlt"));
                return;
            }
            fields[static_cast<std::size_t>(i)] = line.mid(pos, semi - pos);
            pos = semi + 1;
        }
        if (pos != line.size())
            deviation(line, QStringLiteral("Text nach dem letzten \";\""));
    }

    void read()
    {
        expectLine(kProgramsTitle);
        for (int n = 1; n <= kRecordPrograms; ++n) {
            std::array<QString, 1> name;
            fieldLine(QStringLiteral("Name") + twoDigits(n) + QLatin1Char(';'), 1, name);
            m_record.names[n - 1] = name[0];
        }
        for (int n = 1; n <= kRecordPrograms; ++n)
            fieldLine(QStringLiteral("Prg") + twoDigits(n) + QLatin1Char(';'), kRecordValueFields,
                      m_record.values[n - 1]);
        expectLine(kNightsTitle);
        for (int d = 0; d < kRecordNightDays; ++d)
            fieldLine(dayName(d) + QLatin1Char(';'), kRecordNightEntries, m_record.nightStarts[d]);
    }

private:
    TextLineReader &m_file;
    TorvelRecord &m_record;
    QString *m_problem;
    bool m_failed = false;
};

// The lines of the ready section: up to the first ini section header (the configuration).
QByteArray readySectionLines(TextLineReader &file, QByteArray *configuration)
{
    TextLineWriter section;
    TextLineWriter rest;
    QString line;
    bool inRest = false;
    while (file.readLine(&line)) {
        inRest = inRest || line.startsWith(QLatin1Char('['));
        (inRest ? rest : section).writeLine(line);
    }
    *configuration = rest.bytes();
    return section.bytes();
}
} // namespace

QString unsavableRecordField(const TorvelRecord &record)
{
    for (int n = 1; n <= kRecordPrograms; ++n) {
        if (unsavable(record.names[n - 1], true))
            return QStringLiteral("Name von Backprogramm %1 enthält \";\" oder einen Zeilenumbruch.").arg(n);
        for (int f = 1; f <= kRecordValueFields; ++f)
            if (unsavable(record.values[n - 1][f - 1], true))
                return QStringLiteral("Wert %1 von Backprogramm %2 enthält \";\" oder einen Zeilenumbruch.")
                    .arg(f)
                    .arg(n);
    }
    for (int d = 0; d < kRecordNightDays; ++d)
        for (const QString &entry : record.nightStarts[d])
            if (unsavable(entry, true))
                return QStringLiteral("Nachtstart am %1 enthält \";\" oder einen Zeilenumbruch.").arg(dayName(d));
    if (unsavable(record.configuration.version, false))
        return QStringLiteral("Die Version der Konfiguration enthält einen Zeilenumbruch.");
    for (const ConfigParameter &p : record.configuration.parameters)
        if (unsavable(p.text, false))
            return QStringLiteral("Ein Parametertext der Konfiguration enthält einen Zeilenumbruch.");
    return {};
}

QByteArray recordFileContent(const TorvelRecord &record)
{
    ProfileFile file(textPart(record));
    WriteConfiguration(false, file, record.configuration);
    return withCrcLine(file.content());
}

bool saveRecordFile(const QString &fileName, const TorvelRecord &record, QString *error)
{
    if (record.NoRecordLoaded) {
        *error = recordtext::kReadOrOpenFirst;
        return false;
    }
    const QString why = unsavableRecordField(record);
    if (!why.isEmpty()) {
        *error = recordtext::kSaveFailed + QStringLiteral("\r\n") + why;
        return false;
    }
    QString reason;
    if (!writeTextFile(fileName, recordFileContent(record), &reason)) {
        *error = recordtext::kSaveFailed + QStringLiteral("\r\n") + reason;
        return false;
    }
    return true;
}

RecordOpen openRecordFile(const QString &fileName, TorvelRecord &record, Prompter &prompter,
                          const RecordOpenOptions &options, QString *problem)
{
    record.NoRecordLoaded = true;
    record.clearProgramsAndNights();
    const auto failWith = [&](RecordOpen outcome) {
        record.NoRecordLoaded = true;
        record.clearProgramsAndNights();
        prompter.inform(recordtext::kError, recordtext::kLoadFailed);
        return outcome;
    };

    QByteArray content;
    QString reason;
    if (!readTextFile(fileName, kRecordFileMaxBytes, &content, &reason)) {
        prompter.inform(recordtext::kError, recordtext::kCrcNotComputed);
        if (problem)
            *problem = reason;
        return failWith(RecordOpen::Unreadable);
    }
    const CrcCheck crc = checkCrcContent(content);
    if (crc == CrcCheck::NoCrcLine)
        prompter.inform(QStringLiteral("Error"), recordtext::kCrcLineMissing);
    if (crc != CrcCheck::Good
        && prompter.ask(recordtext::kWarnung, recordtext::kCrcQuestion,
                        {PromptButton::Yes, PromptButton::No, PromptButton::Cancel})
               != PromptButton::Yes)
        return failWith(RecordOpen::CrcDeclined);

    TextLineReader file(content);
    TextPartReader text(file, record, problem);
    text.read();
    if (!text.failed()) {
        const QString title = text.nextLine();
        if (title != kGradientTitle)
            text.deviation(title, QStringLiteral("erwartet %1").arg(kGradientTitle));
    }
    if (!text.failed()) {
        bool failed = false;
        ReadGradientSection(file, failed, record.gradient, problem);
        if (failed)
            text.markFailed();
    }
    QByteArray configuration;
    if (!text.failed()) {
        const QString title = text.nextLine();
        if (title != kReadyTitle)
            text.deviation(title, QStringLiteral("erwartet %1").arg(kReadyTitle));
    }
    if (!text.failed()) {
        TextLineReader section(readySectionLines(file, &configuration));
        bool failed = false;
        ReadReadySection(section, record.ReadyBlockRead, record.ready, failed, problem);
        if (failed) {
            text.markFailed();
        } else {
            QString report;
            if (ValidateReadyTable(record.ready, report, options.logFolder))
                prompter.inform(recordtext::kAchtung, report);
        }
    }
    if (text.failed())
        return failWith(RecordOpen::Deviates);

    QString message;
    if (ReadConfiguration(ProfileFile(configuration), record.configuration, message, options.logFolder, &prompter)
        != kConfigOk) {
        prompter.inform(recordtext::kFehler, QStringLiteral("Achtung:\r\n") + message);
        if (problem)
            *problem = message;
        return failWith(RecordOpen::ConfigRejected);
    }
    record.NoRecordLoaded = false;
    return RecordOpen::Opened;
}

} // namespace torvel
