#pragma once
// "Drucker skalieren": the print scale in percent, kept in the program state and stored as
// "Printscale" so the next start prints the same size.

#include <QDialog>

class QPushButton;
class QSpinBox;

namespace torvel {

class AppState;
class TorvelSettings;

class PrinterScaleDialog : public QDialog
{
    Q_OBJECT
public:
    PrinterScaleDialog(AppState *state, TorvelSettings *settings, QWidget *parent = nullptr);

    QSpinBox *skalierung() const { return m_skalierung; }
    QPushButton *takeButton() const { return m_take; }
    QPushButton *cancelButton() const { return m_cancel; }

    // "Übernehmen": the value goes to the state and the settings (0 included).
    void accept() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    AppState *m_state;
    TorvelSettings *m_settings;
    QSpinBox *m_skalierung;
    QPushButton *m_take;
    QPushButton *m_cancel;
};

} // namespace torvel
