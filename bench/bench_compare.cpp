// Compare and "send only what changed" through a pty against torvelsim paced at 9600 baud:
// a full send of 99 programs, a send of the 3 programs edited after a read (ratio to the full
// send), and a compare of 99 programs (ratio to a plain read); once through the transfers,
// once through the list window as a technician clicks it. Prints figures; asserts nothing.

#include "bakeprog/programcompare.h"
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
#include <QElapsedTimer>
#include <QSpinBox>
#include <QTimer>

#include <cstdio>
#include <functional>

using namespace torvel;

namespace {
// Every question answered with its first offer: Yes, or "Nur geänderte Programme senden".
class YesPrompter : public Prompter
{
public:
    PromptButton ask(const QString &, const QString &, const QList<PromptButton> &) override
    {
        return PromptButton::Yes;
    }
    void inform(const QString &caption, const QString &text) override
    {
        std::fprintf(stderr, "%s: %s\n", qPrintable(caption), qPrintable(text));
    }
    void showMessageWindow(const QString &text) override { std::fprintf(stderr, "%s\n", qPrintable(text)); }
    void retrigger() override {}
    void showTimedMessage(const QString &, const QString &, int) override {}
};

double seconds(const std::function<void()> &work)
{
    QElapsedTimer clock;
    clock.start();
    work();
    return double(clock.nsecsElapsed()) / 1e9;
}

// Three programs as a technician edits them; `round` makes each round's edits new to the oven.
void editThree(SheetModel &list, int round)
{
    list.setText(4, 1, QStringLiteral("Baguette %1").arg(round));
    list.setNumber(40, 4, 20 + round);
    list.setNumber(77, 2, 180 + round);
}

void printRatio(const char *what, double part, const char *to, double whole, double goal)
{
    std::printf("%s: %.3f s, ratio to %s %.3f (goal <= %.2f)\n", what, part, to, part / whole, goal);
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
    AppState state;
    YesPrompter prompter;
    const int oven = 3;
    QueryProgramCapacity(link.engine(), oven); // opens the port outside the figures

    std::printf("transfers, 99 programs of oven %d at 9600 baud\n", oven);
    {
        SheetModel list;
        setupProgramSheet(list);
        ProgramTransfer transfer(state, link.engine(), prompter, list);
        OvenPrograms onOven;
        transfer.setWireCopy(&onOven);
        const double read = seconds([&] { transfer.receive(oven, 1, 99); });
        std::printf("plain read of 99 programs: %.3f s\n", read);
        editThree(list, 1);
        int sent = 0;
        const double changed = seconds([&] {
            const QList<int> numbers = programsToSend(list, onOven, 1, 99, state.minuteColumns);
            sent = static_cast<int>(numbers.size());
            transfer.send(oven, numbers);
        });
        const double full = seconds([&] { transfer.send(oven, 1, 99); });
        std::printf("full send of 99 programs: %.3f s\n", full);
        std::printf("(%d programs sent)\n", sent);
        printRatio("send of 3 changed programs after a read", changed, "the full send", full, 0.05);
        list.setText(4, 1, QStringLiteral("Baguette")); // one program differs for the compare
        int differing = 0;
        const double compare = seconds([&] {
            OvenPrograms copy;
            readOvenPrograms(state, link.engine(), prompter, oven, 1, 99, copy);
            const QList<ProgramDiff> diffs = compareRange(list, copy, 1, 99, state.minuteColumns);
            markDifferences(list, diffs, state.minuteColumns);
            differing = countDiffs(diffs).changed();
        });
        std::printf("(%d programs differ)\n", differing);
        printRatio("compare of 99 programs", compare, "the plain read", read, 1.02);
    }

    std::printf("\nlist window (capacity query and range dialog included)\n");
    {
        RangeDialog range;
        ProgramListWindow list(&state, &link, &prompter, &range);
        list.show();
        state.setSelectedOven(oven);
        QObject::connect(&state, &AppState::outcomeReported,
                         [](const QString &text) { std::printf("  %s\n", qPrintable(text)); });
        const auto click = [&](void (ProgramListWindow::*handler)()) {
            bench::acceptRangeWhenShown(range);
            return seconds([&] { (list.*handler)(); });
        };
        const double read = click(&ProgramListWindow::BPrgempfangenClick);
        std::printf("read of 99 programs: %.3f s\n", read);
        editThree(list.record(), 2);
        const double changed = click(&ProgramListWindow::BPrgsendenClick); // "Nur geänderte ..." chosen
        // Another oven and back: nothing is known, so the next send is the whole list.
        state.setSelectedOven(oven + 1);
        state.setSelectedOven(oven);
        const double full = click(&ProgramListWindow::BPrgsendenClick);
        std::printf("full send of 99 programs: %.3f s\n", full);
        printRatio("send of 3 changed programs after a read", changed, "the full send", full, 0.05);
        list.record().setText(4, 1, QStringLiteral("Baguette")); // one program differs for the compare
        const double compare = click(&ProgramListWindow::BPrgVergleichenClick);
        printRatio("compare of 99 programs", compare, "the read", read, 1.02);
    }
    return 0;
}
