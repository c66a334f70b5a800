#pragma once
// "Backprogramm": one program of the list in a fixed form (five phases of bake time, top and
// bottom heat, four steam and four damper settings). The list fills it from a row and shows
// it modally; "Übernehmen" hands the fields back for the row in "PrgNr:". Made once and only
// hidden when closed.

#include "bakeprog/editorprogram.h"
#include "bakeprog/editorrecord.h"

#include <QDialog>
#include <array>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace torvel {

class AppState;
class Prompter;
class SheetModel;

class ProgramEditorWindow : public QDialog
{
    Q_OBJECT
public:
    explicit ProgramEditorWindow(AppState *state, QWidget *parent = nullptr);

    // Refused values and the question before discarding edits go through it (none: values
    // are still refused, edits are discarded without asking).
    void setPrompter(Prompter *prompter) { m_prompter = prompter; }

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

    // "Übernehmen": emits takenOver; the window stays open. Refused (with the message) while
    // a field holds a value the controller cannot take.
    void TakeBtnClick();
    // The step that runs when the focus leaves a value field (tests call it directly): a
    // value the controller cannot hold is refused and the field shows its last value again
    // (the message is returned); bake time and heat fields are then converted, the others
    // keep their text.
    std::optional<QString> leaveField(QLineEdit *field);

    // Name or values differ from what was filled in or taken over last.
    bool hasUntakenEdits() const;
    // "Schliessen", "Abbrechen", Escape, the close button: asks first when edits were not
    // taken over.
    void reject() override;

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
    QString fieldName(int index) const;
    std::optional<QString> valueProblem(int index, const QString &text) const;
    bool mayDiscard();
    void markTaken();

    AppState *m_state;
    Prompter *m_prompter = nullptr;
    // Each field's last accepted text: what a refused value gives way to.
    QStringList m_accepted;
    EditorProgram m_taken; // name and values as filled in or taken over last
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
