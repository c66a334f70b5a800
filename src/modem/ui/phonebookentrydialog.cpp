#include "phonebookentrydialog.h"

#include "modem/modemtexts.h"
#include "shell/prompter.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace torvel {

PhoneBookEntryDialog::PhoneBookEntryDialog(Prompter *prompter, QWidget *parent)
    : QDialog(parent), m_prompter(prompter), m_namen(new QLineEdit(this)), m_nummer(new QLineEdit(this))
{
    setObjectName(QStringLiteral("TwNewNumber"));
    setWindowTitle(QStringLiteral("Telefonbuch-Eintrag"));
    m_namen->setObjectName(QStringLiteral("Namen"));
    m_nummer->setObjectName(QStringLiteral("Nummer"));
    m_namen->setMinimumWidth(260);

    auto *take = new QPushButton(QStringLiteral("Übernehmen"), this);
    take->setObjectName(QStringLiteral("TakeBtn"));
    take->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("Abbrechen"), this);
    cancel->setObjectName(QStringLiteral("CancelBtn"));
    auto *close = new QPushButton(QStringLiteral("Schliessen"), this);
    close->setObjectName(QStringLiteral("CloseBtn"));
    connect(take, &QPushButton::clicked, this, &PhoneBookEntryDialog::take);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Name"), m_namen);
    form->addRow(QStringLiteral("Nummer"), m_nummer);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(take);
    buttons->addWidget(cancel);
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
}

bool PhoneBookEntryDialog::run(PhoneBook *rows, int editedRow)
{
    m_rows = rows;
    m_editedRow = editedRow >= 0 && editedRow < rows->size() ? editedRow : -1;
    m_namen->setText(m_editedRow >= 0 ? rows->at(m_editedRow).name : QString());
    m_nummer->setText(m_editedRow >= 0 ? rows->at(m_editedRow).number : QString());
    m_namen->setFocus();
    const bool taken = exec() == QDialog::Accepted;
    m_rows = nullptr;
    return taken;
}

void PhoneBookEntryDialog::take()
{
    if (!m_rows)
        return;
    const EntryNameProblem problem = checkEntryName(*m_rows, m_namen->text(), m_editedRow);
    if (problem != EntryNameProblem::None) {
        if (m_prompter)
            m_prompter->inform(modemtext::kAchtung, entryNameMessage(problem));
        return; // nothing changes
    }
    const PhoneBookEntry entry{m_namen->text().trimmed(), m_nummer->text().trimmed()};
    if (m_editedRow >= 0)
        (*m_rows)[m_editedRow] = entry;
    else
        m_rows->append(entry);
    accept();
}

} // namespace torvel
