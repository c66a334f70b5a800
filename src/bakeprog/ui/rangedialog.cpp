#include "rangedialog.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace torvel {

RangeDialog::RangeDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TGetSelect"));
    setWindowTitle(QStringLiteral("Auswahl"));
    m_label1 = new QLabel(QStringLiteral("empfange von:"), this);
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_from = new QSpinBox(this);
    m_from->setObjectName(QStringLiteral("LoadFrom"));
    m_from->setRange(1, 99);
    m_from->setValue(1);
    auto *bis = new QLabel(QStringLiteral("bis"), this);
    bis->setObjectName(QStringLiteral("Label2"));
    m_to = new QSpinBox(this);
    m_to->setObjectName(QStringLiteral("LoadTo"));
    m_to->setRange(1, 99);
    m_to->setValue(99);
    for (QSpinBox *spin : {m_from, m_to})
        spin->installEventFilter(this);

    auto *ok = new QPushButton(QStringLiteral("Ok"), this);
    ok->setObjectName(QStringLiteral("BitBtn1"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &RangeDialog::accept);
    auto *cancel = new QPushButton(QStringLiteral("Abbrechen"), this);
    cancel->setObjectName(QStringLiteral("BitBtn2"));
    connect(cancel, &QPushButton::clicked, this, &RangeDialog::reject);

    auto *row = new QHBoxLayout;
    row->addWidget(m_label1);
    row->addWidget(m_from);
    row->addWidget(bis);
    row->addWidget(m_to);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addLayout(buttons);
}

bool RangeDialog::choose(const QString &label, int maximum, int *first, int *last)
{
    m_label1->setText(label);
    m_to->setMaximum(maximum);
    if (m_to->value() > maximum)
        m_to->setValue(maximum);
    if (exec() != QDialog::Accepted)
        return false;
    *first = m_from->value();
    *last = m_to->value();
    return true;
}

void RangeDialog::accept()
{
    if (m_to->value() < m_from->value()) {
        m_from->setValue(1);
        m_to->setMaximum(99);
        m_to->setValue(99);
        QDialog::reject();
        return;
    }
    QDialog::accept();
}

bool RangeDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            static_cast<QSpinBox *>(watched)->interpretText();
            accept();
            return true;
        }
        if (key == Qt::Key_Escape) {
            reject();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace torvel
