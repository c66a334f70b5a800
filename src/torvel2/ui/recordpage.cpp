#include "recordpage.h"

#include "torvel2context.h"

#include "shell/appstate.h"
#include "shell/prompter.h"
#include "torvel2/recordfile.h"
#include "torvel2/recordtexts.h"
#include "torvel2/recordtransfer.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace torvel {

namespace {
QPushButton *makeButton(const QString &name, const QString &text, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(name);
    return b;
}

QLabel *makeLabel(const QString &name, const QString &text, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(name);
    return l;
}
} // namespace

// Shows what a record transfer tells on the page's labels and the window's gauge.
class RecordPage::View : public RecordTransferView
{
public:
    explicit View(RecordPage &page) : m_page(page) {}
    void setAction(const QString &text) override { m_page.m_actAction->setText(text); }
    void setStatus(const QString &text) override { m_page.m_prgStatus->setText(text); }
    void showProgramFields(bool shown) override
    {
        m_page.m_nummer->setVisible(shown);
        m_page.m_prgName->setVisible(shown);
        m_page.m_prgNo->setVisible(shown);
    }
    void setProgram(int n, const QString &name) override
    {
        m_page.m_prgNo->setValue(n);
        m_page.m_prgName->setText(name);
    }
    void setProgress(int value, int maximum) override
    {
        m_page.m_ctx.setProgressMaximum(maximum);
        m_page.m_ctx.setProgress(value);
    }

private:
    RecordPage &m_page;
};

RecordPage::RecordPage(Torvel2Context &ctx, QWidget *parent) : QWidget(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("TorvelRecSheet"));
    auto *fPanel = new QFrame(this);
    fPanel->setObjectName(QStringLiteral("FPanel"));
    fPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_actAction = makeLabel(QStringLiteral("ActAction"), QStringLiteral("Kein Torvelrecord geladen!"), fPanel);
    QFont large = m_actAction->font();
    large.setBold(true);
    large.setPointSizeF(large.pointSizeF() * 1.5);
    m_actAction->setFont(large);
    m_nummer = makeLabel(QStringLiteral("Nummer"), QStringLiteral(" Nr."), fPanel);
    m_nummer->hide();
    m_prgStatus = makeLabel(QStringLiteral("PrgStatus"), QString(), fPanel);
    m_prgStatus->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_prgName = new QLineEdit(fPanel);
    m_prgName->setObjectName(QStringLiteral("PrgName"));
    m_prgName->setEnabled(false);
    m_prgName->hide();
    m_prgNo = new QSpinBox(fPanel);
    m_prgNo->setObjectName(QStringLiteral("PrgNo"));
    m_prgNo->setEnabled(false);
    m_prgNo->hide();

    auto *panel = new QGridLayout(fPanel);
    panel->addWidget(m_actAction, 0, 0, 1, 3);
    panel->addWidget(m_nummer, 1, 0);
    panel->addWidget(m_prgNo, 1, 1);
    panel->addWidget(m_prgName, 1, 2);
    panel->addWidget(m_prgStatus, 2, 0, 1, 3);
    panel->setRowStretch(2, 1);
    panel->setColumnStretch(2, 1);

    m_read = makeButton(QStringLiteral("TorvelRecRead"), QStringLiteral("Torvelrecord lesen"), this);
    m_send = makeButton(QStringLiteral("TorvelRecSend"), QStringLiteral("Torvelrecord senden"), this);
    m_save = makeButton(QStringLiteral("SaveTorvelRec"), QStringLiteral("Torvelrecord speichern"), this);
    m_load = makeButton(QStringLiteral("LoadTorvelRec"), QStringLiteral("Torvelrecord öffnen"), this);
    m_view = new View(*this);
    connect(m_read, &QPushButton::clicked, this, &RecordPage::TorvelRecReadClick);
    connect(m_send, &QPushButton::clicked, this, &RecordPage::TorvelRecSendClick);
    connect(m_save, &QPushButton::clicked, this, &RecordPage::SaveTorvelRecClick);
    connect(m_load, &QPushButton::clicked, this, &RecordPage::LoadTorvelRecClick);
    m_prgNo->setRange(0, 99);
    m_abbruch = makeButton(QStringLiteral("AbbruchButton"), QStringLiteral("Abbrechen"), this);
    m_abbruch->setEnabled(false); // open only while a record transfer runs
    connect(m_abbruch, &QPushButton::clicked, this, [this] { m_ctx.setAbortFlag(true); });

    auto *buttons = new QVBoxLayout;
    for (QPushButton *b : {m_read, m_send, m_save, m_load, m_abbruch})
        buttons->addWidget(b);
    buttons->addStretch();
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(fPanel, 1);
    layout->addLayout(buttons);
}

