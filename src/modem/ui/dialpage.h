#pragma once
// The page `FenmorkModem`: the number to dial and the phone book to choose it from, dialling
// and hanging up, the carrier display, and setting up and testing both modems.

#include "modem/phonebook.h"

#include <QWidget>

class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace torvel {

class ModemWindow;
class PhoneBookEditor;

class DialPage : public QWidget
{
    Q_OBJECT
public:
    DialPage(ModemWindow &window, QWidget *parent = nullptr);

    // Reads "Telefonbuch.ini" into the editor and applies it (at creation and on `CancelBtn`).
    void loadPhoneBook();
    // `OkBtn`: the combo box takes the rows, the file is written, the editor closes.
    void applyRows(const PhoneBook &rows);

    const PhoneBook &book() const { return m_book; }
    PhoneBookEditor *editor() const { return m_editor; }
    QComboBox *chooseNumber() const { return m_chooseNumber; }
    QLineEdit *rufnummer() const { return m_rufnummer; }

    // `Einwahl`, `HangUp`.
    void EinwahlClick();
    void HangUpClick();

private:
    // The names of the rows with one, "kein Eintrag" when there is none.
    void showInChooser(const PhoneBook &rows);
    void chooseEntry(const QString &name);
    void enableDialControls(bool on);

    ModemWindow &m_window;
    PhoneBook m_book;
    bool m_readFailed = false; // a book that could not be read is never written over
    bool m_waitCursor = false;
    QLineEdit *m_rufnummer;
    QComboBox *m_chooseNumber;
    QPushButton *m_einwahl;
    QPushButton *m_hangUp;
    QList<QPushButton *> m_dialButtons;
    QRadioButton *m_modemConnect;
    PhoneBookEditor *m_editor;
};

} // namespace torvel
