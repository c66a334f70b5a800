#pragma once
// The page "Debug" (`DebugTab`) of the Torvel2 window: setting the controller clock to a typed
// date and time, and the reference year controls that the operating data decoding reads
// (through Torvel2Context::reference()).

#include <QWidget>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace torvel {

class Torvel2Context;

class DebugPage : public QWidget
{
    Q_OBJECT
public:
    DebugPage(Torvel2Context &ctx, QWidget *parent = nullptr);

    // `TimeSetBtn`: the typed time plus one second on the typed date to the window's oven.
    void TimeSetBtnClick();
    // The window's poll tick: `ActTime` copies the PC time into the edits, `TakePCRef` the PC
    // year into `RefYear`.
    void followPcTime();

private:
    void takeControls(bool referenceButtons);
    void showReference();

    Torvel2Context &m_ctx;
    QLineEdit *m_timeEdit;
    QLineEdit *m_dateEdit;
    QPushButton *m_timeSetBtn;
    QCheckBox *m_actTime;
    QSpinBox *m_refYear;
    QRadioButton *m_takePCRef;
    QRadioButton *m_takeTorvelRef;
    QRadioButton *m_takeManRef;
    QCheckBox *m_checkYear;
    bool m_showing = false;
};

} // namespace torvel
