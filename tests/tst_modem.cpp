// Modem access without windows: the AT lines of the set-up, the listing checks, the phone
// book file, dialling, hanging up and a lost carrier against the simulated modem pair, and
// torvelctl --dial through torvelsim --modem on a pty.

#include "simdialup.h"
#include "simline.h"
#include "simmodem.h"
#include "simmodemprofiles.h"
#include "simmodemtransport.h"
#include "simphonenet.h"
#include "testsupport/processes.h"
#include "testsupport/scriptedprompter.h"
#include "testsupport/scriptedtransport.h"

#include "link/controller.h"
#include "link/controllerlink.h"
#include "modem/modemcheck.h"
#include "modem/modeminit.h"
#include "modem/modemservice.h"
#include "modem/modemsession.h"
#include "modem/phonebook.h"
#include "shell/appstate.h"
#include "shell/transferguard.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QTest>

using namespace torvel;
using namespace torvel::sim;
using torvel::test::ScriptedPrompter;
using torvel::test::ScriptedTransport;

namespace {

constexpr int kShortModemTimeout = 60; // a silent modem costs this instead of 2000 ms

// A link through the simulated PC modem to the simulated bakery, and a session on it.
struct Rig {
    AppState state;
    ControllerLink link;
    SimDialUp *dialUp = new SimDialUp;
    ScriptedPrompter prompter;
    QTemporaryDir dir;
    QList<QByteArray> frames;
    std::unique_ptr<ModemSession> session;

    Rig()
    {
        dialUp->setTiming(SimModemTiming::fast());
        link.setTransport(std::make_unique<SimModemTransport>(dialUp));
        link.engine().settings().modemMinTimeout = kShortModemTimeout;
        QObject::connect(&link.engine(), &CommandEngine::frameSent, [this](const QByteArray &f) { frames << f; });
        session = std::make_unique<ModemSession>(state, link.engine(), prompter);
        session->options().guardTimeMs = 20;
        session->options().skipPcChecks = true;
        session->options().dir = dir.path();
    }
    ModemPort port() { return session->port(); }
    int count(const QByteArray &frame) const { return static_cast<int>(frames.count(frame)); }
};

// A line a test scripts: every write answered by the responder, nothing echoed.
struct ScriptedRig {
    AppState state;
    ControllerLink link;
    ScriptedTransport *line = new ScriptedTransport;
    ScriptedPrompter prompter;
    MemoLog errors;
    QTemporaryDir dir;

    explicit ScriptedRig(ScriptedTransport::Responder responder)
    {
        line->setEcho(false);
        line->setResponder(std::move(responder));
        link.setTransport(std::unique_ptr<Transport>(line));
        link.engine().settings().modemMinTimeout = kShortModemTimeout;
    }
    ModemPort port() { return {link.engine(), &errors}; }
};

QByteArray ok(const QByteArray &)
{
    return "\r\nOK\r\n";
}

QByteArray listingOf(void (*configure)(SimModem &), bool nvram)
{
    SimModem modem;
    configure(modem);
    return nvram ? nvramListingFirstPage(modem.stored(0)) + nvramListingSecondPage(modem.stored(1))
                 : currentListing(modem.settings(), false, "T0815");
}

// What a modem says to typed bytes, once it has said something ending in `last`.
QByteArray talk(SimModem &modem, const QByteArray &typed, const QByteArray &last)
{
    QByteArray heard;
    QObject::connect(&modem, &SimModem::toDte, &modem, [&heard](const QByteArray &b) { heard += b; });
    modem.fromDte(typed);
    if (!QTest::qWaitFor([&] { return heard.endsWith(last); }, 2000))
        heard += "<no end>";
    QObject::disconnect(&modem, &SimModem::toDte, &modem, nullptr);
    return heard;
}

const QString kPcHeading = QStringLiteral("Aktuelle Einstellungen des Modems\r\nentsprechen nicht der für den Sende-PC\r\n"
                                          "erforderlichen Konfiguration!!!\r\n\r\nFehler bei\r\n");

} // namespace