RecordPage::~RecordPage()
{
    delete m_view;
}

void RecordPage::setTransferRunning(bool running)
{
    // Save and open would see or change the record half way through.
    for (QPushButton *b : {m_read, m_send, m_save, m_load})
        b->setEnabled(!running);
    m_abbruch->setEnabled(running);
}

void RecordPage::TorvelRecReadClick()
{
    if (!m_ctx.acceptClick([this] { TorvelRecReadClick(); }))
        return;
    Torvel2Context::Transfer transfer(m_ctx);
    setTransferRunning(true);
    m_prgStatus->clear();
    RecordTransferOptions options;
    options.herdMax = m_ctx.herdMax();
    options.view = m_view;
    const RecordTransferResult result = ReadTorvelRecord(transfer.line(), m_ctx.state(), m_ctx.record(), options);
    setTransferRunning(false);
    m_ctx.state().reportOutcome(result.ok ? recordtext::kRecordRead : recordtext::kNoRecord);
}

void RecordPage::TorvelRecSendClick()
{
    if (!m_ctx.acceptClick([this] { TorvelRecSendClick(); }))
        return;
    Torvel2Context::Transfer transfer(m_ctx);
    setTransferRunning(true);
    RecordTransferOptions options;
    options.herdMax = m_ctx.herdMax();
    options.view = m_view;
    const RecordTransferResult result = SendTorvelRecord(transfer.line(), m_ctx.state(), m_ctx.record(), options);
    setTransferRunning(false);
    m_ctx.state().reportOutcome(result.ok ? QStringLiteral("Torvelrecord übertragen.")
                                          : recordtext::kRecordNotSent);
}

void RecordPage::SaveTorvelRecClick()
{
    if (m_ctx.record().NoRecordLoaded) {
        m_ctx.prompter().inform(recordtext::kAchtungUpper, recordtext::kReadOrOpenFirst);
        return;
    }
    const QString file = m_ctx.askSaveFileName(recordtext::kFileFilter, recordtext::kFileSuffix);
    if (file.isEmpty())
        return;
    QString error;
    if (!saveRecordFile(file, m_ctx.record(), &error)) {
        m_ctx.prompter().inform(recordtext::kError, error);
        m_ctx.state().reportOutcome(recordtext::saveOutcome(file, false));
        return;
    }
    m_ctx.state().reportOutcome(recordtext::saveOutcome(file, true));
}

void RecordPage::LoadTorvelRecClick()
{
    const QString file = m_ctx.askOpenFileName(recordtext::kFileFilter, recordtext::kFileSuffix);
    if (file.isEmpty())
        return;
    RecordOpenOptions options;
    options.logFolder = m_ctx.logFolder();
    // Opened into a copy: a file that fails leaves the record on screen as it was.
    TorvelRecord opened = m_ctx.record();
    if (openRecordFile(file, opened, m_ctx.prompter(), options) != RecordOpen::Opened) {
        m_ctx.state().reportOutcome(recordtext::openOutcome(file, false));
        return;
    }
    m_ctx.record() = opened;
    m_actAction->setText(recordtext::kRecordLoaded);
    m_ctx.state().reportOutcome(recordtext::openOutcome(file, true));
}

} // namespace torvel
