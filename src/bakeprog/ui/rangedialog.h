#pragma once
// "Auswahl": the range of program numbers for a receive, send or print. Made once and
// reused, so the last range is offered again.

#include <QDialog>

class QLabel;
class QSpinBox;

namespace torvel {

class RangeDialog : public QDialog
{
    Q_OBJECT
public:
    explicit RangeDialog(QWidget *parent = nullptr);

    // Label1 ("empfange von:", "   sende von:", "   Drucke von:") and the highest number
    // allowed; LoadTo is lowered to it when larger. Returns false when cancelled.
    bool choose(const QString &label, int maximum, int *first, int *last);

    QSpinBox *loadFrom() const { return m_from; }
    QSpinBox *loadTo() const { return m_to; }
    QLabel *label1() const { return m_label1; }

    // "Ok" and Enter: a range whose last is below its first is reset to 1..99 and cancelled.
    void accept() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLabel *m_label1;
    QSpinBox *m_from;
    QSpinBox *m_to;
};

} // namespace torvel
