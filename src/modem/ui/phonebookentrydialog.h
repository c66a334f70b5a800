#pragma once
// "TwNewNumber": one phone book entry, new or edited. "Übernehmen" takes it when its name
// may stand in the book; "Abbrechen" and "Schliessen" leave the book as it was.

#include "modem/phonebook.h"

#include <QDialog>

class QLineEdit;

namespace torvel {

class Prompter;

class PhoneBookEntryDialog : public QDialog
{
    Q_OBJECT
public:
    PhoneBookEntryDialog(Prompter *prompter, QWidget *parent = nullptr);

    // Edits `rows`: a new entry at the end (editedRow -1) or the given row. True when taken.
    bool run(PhoneBook *rows, int editedRow);

    // `TakeBtn`.
    void take();

    QLineEdit *nameEdit() const { return m_namen; }
    QLineEdit *numberEdit() const { return m_nummer; }

private:
    Prompter *m_prompter;
    QLineEdit *m_namen;
    QLineEdit *m_nummer;
    PhoneBook *m_rows = nullptr;
    int m_editedRow = -1;
};

} // namespace torvel
