#pragma once
// The page "Torvel komplett lesen/schreiben" (`TorvelRecSheet`) of the Torvel2 window: read,
// send, save and open the whole Torvel record of the window's context. "Abbrechen" is open
// only while a read or send runs.

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace torvel {

class Torvel2Context;

class RecordPage : public QWidget
{
    Q_OBJECT
public:
    RecordPage(Torvel2Context &ctx, QWidget *parent = nullptr);
    ~RecordPage() override;

    void TorvelRecReadClick();
    void TorvelRecSendClick();
    void SaveTorvelRecClick();
    void LoadTorvelRecClick();

private:
    class View;
    void setTransferRunning(bool running);

    Torvel2Context &m_ctx;
    QLabel *m_actAction;
    QLabel *m_nummer;
    QLabel *m_prgStatus;
    QLineEdit *m_prgName;
    QSpinBox *m_prgNo;
    QPushButton *m_read;
    QPushButton *m_send;
    QPushButton *m_save;
    QPushButton *m_load;
    QPushButton *m_abbruch;
    View *m_view;
};

} // namespace torvel
