#pragma once
// The page "VKSDebug" of the Torvel2 window: addressing and live status of the window's oven,
// the status poll, the memo `VKSMemo`, and the debug data memo `Betriebsdaten1`.

#include <QWidget>

class QCheckBox;
class QPushButton;
class QSpinBox;

namespace torvel {

class MemoView;
class StatusPanel;
class Torvel2Context;

class VksDebugPage : public QWidget
{
    Q_OBJECT
public:
    VksDebugPage(Torvel2Context &ctx, QWidget *parent = nullptr);

    // `VKSAdressieren`: one addressing frame to 0x80 + `VKSAdr`, the answer into the memo.
    void VKSAdressierenClick();
    // `VKSStatus`: the status query with its error message.
    void VKSStatusClick();
    // One tick of the window's poll timer: the status query without message when `Statuspoll`
    // is checked; skipped while anything holds the line.
    void pollStatus();
    // `PollInt` in ms, at least 1.
    int pollInterval() const;

private:
    void queryStatus(bool showError);

    Torvel2Context &m_ctx;
    QPushButton *m_adressieren;
    QSpinBox *m_vksAdr;
    QCheckBox *m_statuspoll;
    QPushButton *m_status;
    QSpinBox *m_pollInt;
    MemoView *m_vksMemo;
    StatusPanel *m_prgPanel;
    QCheckBox *m_disableAllLogs;
    MemoView *m_betriebsdaten1;
};

} // namespace torvel