class TestModem : public QObject
{
    Q_OBJECT

private slots:
    // --- setting up and checking a modem ----------------------------------------------

    void initialiseWritesTheProfileThatTheChecksFind_data()
    {
        QTest::addColumn<bool>("torvel");
        QTest::addColumn<QByteArray>("basicLine");
        QTest::addColumn<QByteArray>("firstRegisterLine");
        QTest::addColumn<QByteArray>("beforeStore");
        QTest::newRow("pc") << false << QByteArray("ATB0E1F1L0M1Q0V1X4Y0\r")
                            << QByteArray("ATS00=000S01=000S02=043S03=013S04=010S05=008S06=004\r")
                            << QByteArray("ATS41=004S42=010\r");
        QTest::newRow("torvel") << true << QByteArray("ATB0E0F1L2M0Q0V1X0Y0\r")
                                << QByteArray("ATS00=002S01=000S02=043S03=013S04=010S05=008S06=004\r")
                                << QByteArray("ATQ1\r");
    }
    void initialiseWritesTheProfileThatTheChecksFind()
    {
        QFETCH(bool, torvel);
        QFETCH(QByteArray, basicLine);
        QFETCH(QByteArray, firstRegisterLine);
        QFETCH(QByteArray, beforeStore);
        Rig rig;
        rig.dialUp->pcModem().configure("ATZ3"); // factory settings
        const ModemKind kind = torvel ? ModemKind::Torvel : ModemKind::Pc;
        QVERIFY(InitialiseModem(rig.port(), kind));
        const QList<QByteArray> expectedStart = {"ATE0F1Q0\r", basicLine,
                                                 torvel ? QByteArray("AT&A0&B1&C1&D0&H0&I0&K1&M4&N0&P0&R1&S0&U0&Y1\r")
                                                        : QByteArray("AT&A0&B1&C1&D2&H0&I0&K1&M4&N0&P0&R1&S0&U0&Y1\r"),
                                                 firstRegisterLine};
        QCOMPARE(rig.frames.mid(0, 4), expectedStart);
        QCOMPARE(rig.frames.size(), torvel ? 11 : 10); // 37 registers in lines of seven
        QCOMPARE(rig.frames.at(rig.frames.size() - 2), beforeStore);
        QCOMPARE(rig.frames.last(), QByteArray("AT&W0\r"));

        const ModemCheckPair checks = CheckModem(rig.port(), kind, false, rig.dir.path());
        QCOMPARE(checks.current.text, torvel ? QStringLiteral("Aktuelle Einstellungen des Modems für Torvel sind korrekt!")
                                             : QStringLiteral("Aktuelle Einstellungen des Modems für den Sende-PC sind korrekt!"));
        QVERIFY2(checks.nvram.code == ModemSettingsCorrect, qPrintable(checks.nvram.text));
        QFile nvram(rig.dir.filePath(torvel ? "Modemantwort_NVR.txt" : "Modemantwort_PC_NVR.txt"));
        QVERIFY(nvram.open(QIODevice::ReadOnly));
        QVERIFY(nvram.readAll().contains("Strike a key when ready . . .\r\n\r\n   Template Y1"));
    }

    void aRefusedStepKeepsTheStoredProfile_data()
    {
        QTest::addColumn<QByteArray>("refused");
        QTest::addColumn<QString>("logged");
        QTest::addColumn<int>("writes");
        QTest::newRow("first command, twice") << QByteArray("ATE0") << "InitError 01" << 2;
        QTest::newRow("& table") << QByteArray("AT&A0") << "InitError 03" << 3;
    }
    void aRefusedStepKeepsTheStoredProfile()
    {
        QFETCH(QByteArray, refused);
        QFETCH(QString, logged);
        QFETCH(int, writes);
        ScriptedRig rig([refused](const QByteArray &w) { return w.startsWith(refused) ? QByteArray("\r\nERROR\r\n") : ok(w); });
        QVERIFY(!InitialiseModem(rig.port(), ModemKind::Pc));
        QCOMPARE(rig.line->writes().size(), writes);
        QVERIFY(!rig.line->writes().contains("AT&W0\r"));
        QVERIFY(rig.errors.lines().last().endsWith(QLatin1Char(':') + logged));
    }

