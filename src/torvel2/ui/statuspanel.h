#pragma once
// `PrgPanel`: the live values of one deck as the status query decodes them: top and bottom
// heat actual and set point, bake time, program number, on-status, and the switch boxes.

#include <QWidget>

class QCheckBox;
class QSpinBox;

namespace torvel {

struct ControllerStatus;

class StatusPanel : public QWidget
{
    Q_OBJECT
public:
    explicit StatusPanel(QWidget *parent = nullptr);

    // Fields the reply did not hold keep their values; `BPrgNr` shows -1 then.
    void showStatus(const ControllerStatus &status);

private:
    QSpinBox *m_ohIst;
    QSpinBox *m_ohSoll;
    QSpinBox *m_uhIst;
    QSpinBox *m_uhSoll;
    QSpinBox *m_backzeit;
    QSpinBox *m_bPrgNr;
    QSpinBox *m_einstatus;
    QCheckBox *m_ohEin;
    QCheckBox *m_uhEin;
    QCheckBox *m_prgStart;
    QCheckBox *m_herdEin;
};

} // namespace torvel
