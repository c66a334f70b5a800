#include "dialpage.h"

#include "modemwindow.h"
#include "phonebookeditor.h"

#include "modem/modemsession.h"
#include "modem/modemtexts.h"
#include "shell/prompter.h"
#include "shell/ui/namedcontrol.h"

#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace torvel {

DialPage::DialPage(ModemWindow &window, QWidget *parent)
    : QWidget(parent), m_window(window), m_rufnummer(new QLineEdit(QStringLiteral("*91"), this)),
      m_chooseNumber(new QComboBox(this)), m_modemConnect(new QRadioButton(QStringLiteral("ModemConnect"), this)),
      m_editor(new PhoneBookEditor(window.entryDialog(), this))
{
    setObjectName(QStringLiteral("FenmorkModem"));
    m_rufnummer->setObjectName(QStringLiteral("Rufnummer"));
    m_chooseNumber->setObjectName(QStringLiteral("ChooseNumber"));
    m_chooseNumber->setMinimumWidth(220);
    m_einwahl = named<QPushButton>(QStringLiteral("Einwahl"), QStringLiteral("Einwahl"), this);
    m_hangUp = named<QPushButton>(QStringLiteral("HangUp"), QStringLiteral("Auflegen"), this);
    auto *editNumbers = named<QPushButton>(QStringLiteral("EditNumbers"), QStringLiteral("Telefonbuch"), this);
    auto *initTorvel = named<QPushButton>(QStringLiteral("InitTorvelModem"), QStringLiteral("Init TorvelModem"), this);
    auto *testTorvel = named<QPushButton>(QStringLiteral("DoAskTorvelModemKonfig"), QStringLiteral("Teste TorvelModem"), this);
    auto *initPc = named<QPushButton>(QStringLiteral("InitPCSendeModem"), QStringLiteral("Init PCSendeModem"), this);
    auto *testPc = named<QPushButton>(QStringLiteral("DoAskPCSendeModemKonfig"), QStringLiteral("Teste PCSendeModem"), this);
    m_dialButtons = {m_einwahl, editNumbers, initTorvel, testTorvel, initPc, testPc};

    // The carrier is shown, not chosen.
    m_modemConnect->setObjectName(QStringLiteral("ModemConnect"));
    m_modemConnect->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_modemConnect->setFocusPolicy(Qt::NoFocus);
    auto *connectPanel = new QFrame(this);
    connectPanel->setObjectName(QStringLiteral("ModemConnectPanel"));
    connectPanel->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    connectPanel->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    (new QHBoxLayout(connectPanel))->addWidget(m_modemConnect);

    m_rufnummer->setMinimumWidth(200);
    auto *dial = new QGroupBox(QStringLiteral("Verbindung"), this);
    auto *dialGrid = new QGridLayout(dial);
    dialGrid->addWidget(new QLabel(QStringLiteral("Rufnummer:"), dial), 0, 0);
    dialGrid->addWidget(m_rufnummer, 0, 1);
    dialGrid->addWidget(m_einwahl, 0, 2);
    dialGrid->addWidget(m_hangUp, 0, 3);
    dialGrid->addWidget(connectPanel, 0, 4);
    dialGrid->addWidget(new QLabel(QStringLiteral("Telefonbuch:"), dial), 1, 0);
    dialGrid->addWidget(m_chooseNumber, 1, 1);
    dialGrid->addWidget(editNumbers, 1, 2);
    dialGrid->setColumnStretch(1, 1);
    auto *modems = new QGroupBox(QStringLiteral("Modems einrichten"), this);
    auto *modemGrid = new QGridLayout(modems);
    modemGrid->addWidget(initTorvel, 0, 0);
    modemGrid->addWidget(testTorvel, 0, 1);
    modemGrid->addWidget(initPc, 1, 0);
    modemGrid->addWidget(testPc, 1, 1);
    modemGrid->setColumnStretch(2, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(dial);
    layout->addWidget(modems);
    layout->addWidget(m_editor, 1);
    layout->addStretch();
    m_editor->hide();

    ModemSession &session = window.session();
    connect(m_einwahl, &QPushButton::clicked, this, &DialPage::EinwahlClick);
    connect(m_hangUp, &QPushButton::clicked, this, &DialPage::HangUpClick);
    connect(editNumbers, &QPushButton::clicked, this, [this] {
        m_editor->show();
        QWidget *top = QWidget::window();
        top->resize(top->size().expandedTo(top->sizeHint())); // room for the grid
    });
    connect(initTorvel, &QPushButton::clicked, this,
            [this, &session] { m_window.runClick([&session] { session.initialiseAndCheck(ModemKind::Torvel); }); });
    connect(testTorvel, &QPushButton::clicked, this,
            [this, &session] { m_window.runClick([&session] { session.test(ModemKind::Torvel); }); });
    connect(initPc, &QPushButton::clicked, this,
            [this, &session] { m_window.runClick([&session] { session.initialiseAndCheck(ModemKind::Pc); }); });
    connect(testPc, &QPushButton::clicked, this,
            [this, &session] { m_window.runClick([&session] { session.test(ModemKind::Pc); }); });
    connect(m_chooseNumber, &QComboBox::textActivated, this, &DialPage::chooseEntry);
    connect(&session, &ModemSession::dialControlsEnabled, this, &DialPage::enableDialControls);
    connect(&session, &ModemSession::connectionChanged, m_modemConnect, &QRadioButton::setChecked);
    connect(m_editor, &PhoneBookEditor::applied, this, &DialPage::applyRows);
    connect(m_editor, &PhoneBookEditor::cancelled, this, [this] {
        m_editor->hide();
        loadPhoneBook(); // unapplied changes are dropped
    });

    loadPhoneBook();
}

void DialPage::loadPhoneBook()
{
    PhoneBook read;
    m_readFailed = !torvel::loadPhoneBook(phoneBookPath(m_window.dir()), &read);
    if (m_readFailed) {
        m_window.prompter().inform(modemtext::kError, phoneBookReadMessage());
        m_editor->setRows(m_book); // what was shown stays
        showInChooser(m_book);
        return;
    }
    m_editor->setRows(read);
    applyRows(read);
}

void DialPage::applyRows(const PhoneBook &rows)
{
    showInChooser(rows);
    m_editor->hide();
    if (m_readFailed) {
        m_window.prompter().inform(modemtext::kError, phoneBookReadMessage());
        return;
    }
    const PhoneBookSaveError error = savePhoneBook(phoneBookPath(m_window.dir()), m_book);
    if (error != PhoneBookSaveError::None)
        m_window.prompter().inform(modemtext::kError, phoneBookSaveMessage(error));
}

void DialPage::showInChooser(const PhoneBook &rows)
{
    m_book.clear();
    for (const PhoneBookEntry &e : rows)
        if (!e.name.trimmed().isEmpty())
            m_book.append(e);
    m_chooseNumber->clear();
    for (const PhoneBookEntry &e : std::as_const(m_book))
        m_chooseNumber->addItem(e.name);
    if (m_book.isEmpty()) {
        m_chooseNumber->setEditable(true); // only so it can show the text
        m_chooseNumber->lineEdit()->setReadOnly(true);
        m_chooseNumber->setEditText(modemtext::kNoEntry);
        return; // nothing chosen: the number typed (or "*91") stays
    }
    m_chooseNumber->setEditable(false);
    m_chooseNumber->setCurrentIndex(0);
    chooseEntry(m_chooseNumber->currentText());
}

void DialPage::chooseEntry(const QString &name)
{
    m_rufnummer->setText(numberForName(m_book, name));
}

void DialPage::EinwahlClick()
{
    const QString number = m_rufnummer->text();
    m_window.runClick([this, number] { m_window.session().dial(number); });
}

void DialPage::HangUpClick()
{
    m_window.session().hangUp();
}

void DialPage::enableDialControls(bool on)
{
    m_chooseNumber->setEnabled(on);
    for (QPushButton *b : std::as_const(m_dialButtons))
        b->setEnabled(on);
    if (on == !m_waitCursor)
        return;
    m_waitCursor = !on;
    if (m_waitCursor)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}
} // namespace torvel