    void listingsAreComparedItemByItemInOrder_data()
    {
        QTest::addColumn<bool>("torvel");
        QTest::addColumn<bool>("take38400");
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("to");
        QTest::addColumn<QString>("text");
        QTest::newRow("pc correct") << false << false << QByteArray() << QByteArray()
                                    << "Aktuelle Einstellungen des Modems für den Sende-PC sind korrekt!";
        QTest::newRow("two items swapped") << false << false << QByteArray("B0  E1") << QByteArray("E1  B0")
                                           << kPcHeading + "H_Standard:Err-E1\r\n";
        QTest::newRow("pc must show Q0") << false << false << QByteArray("Q0") << QByteArray("Q1")
                                         << kPcHeading + "H_Standard:Err-Q0\r\n";
        QTest::newRow("torvel shows Q1") << true << false << QByteArray() << QByteArray()
                                         << "Aktuelle Einstellungen des Modems für Torvel sind korrekt!";
        QTest::newRow("torvel showing Q0")
            << true << false << QByteArray("Q1") << QByteArray("Q0")
            << "Aktuelle Einstellungen des Modems\r\nentsprechen nicht der für Torvel\r\nerforderlichen "
               "Konfiguration!!!\r\n\r\nFehler bei\r\nH_Standard:Err-Q1\r\n";
        QTest::newRow("38400 wanted") << false << true << QByteArray() << QByteArray()
                                      << kPcHeading + "COMPort-String\r\n";
        QTest::newRow("registers missing") << false << false << QByteArray("S41=004  S42=010") << QByteArray()
                                           << kPcHeading + "S-Register:Err-S41=004Err-S42=010\r\n";
    }
    void listingsAreComparedItemByItemInOrder()
    {
        QFETCH(bool, torvel);
        QFETCH(bool, take38400);
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        QFETCH(QString, text);
        QByteArray listing = listingOf(torvel ? configureTorvelModem : configurePcModem, false);
        if (!from.isEmpty())
            listing.replace(from, to);
        const ModemCheck check =
            compareModemListing(torvel ? ModemKind::Torvel : ModemKind::Pc, ModemListing::Current, take38400, listing);
        QCOMPARE(check.text, text);
        QCOMPARE(check.code, text.contains(QLatin1String("korrekt")) ? 0 : 1);
    }

    void nvramListingLeavesOutTheExcludedItems()
    {
        const QByteArray listing = listingOf(configurePcModem, true);
        QVERIFY(!listing.contains("S01=") && !listing.contains("S16=") && !listing.contains("S18="));
        QCOMPARE(compareModemListing(ModemKind::Pc, ModemListing::Nvram, false, listing).text,
                 QStringLiteral("NVRAM-Einstellungen des Modems für den Sende-PC sind korrekt!"));
    }

    void onlyTheStoredProfileCounts()
    {
        SimModem modem; // profile 0 wrong in one item, profile 1 right
        configurePcModem(modem);
        modem.stored(1) = modem.stored(0);
        modem.stored(0).basic['L'] = 2;
        ScriptedRig rig([&modem](const QByteArray &w) {
            return w == "ATI5\r" ? nvramListingFirstPage(modem.stored(0)) : nvramListingSecondPage(modem.stored(1)) + ok(w);
        });
        const ModemCheck check = CheckModemSettings(rig.port(), ModemKind::Pc, ModemListing::Nvram, false, rig.dir.path());
        QCOMPARE(check.text, QStringLiteral("NVRAM-Einstellungen des Modems\r\nentsprechen nicht der für den Sende-PC \r\n"
                                            "erforderlichen Konfiguration!!!\r\n\r\nFehler bei\r\nH_Standard:Err-L0\r\n"));
        QVERIFY(check.listing.endsWith("\r\nOK\r\n")); // both pages kept
    }

