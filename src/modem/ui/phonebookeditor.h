#pragma once
// "Einträge bearbeiten: " (GroupBox1): the phone book in the grid `Numbers`, edited through
// the entry dialog, reordered with the arrows, applied with "Übernehmen" or dropped with
// "Abbrechen". It edits a copy; the book changes only when applied.

#include "modem/phonebook.h"

#include <QGroupBox>

class QTableWidget;

namespace torvel {

class PhoneBookEntryDialog;

class PhoneBookEditor : public QGroupBox
{
    Q_OBJECT
public:
    PhoneBookEditor(PhoneBookEntryDialog *dialog, QWidget *parent = nullptr);

    void setRows(const PhoneBook &rows);
    const PhoneBook &rows() const { return m_rows; }
    QTableWidget *grid() const { return m_numbers; }
    // The selected entry, -1 when none (or only the blank row).
    int selectedRow() const;
    void selectRow(int row);

    // `NewNumber`, `EditNumber`, `DeleteNumber`, `UpDown1`.
    void newEntry();
    void editEntry();
    void deleteEntry();
    void moveSelected(int step);

signals:
    // `OkBtn`: the rows to take over.
    void applied(const PhoneBook &rows);
    // `CancelBtn`.
    void cancelled();

private:
    void showRows();

    PhoneBookEntryDialog *m_dialog;
    QTableWidget *m_numbers;
    PhoneBook m_rows;
};

} // namespace torvel
