// A full receive and send of 99 bake programs through a pty against torvelsim paced at
// 9600 baud: once through the transfer alone, once through the list window with its grid.
// Prints wall/wire and cpu/wall; asserts nothing.

#include "bakeprog/programsheet.h"
#include "bakeprog/programtransfer.h"
#include "bakeprog/ui/programlistwindow.h"
#include "bakeprog/ui/rangedialog.h"
#include "link/controllerlink.h"
#include "link/serialtransport.h"
#include "shell/appstate.h"
#include "shell/prompter.h"
#include "shell/sheetmodel.h"

#include "benchsupport.h"
#include "rangeaccept.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSpinBox>
#include <QTimer>

#include <cstdio>

using namespace torvel;

namespace {
class YesPrompter : public Prompter
{
public:
    PromptButton ask(const QString &, const QString &, const QList<PromptButton> &) override { return PromptButton::Yes; }
    void inform(const QString &caption, const QString &text) override
    {
        std::fprintf(stderr, "%s: %s\n", qPrintable(caption), qPrintable(text));
    }
    void showMessageWindow(const QString &text) override { std::fprintf(stderr, "%s\n", qPrintable(text)); }
    void retrigger() override {}
    void showTimedMessage(const QString &, const QString &, int) override {}
};

int complete(const SheetModel &sheet)
{
    int n = 0;
    for (int row = 1; row <= 99; ++row)
        n += isFaultyName(sheet.text(row, 1)) ? 0 : 1;
    return n;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    bench::SimProcess sim;
    if (!sim.start({QStringLiteral("--pace"), QStringLiteral("--baud"), QStringLiteral("9600")}))
        return 1;
    ControllerLink link;
    link.setTransport(std::make_unique<SerialTransport>(sim.devicePath(), sim.devicePath()));
    bench::Meter meter(link.engine());
    AppState state;
    YesPrompter prompter;

    {
        SheetModel sheet;
        setupProgramSheet(sheet);
        ProgramTransfer transfer(state, link.engine(), prompter, sheet);
        QueryProgramCapacity(link.engine(), 3);
        meter.begin();
        transfer.receive(3, 1, 99);
        meter.end();
        meter.report("transfer: receive 99 programs", complete(sheet), 9600);
        meter.begin();
        const bool sent = transfer.send(3, 1, 99);
        meter.end();
        meter.report("transfer: send 99 programs", sent ? 99 : 0, 9600);
    }

    {
        QMdiArea mdi;
        RangeDialog range;
        auto *list = new ProgramListWindow(&state, &link, &prompter, &range);
        mdi.addSubWindow(list)->show();
        mdi.resize(1000, 700);
        mdi.show();
        state.setSelectedOven(3);
        bench::acceptRangeWhenShown(range);
        meter.begin();
        list->BPrgempfangenClick();
        meter.end();
        meter.report("window: receive 99 programs (with capacity query)", complete(list->record()), 9600);
        bench::acceptRangeWhenShown(range);
        meter.begin();
        list->BPrgsendenClick();
        meter.end();
        meter.report("window: send 99 programs (with capacity query)", 99, 9600);
    }
    return 0;
}