    void aSilentModemIsNoAnswerWithoutAdvice()
    {
        ScriptedRig rig([](const QByteArray &) { return QByteArray(); });
        const ModemCheck nvram = CheckModemSettings(rig.port(), ModemKind::Pc, ModemListing::Nvram, false, rig.dir.path());
        QCOMPARE(nvram.code, int(ModemNoAnswer));
        QCOMPARE(nvram.text, QStringLiteral("Keine Antwort vom Modem"));
        QCOMPARE(rig.line->writes(), QList<QByteArray>{"ATI5\r"}); // no blank for a second page
        QVERIFY(QFile::exists(rig.dir.filePath("Modemantwort_PC_NVR.txt")));

        ModemCheckPair pair;
        pair.current = compareModemListing(ModemKind::Pc, ModemListing::Current, true, listingOf(configurePcModem, false));
        pair.nvram = nvram;
        QCOMPARE(dialWarningText(pair),
                 kPcHeading + "COMPort-String\r\n\r\nBitte erneut konfigurieren!!!\r\nKeine Antwort vom Modem\r\n\r\n"
                              "Eine Verbindung zum Torvel kann\r\nmit diesen Einstellungen fehlerhaft sein!!\r\n\r\n"
                              "Wollen sie dennoch eine Verbindung aufbauen?");
        QString caption;
        QVERIFY(checkReportText(pair, false, &caption).contains("\r\nBitte entsprechend konfigurieren!!!\r\nKeine"));
        QCOMPARE(caption, QStringLiteral("WARNUNG"));
    }

    void simulatedModemAnswersAsTold_data()
    {
        QTest::addColumn<QByteArray>("typed");
        QTest::addColumn<QByteArray>("heard");
        QTest::newRow("echo and OK") << QByteArray("xAT\r") << QByteArray("xAT\r\r\nOK\r\n");
        QTest::newRow("numeric results") << QByteArray("ATE0V0\r") << QByteArray("ATE0V0\r0\r");
        QTest::newRow("register") << QByteArray("ATE0S7=45S7?\r") << QByteArray("ATE0S7=45S7?\r\r\n045\r\n\r\nOK\r\n");
        QTest::newRow("unknown command") << QByteArray("ATE0J\r") << QByteArray("ATE0J\r\r\nERROR\r\n");
    }
    void simulatedModemAnswersAsTold()
    {
        QFETCH(QByteArray, typed);
        QFETCH(QByteArray, heard);
        SimModem modem;
        QCOMPARE(talk(modem, typed, heard.right(2)), heard);
    }

    void simulatedModemPausesItsNvramListing()
    {
        SimModem modem;
        modem.configure("ATE0");
        const QByteArray first = talk(modem, "ATI5\r", "Strike a key when ready . . .\r\n");
        QVERIFY(first.startsWith("\r\nU.S. Robotics 56K FAX EXT NVRAM Settings...\r\n"));
        QVERIFY(!first.contains("OK"));
        QVERIFY(talk(modem, " ", "\r\nOK\r\n").startsWith("\r\n   Template Y1\r\n"));
    }

    // --- the phone book -----------------------------------------------------------------

