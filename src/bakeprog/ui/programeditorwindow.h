#pragma once
// "Backprogramm": one program of the list in a fixed form (five phases of bake time, top and
// bottom heat, four steam and four damper settings). The list fills it from a row and shows
// it modally; "Übernehmen" hands the fields back for the row in "PrgNr:". Made once and only
// hidden when closed.

#include "bakeprog/editorprogram.h"
#include "bakeprog/editorrecord.h"

#include <QDialog>
#include <array>

class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace torvel {

class AppState;
class SheetModel;

class ProgramEditorWindow : public QDialog
{
    Q_OBJECT
public:
    explicit ProgramEditorWindow(AppState *state, QWidget *parent = nullptr);

    // Fills the form: number into PrgNr, the name, and the 23 value texts (ProgramValues
    // order) into their fields; then the record and the total time follow the fields.
    void fill(int number, const QString &name, const QStringList &valueTexts);
    void fill(const EditorProgram &program);
    void fillFromRow(const SheetModel &list, int row);

    // Shows the window modally; always ends with Rejected ("Schliessen", "Abbrechen").
    int showModal();

    // What "Übernehmen" hands over now.
    EditorProgram program() const;
    const EditorRecord &record() const { return m_record; }

    // "Übernehmen": emits takenOver; the window stays open.
    void TakeBtnClick();
    // The step that runs when the focus leaves a bake time or heat field (tests call it
    // directly); other fields keep their text.
    void leaveField(QLineEdit *field);

    QLineEdit *prgName() const { return m_name; }
    QSpinBox *prgNr() const { return m_number; }
    QLabel *gZeit() const { return m_total; }
    // The field of a 0-based ProgramValues index.
    QLineEdit *valueField(int index) const { return m_fields[index]; }
    QLineEdit *field(EditorField kind, int position) const;
    QLabel *abzugLabel(int k) const { return m_damperUnits[k - 1]; }
    QPushButton *takeButton() const { return m_take; }
    QPushButton *closeButton() const { return m_close; }
    QPushButton *cancelButton() const { return m_cancel; }

signals:
    // The program to write into list row `number`; the list sets its modified flag.
    void takenOver(int number, const QString &name, const QStringList &valueTexts);

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildHead();
    QWidget *buildTemperatures();
    QWidget *buildSteam();
    QWidget *buildDamper();
    QWidget *buildFoot();
    QLineEdit *makeField(int index, int maxChars);
    void applyDamperMode();
    void updateRecord();
    void updateTotalTime();
    void moveInColumn(int index, int step);
    QStringList fieldTexts() const;

    AppState *m_state;
    EditorRecord m_record;
    QLineEdit *m_name = nullptr;
    QSpinBox *m_number = nullptr;
    QLabel *m_total = nullptr;
    std::array<QLineEdit *, kProgramValueCount> m_fields{};
    std::array<QLabel *, 4> m_damperUnits{};
    QPushButton *m_take = nullptr;
    QPushButton *m_close = nullptr;
    QPushButton *m_cancel = nullptr;
};

} // namespace torvel
