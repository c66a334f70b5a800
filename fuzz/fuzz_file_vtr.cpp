// A .vtr Torvel record file, opened as the record page does (CRC question answered Yes).
#include "fuzzsupport.h"

#include "shell/prompter.h"
#include "torvel2/recordfile.h"

#include <QTemporaryDir>

using namespace torvel;

namespace {
class YesPrompter : public Prompter
{
public:
    PromptButton ask(const QString &, const QString &, const QList<PromptButton> &) override { return PromptButton::Yes; }
    void inform(const QString &, const QString &) override {}
    void showMessageWindow(const QString &) override {}
    void retrigger() override {}
    void showTimedMessage(const QString &, const QString &, int) override {}
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::ensureApplication();
    static QTemporaryDir logs;
    YesPrompter prompter;
    TorvelRecord record;
    const RecordOpen outcome =
        openRecordFile(fuzz::asFile(data, size, QStringLiteral("input.vtr")), record, prompter, {logs.path()});
    // An opened record holds no value outside its limits; a failed one holds no programs.
    if (outcome == RecordOpen::Opened) {
        for (const ConfigParameter &p : record.configuration.parameters)
            if (p.minimum <= p.maximum && (p.value < p.minimum || p.value > p.maximum))
                __builtin_trap();
    } else if (!record.NoRecordLoaded || !record.names[0].isEmpty()) {
        __builtin_trap();
    }
    return 0;
}