    void phoneBookFileRoundTrip()
    {
        QTemporaryDir dir;
        const QString file = phoneBookPath(dir.path());
        PhoneBook book;
        QVERIFY(loadPhoneBook(file, &book)); // missing: an empty book
        QVERIFY(book.isEmpty());
        const PhoneBook written = {{"Bäckerei Huber", "0815"}, {"", "1"}, {"Filiale", "*91,0711"}};
        QCOMPARE(savePhoneBook(file, written), PhoneBookSaveError::None);
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("[Telefonnummern]\r\nB\xE4" "ckerei Huber=0815\r\nFiliale=*91,0711\r\n"));
        f.close();
        QVERIFY(loadPhoneBook(file, &book));
        QCOMPARE(book, (PhoneBook{{"Bäckerei Huber", "0815"}, {"Filiale", "*91,0711"}}));
        QCOMPARE(numberForName(book, "Filiale"), QStringLiteral("*91,0711"));
        QCOMPARE(numberForName(book, "Nirgends"), QStringLiteral("ERROR"));
        QCOMPARE(numberForName({{"Leer", ""}}, "Leer"), QStringLiteral("ERROR"));

        // Comment lines and a second key of a name are no entries.
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[Telefonnummern]\r\n;alt=1\r\nA=1\r\na=2\r\n");
        f.close();
        QVERIFY(loadPhoneBook(file, &book));
        QCOMPARE(book, (PhoneBook{{"A", "1"}}));
    }

    void unreadableOrReadOnlyPhoneBook()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(kPhoneBookFileName));
        PhoneBook book{{"bleibt", "1"}};
        QVERIFY(!loadPhoneBook(phoneBookPath(dir.path()), &book));
        QCOMPARE(book.size(), 1);
        QCOMPARE(phoneBookSaveMessage(savePhoneBook(phoneBookPath(dir.path()), book)),
                 QStringLiteral("TBError03\r\nTelefonverzeichnis Telefonbuch.ini\r\nkann nicht geschrieben werden!"));
    }

    void entryNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("editedRow");
        QTest::addColumn<int>("problem");
        QTest::newRow("new name") << "Neu" << -1 << int(EntryNameProblem::None);
        QTest::newRow("equals sign") << "A=B" << -1 << int(EntryNameProblem::Invalid);
        QTest::newRow("comment") << ";A" << -1 << int(EntryNameProblem::Invalid);
        QTest::newRow("section") << "[A" << -1 << int(EntryNameProblem::Invalid);
        QTest::newRow("empty") << "  " << -1 << int(EntryNameProblem::Invalid);
        QTest::newRow("not in the file's letters") << "漢字" << -1 << int(EntryNameProblem::Invalid);
        QTest::newRow("case and blanks") << " filiale " << -1 << int(EntryNameProblem::Duplicate);
        QTest::newRow("own name when edited") << "Filiale" << 1 << int(EntryNameProblem::None);
        QTest::newRow("another's name when edited") << "Filiale" << 0 << int(EntryNameProblem::Duplicate);
    }
    void entryNames()
    {
        QFETCH(QString, name);
        QFETCH(int, editedRow);
        QFETCH(int, problem);
        const PhoneBook book = {{"Zentrale", "1"}, {"Filiale", "2"}};
        QCOMPARE(int(checkEntryName(book, name, editedRow)), problem);
    }

    void hexPairs_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("completed");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("pairs") << "010203" << "010203" << QByteArray("\x01\x02\x03", 3);
        QTest::newRow("odd count") << "0A1" << "0A10" << QByteArray("\x0A\x10", 2);
        QTest::newRow("lower case") << "0a" << "0a" << QByteArray("\xFF", 1);
        QTest::newRow("no digits") << "ZZ01" << "ZZ01" << QByteArray("\xFF\x01", 2);
    }
    void hexPairs()
    {
        QFETCH(QString, text);
        QFETCH(QString, completed);
        QFETCH(QByteArray, bytes);
        QCOMPARE(hexPairsToBytes(&text), bytes);
        QCOMPARE(text, completed);
    }

    // --- dialling, hanging up, the carrier ------------------------------------------

    void dialReadHangUp()
    {
        Rig rig;
        QCOMPARE(rig.session->dial("0815"), DialResult::Connected);
        QCOMPARE(rig.frames, QList<QByteArray>{"ATDT0815\r"});
        QCOMPARE(rig.prompter.texts("inform"), QStringList{"Verbunden mit 0815"});
        QVERIFY(rig.session->connected());
        QVERIFY(rig.link.engine().settings().modemConnect); // every time-out gets TOAdd now
        QCOMPARE(ReadSoftwareVersion(rig.link.engine(), 3), QStringLiteral("2.91 r3"));

        rig.frames.clear();
        rig.session->hangUp();
        QCOMPARE(rig.frames, (QList<QByteArray>{"+++", "ATH0\r"}));
        QVERIFY(!rig.session->connected());
        QVERIFY(!rig.dialUp->bakery().modem().connectionUp());
        // Only the dial's answer had no "OK": "+++" and "ATH0" were confirmed.
        QCOMPARE(rig.session->errorLog().lines().size(), 1);
        QVERIFY(rig.session->errorLog().lines().first().contains("NAK empfangen (Sent:ATDT0815\r;; Read:"));
        QCOMPARE(rig.prompter.shown.size(), 1);
    }

    void dialOutcomes_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("message");
        QTest::newRow("busy") << "110" << int(DialResult::Busy) << "Besetzt\r\nLege Auf!";
        QTest::newRow("no answer") << "112" << int(DialResult::NoCarrier) << "Kein Trägersignal\r\nLege Auf!";
        QTest::newRow("invalid") << "ERROR" << int(DialResult::Refused)
                                 << "Gewählte Nummer ist ungültig!\r\nBitte eine andere Nummer wählen";
    }
    void dialOutcomes()
    {
        QFETCH(QString, number);
        QFETCH(int, result);
        QFETCH(QString, message);
        Rig rig;
        rig.dialUp->network().setBusy("110");
        rig.dialUp->network().setUnanswered("112");
        QCOMPARE(int(rig.session->dial(number)), result);
        QCOMPARE(rig.prompter.shown.size(), 1);
        QCOMPARE(rig.prompter.shown.first().caption, QStringLiteral("FEHLER"));
        QCOMPARE(rig.prompter.shown.first().text, message);
        const bool dialled = result != int(DialResult::Refused);
        QCOMPARE(rig.count("ATDT" + number.toLatin1() + "\r"), dialled ? 1 : 0);
        QCOMPARE(rig.count("ATH0\r"), dialled ? 1 : 0); // hung up after a failed dial
        QCOMPARE(rig.count("+++"), 0);                  // the modem is in command mode already
        QVERIFY(!rig.session->connected());
    }

    void problemsOfThePcModemAreAskedAboutBeforeDialling()
    {
        ScriptedRig rig(ok); // agrees to everything but lists nothing
        ModemSession session(rig.state, rig.link.engine(), rig.prompter);
        session.options().dir = rig.dir.path();
        QCOMPARE(session.dial("0815"), DialResult::Declined);
        QCOMPARE(rig.prompter.shown.size(), 1);
        QCOMPARE(rig.prompter.shown.first().caption, QStringLiteral("WARNUNG"));
        QVERIFY(rig.prompter.shown.first().text.startsWith(kPcHeading + "Start-String\r\nH_Standard:Err-B0"));
        QVERIFY(!rig.line->writes().contains("ATDT0815\r"));
        QVERIFY(rig.line->writes().contains("AT&W0\r"));
    }

    void carrierLostDuringATransfer()
    {
        Rig rig;
        QCOMPARE(rig.session->dial("0815"), DialResult::Connected);
        rig.dialUp->bakery().modem().setHangUpAfter(40); // the bakery's line goes dead in the middle
        int reads = 0;
        {
            TransferGuard transfer(rig.state);
            rig.frames.clear();
            while (!rig.state.abortFlag && reads < 20) {
                ReadSoftwareVersion(rig.link.engine(), 3);
                ++reads;
            }
            QVERIFY(reads < 20); // the transfer was told to stop
            QCOMPARE(rig.count("+++"), 0); // never in the middle of the transfer
        }
        QVERIFY(QTest::qWaitFor([&] { return rig.count("ATH0\r") == 1; }, 5000));
        QCOMPARE(rig.count("+++"), 0); // no escape from a connection that is gone
        QCOMPARE(rig.prompter.texts("inform"),
                 (QStringList{"Verbunden mit 0815", "Die Modem-Verbindung wurde unterbrochen!!"}));
        QVERIFY(rig.session->connectionLost());
    }

    void withoutModemLinesTheResultWordsTell()
    {
        ScriptedRig rig([](const QByteArray &w) { return w.startsWith("ATDT") ? QByteArray("\r\nCONNECT 9600\r\n") : ok(w); });
        rig.line->setEcho(true);
        ModemSession session(rig.state, rig.link.engine(), rig.prompter);
        session.options().skipPcChecks = true;
        session.options().guardTimeMs = 0;
        QCOMPARE(session.dial("0815"), DialResult::Connected);
        QVERIFY(session.connected());
        rig.line->inject("\r\nNO CARR"); // the word may come in two pieces
        QCoreApplication::processEvents();
        QVERIFY(session.connected());
        rig.line->inject("IER\r\n");
        QVERIFY(QTest::qWaitFor([&] { return rig.line->writes().contains("ATH0\r"); }, 5000));
        QVERIFY(!session.connected());
        QCOMPARE(rig.prompter.texts("inform").last(), QStringLiteral("Die Modem-Verbindung wurde unterbrochen!!"));
    }

    void hangingUpBreaksOffADial()
    {
        Rig rig;
        SimModemTiming slow = SimModemTiming::fast();
        slow.carrierWaitMs = 20000;
        rig.dialUp->setTiming(slow);
        rig.dialUp->network().setUnanswered("112");
        QTimer::singleShot(50, rig.session.get(), [&] { rig.session->hangUp(); });
        QCOMPARE(rig.session->dial("112"), DialResult::Cancelled);
        QCOMPARE(rig.frames, (QList<QByteArray>{"ATDT112\r", "+++", "ATH0\r"}));
        QVERIFY(rig.prompter.shown.isEmpty());
    }

    // --- torvelctl --dial -----------------------------------------------------------------

    void torvelctlDialsThroughAPty()
    {
        QTemporaryDir dir;
        const QString settings = dir.filePath("settings.ini");
        torvel::test::PtySim sim;
        QVERIFY(sim.start({"--modem", "--modem-fast", "--busy", "110"}));
        const QStringList common = {"--port", sim.device, "--guard-time", "20", "--oven", "3", "--dial"};
        auto r = torvel::test::runTorvelctl(common + QStringList{"0815", "version"}, settings);
        QCOMPARE(r.out, QStringLiteral("2.91 r3\n"));
        QCOMPARE(r.err, QStringLiteral("ACHTUNG: Verbunden mit 0815\n"));
        QCOMPARE(r.code, 0);
        r = torvel::test::runTorvelctl(common + QStringList{"110", "version"}, settings);
        QCOMPARE(r.err, QStringLiteral("FEHLER: Besetzt\nLege Auf!\n"));
        QCOMPARE(r.code, 1);
    }

    void torvelctlReportsALostConnection()
    {
        QTemporaryDir dir;
        torvel::test::PtySim sim;
        QVERIFY(sim.start({"--modem", "--modem-fast", "--carrier-lost-after", "300"}));
        const auto r = torvel::test::runTorvelctl({"--port", sim.device, "--guard-time", "20", "--dial", "0815",
                                                   "programs", "read", "-o", dir.filePath("p.TBR")},
                                                  dir.filePath("settings.ini"));
        QVERIFY2(r.err.contains("ACHTUNG: Die Modem-Verbindung wurde unterbrochen!!\n"), qPrintable(r.err));
        QCOMPARE(r.code, 1);
    }
};

QTEST_GUILESS_MAIN(TestModem)
#include "tst_modem.moc"
