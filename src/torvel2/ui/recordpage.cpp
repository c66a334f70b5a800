#include "recordpage.h"

#include "torvel2context.h"

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
    for (QPushButton *b : {m_read, m_send, m_save, m_load})
        b->setEnabled(false);
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

} // namespace torvel
