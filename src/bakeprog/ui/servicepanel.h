#pragma once
// The service panel of the bake program list (shown only in service mode): the test
// pattern's fill and check with their options, the transfer time and "Retrytest".

#include "bakeprog/testpattern.h"

#include <QWidget>

class QCheckBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace torvel {

class Prompter;
class SheetModel;

class ServicePanel : public QWidget
{
    Q_OBJECT
public:
    explicit ServicePanel(QWidget *parent = nullptr);

    // With a list attached, "DefRec" and "CheckRec" act on it themselves (the check shows
    // its result through the prompter); the signals are emitted either way.
    void attach(SheetModel *list, Prompter *prompter);

    // The panel and "Retrytest" are shown exactly in service mode; outside it "Retrytest"
    // is also unchecked.
    void applyServiceMode(bool serviceMode);

    // The pattern the options describe; `maxPrograms` is MaxPrograms (the count-down start).
    TestPatternOptions options(int maxPrograms) const;
    int maxDefault() const;
    bool ignoreSpace() const;
    bool retrytestChecked() const;

    // "CreateDefaultRec" and "CheckDefaultRec" on the attached list.
    void fill(int maxPrograms);
    TestPatternCheck check(int maxPrograms);
    // The check button's text: red after a failed check, the normal colour after a passed one.
    void showCheckResult(bool ok);

    // The whole label text, e.g. "Übertragungszeit=..".
    void setTransferTime(const QString &labelText);

    QPushButton *createDefaultRec() const { return m_create; }
    QPushButton *checkDefaultRec() const { return m_check; }
    QCheckBox *defRecUp() const { return m_up; }
    QSpinBox *maxDefaultBox() const { return m_max; }
    QCheckBox *mitLuecken() const { return m_gaps; }
    QCheckBox *nameShort() const { return m_short; }
    QCheckBox *ignoreSpaceBox() const { return m_ignoreSpace; }
    QLabel *uebertragungszeit() const { return m_time; }
    QCheckBox *retrytest() const { return m_retrytest; }

    // MaxPrograms for the attached fill and check (default 99).
    void setMaxPrograms(int maxPrograms) { m_maxPrograms = maxPrograms; }

signals:
    void createDefaultRecClicked();
    void checkDefaultRecClicked();

private:
    SheetModel *m_list = nullptr;
    Prompter *m_prompter = nullptr;
    int m_maxPrograms = 99;
    QPushButton *m_create;
    QPushButton *m_check;
    QCheckBox *m_up;
    QSpinBox *m_max;
    QCheckBox *m_gaps;
    QCheckBox *m_short;
    QCheckBox *m_ignoreSpace;
    QLabel *m_time;
    QCheckBox *m_retrytest;
};

} // namespace torvel
