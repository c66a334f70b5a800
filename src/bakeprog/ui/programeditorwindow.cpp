#include "programeditorwindow.h"

#include "bakeprog/programsheet.h"
#include "bakeprog/typedvalue.h"
#include "shell/appstate.h"
#include "shell/prompter.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTimer>
#include <QValidator>
#include <QVBoxLayout>

#include <algorithm>

namespace torvel {

namespace {
constexpr int kFieldChars = 3;
constexpr int kDamperSecondsChars = 5;

// Limits what the user types, not what the list puts in: a list cell of four digits shows
// whole in a three-character field (QLineEdit::maxLength would cut it on setText).
class LengthValidator : public QValidator
{
public:
    LengthValidator(int maxChars, QObject *parent) : QValidator(parent), m_max(maxChars) {}
    void setMax(int maxChars) { m_max = maxChars; }
    State validate(QString &input, int &) const override
    {
        return input.size() <= m_max ? Acceptable : Invalid;
    }

private:
    int m_max;
};

void limit(QLineEdit *edit, int maxChars)
{
    if (auto *v = const_cast<LengthValidator *>(dynamic_cast<const LengthValidator *>(edit->validator())))
        v->setMax(maxChars);
    else
        edit->setValidator(new LengthValidator(maxChars, edit));
}

int fieldWidth(const QWidget *w, int chars)
{
    return QFontMetrics(w->font()).horizontalAdvance(QString(chars + 1, QLatin1Char('0'))) + 12;
}

QLabel *heading(const QString &text)
{
    auto *label = new QLabel(text);
    QFont f = label->font();
    f.setBold(true);
    label->setFont(f);
    return label;
}

// Positions per column of fields: five phases, four steam and damper settings.
int positions(EditorField kind)
{
    return kind == EditorField::Steam || kind == EditorField::Damper ? 4 : 5;
}
} // namespace

ProgramEditorWindow::ProgramEditorWindow(AppState *state, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint),
      m_state(state)
{
    setObjectName(QStringLiteral("TwBackprogramm"));
    setWindowTitle(QStringLiteral("Backprogramm"));

    auto *blocks = new QHBoxLayout;
    blocks->addWidget(buildTemperatures());
    blocks->addWidget(buildSteam());
    blocks->addWidget(buildDamper());
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(buildHead());
    layout->addLayout(blocks);
    layout->addWidget(buildFoot());
    layout->setSizeConstraint(QLayout::SetFixedSize); // fixed border

    // Tab order: head, then the phases row by row, steam, damper, buttons.
    QList<QWidget *> order{m_name, m_number};
    for (int phase = 1; phase <= 5; ++phase)
        order << field(EditorField::BakeTime, phase) << field(EditorField::TopHeat, phase)
              << field(EditorField::BottomHeat, phase);
    for (int k = 1; k <= 4; ++k)
        order << field(EditorField::Steam, k);
    for (int k = 1; k <= 4; ++k)
        order << field(EditorField::Damper, k);
    order << m_take << m_close << m_cancel;
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    // Every field shows the all-zero record until the list fills the form.
    applyDamperMode();
    const QList<int> minuteColumns = m_state ? m_state->minuteColumns : AppState::defaultMinuteColumns();
    for (int i = 0; i < kProgramValueCount; ++i)
        m_fields[i]->setText(m_record.shownText(i, minuteColumns));
    updateTotalTime();
    markTaken();
}

QLineEdit *ProgramEditorWindow::makeField(int index, int maxChars)
{
    static const char *const prefixes[] = {"OH", "UH", "Bz", "S", "A"};
    auto *edit = new QLineEdit;
    edit->setObjectName(QLatin1String(prefixes[index % 5]) + QString::number(index / 5 + 1));
    limit(edit, maxChars);
    edit->setFixedWidth(fieldWidth(edit, maxChars));
    edit->setAlignment(Qt::AlignRight);
    edit->installEventFilter(this);
    m_fields[index] = edit;
    return edit;
}

QLineEdit *ProgramEditorWindow::field(EditorField kind, int position) const
{
    return m_fields[editorValueIndex(kind, position)];
}

QWidget *ProgramEditorWindow::buildHead()
{
    auto *box = new QGroupBox;
    box->setObjectName(QStringLiteral("KopfBlock"));
    m_name = new QLineEdit;
    m_name->setObjectName(QStringLiteral("PrgName"));
    limit(m_name, kProgramNameLength);
    m_name->setMinimumWidth(fieldWidth(m_name, kProgramNameLength));
    m_total = new QLabel;
    m_total->setObjectName(QStringLiteral("GZeit"));
    m_total->setMinimumWidth(fieldWidth(m_total, 5));
    m_number = new QSpinBox;
    m_number->setObjectName(QStringLiteral("PrgNr"));
    m_number->setRange(1, kMaxProgramNumber);
    auto *row = new QHBoxLayout(box);
    row->addWidget(new QLabel(QStringLiteral("Programmname:")));
    row->addWidget(m_name);
    row->addSpacing(12);
    row->addWidget(new QLabel(QStringLiteral("Gesamtzeit")));
    row->addWidget(m_total);
    row->addSpacing(12);
    row->addWidget(new QLabel(QStringLiteral("PrgNr:")));
    row->addWidget(m_number);
    return box;
}

QWidget *ProgramEditorWindow::buildTemperatures()
{
    auto *box = new QGroupBox;
    box->setObjectName(QStringLiteral("TempBlock"));
    auto *grid = new QGridLayout(box);
    const struct {
        EditorField kind;
        const char *title;
        const char *unit;
    } columns[] = {{EditorField::BakeTime, "Backzeit", "Min."},
                   {EditorField::TopHeat, "Oberhitze", "°C"},
                   {EditorField::BottomHeat, "Unterhitze", "°C"}};
    for (int c = 0; c < 3; ++c) {
        grid->addWidget(heading(QString::fromUtf8(columns[c].title)), 0, 2 * c + 1, 1, 2);
        for (int phase = 1; phase <= 5; ++phase) {
            grid->addWidget(makeField(editorValueIndex(columns[c].kind, phase), kFieldChars), phase, 2 * c + 1);
            grid->addWidget(new QLabel(QString::fromUtf8(columns[c].unit)), phase, 2 * c + 2);
        }
    }
    for (int phase = 1; phase <= 5; ++phase)
        grid->addWidget(new QLabel(QString::number(phase)), phase, 0);
    return box;
}

QWidget *ProgramEditorWindow::buildSteam()
{
    auto *box = new QGroupBox;
    box->setObjectName(QStringLiteral("SchwadenBlock"));
    auto *grid = new QGridLayout(box);
    grid->addWidget(heading(QStringLiteral("Schwaden")), 0, 0, 1, 2);
    const QStringList units{QStringLiteral("Sek. AUS"), QStringLiteral("Sek. EIN"), QStringLiteral("Sek. AUS"),
                            QStringLiteral("Sek. EIN")};
    for (int k = 1; k <= 4; ++k) {
        grid->addWidget(makeField(editorValueIndex(EditorField::Steam, k), kFieldChars), k, 0);
        grid->addWidget(new QLabel(units[k - 1]), k, 1);
    }
    grid->setRowStretch(5, 1);
    return box;
}

QWidget *ProgramEditorWindow::buildDamper()
{
    auto *box = new QGroupBox;
    box->setObjectName(QStringLiteral("AbzugBlock"));
    auto *grid = new QGridLayout(box);
    grid->addWidget(heading(QStringLiteral("Abzug")), 0, 0, 1, 2);
    for (int k = 1; k <= 4; ++k) {
        grid->addWidget(makeField(editorValueIndex(EditorField::Damper, k), kFieldChars), k, 0);
        m_damperUnits[k - 1] = new QLabel;
        m_damperUnits[k - 1]->setObjectName(QStringLiteral("AbzugLabel%1").arg(k));
        grid->addWidget(m_damperUnits[k - 1], k, 1);
    }
    grid->setRowStretch(5, 1);
    return box;
}

QWidget *ProgramEditorWindow::buildFoot()
{
    auto *box = new QWidget;
    box->setObjectName(QStringLiteral("FussBlock"));
    m_take = new QPushButton(QStringLiteral("Ü&bernehmen"));
    m_take->setObjectName(QStringLiteral("TakeBtn"));
    m_close = new QPushButton(QStringLiteral("Schliessen"));
    m_close->setObjectName(QStringLiteral("CloseBtn"));
    m_cancel = new QPushButton(QStringLiteral("Abbrechen"));
    m_cancel->setObjectName(QStringLiteral("CancelBtn"));
    // Enter in a field must neither take over nor close.
    for (QPushButton *b : {m_take, m_close, m_cancel})
        b->setAutoDefault(false);
    connect(m_take, &QPushButton::clicked, this, &ProgramEditorWindow::TakeBtnClick);
    connect(m_close, &QPushButton::clicked, this, &ProgramEditorWindow::reject);
    connect(m_cancel, &QPushButton::clicked, this, &ProgramEditorWindow::reject);
    auto *row = new QHBoxLayout(box);
    row->addStretch();
    row->addWidget(m_take);
    row->addWidget(m_close);
    row->addWidget(m_cancel);
    return box;
}

// The damper unit and width follow the mode each time the window opens.
void ProgramEditorWindow::applyDamperMode()
{
    const bool seconds = m_state && m_state->damperSecondsMode;
    const QStringList units = seconds ? QStringList{QStringLiteral("Sek. ZU"), QStringLiteral("Sek. AUF"),
                                                    QStringLiteral("Sek. ZU"), QStringLiteral("Sek. AUF")}
                                      : QStringList{QStringLiteral("Min. ZU"), QStringLiteral("Min. AUF"),
                                                    QStringLiteral("Min. ZU"), QStringLiteral("Min. AUF")};
    const int chars = seconds ? kDamperSecondsChars : kFieldChars;
    for (int k = 1; k <= 4; ++k) {
        m_damperUnits[k - 1]->setText(units[k - 1]);
        QLineEdit *edit = field(EditorField::Damper, k);
        limit(edit, chars);
        edit->setFixedWidth(fieldWidth(edit, chars));
    }
}

QStringList ProgramEditorWindow::fieldTexts() const
{
    QStringList texts;
    for (const QLineEdit *edit : m_fields)
        texts << edit->text();
    return texts;
}

void ProgramEditorWindow::updateRecord()
{
    m_record.update(fieldTexts(), m_state ? m_state->minuteColumns : AppState::defaultMinuteColumns());
}

void ProgramEditorWindow::updateTotalTime()
{
    m_total->setText(QString::number(m_record.totalMinutes()));
}

void ProgramEditorWindow::fill(int number, const QString &name, const QStringList &valueTexts)
{
    applyDamperMode();
    m_number->setValue(number);
    m_name->setText(name);
    for (int i = 0; i < kProgramValueCount; ++i)
        m_fields[i]->setText(valueTexts.value(i));
    updateRecord();
    updateTotalTime();
    markTaken();
}

void ProgramEditorWindow::markTaken()
{
    m_taken = program();
    m_accepted = fieldTexts();
}

bool ProgramEditorWindow::hasUntakenEdits() const
{
    const EditorProgram now = program();
    return now.name != m_taken.name || now.values != m_taken.values;
}

void ProgramEditorWindow::fill(const EditorProgram &program)
{
    fill(program.number, program.name, program.values);
}

void ProgramEditorWindow::fillFromRow(const SheetModel &list, int row)
{
    fill(programFromRow(list, row));
}

int ProgramEditorWindow::showModal()
{
    return exec();
}

EditorProgram ProgramEditorWindow::program() const
{
    EditorProgram p;
    p.number = m_number->value();
    p.name = m_name->text();
    p.values = fieldTexts();
    return p;
}

void ProgramEditorWindow::TakeBtnClick()
{
    m_number->interpretText(); // a number still being typed counts
    // Taken over by keyboard the focus never left the field: its own step runs first, so
    // the list gets what the field would show.
    std::optional<QString> problem;
    if (auto *edit = qobject_cast<QLineEdit *>(focusWidget()))
        problem = leaveField(edit);
    // A field filled in some other way (or left while another window took the focus).
    for (int i = 0; i < kProgramValueCount && !problem; ++i) {
        problem = valueProblem(i, m_fields[i]->text());
        if (problem)
            m_fields[i]->setText(m_accepted.value(i));
    }
    if (problem) {
        if (m_prompter)
            m_prompter->inform(kTypedValueCaption, *problem);
        return; // nothing the controller cannot hold goes into the list
    }
    const EditorProgram p = program();
    emit takenOver(p.number, p.name, p.values);
    markTaken();
}

QString ProgramEditorWindow::fieldName(int index) const
{
    static const char *const kinds[] = {"Backzeit", "Oberhitze", "Unterhitze", "Schwaden", "Abzug"};
    const EditorField kind = editorFieldOf(index);
    return QString::fromUtf8(kinds[static_cast<int>(kind)]) + QLatin1Char(' ') + QString::number(index / 5 + 1);
}

std::optional<QString> ProgramEditorWindow::valueProblem(int index, const QString &text) const
{
    const QList<int> minuteColumns = m_state ? m_state->minuteColumns : AppState::defaultMinuteColumns();
    const int column = index + 2;
    return typedValueProblem(fieldName(index), text, typedValueMaximum(column, minuteColumns),
                             isMinuteColumn(column, minuteColumns));
}

std::optional<QString> ProgramEditorWindow::leaveField(QLineEdit *edit)
{
    const auto it = std::find(m_fields.begin(), m_fields.end(), edit);
    if (it == m_fields.end())
        return std::nullopt;
    const int index = static_cast<int>(it - m_fields.begin());
    if (auto problem = valueProblem(index, edit->text())) {
        edit->setText(m_accepted.value(index));
        return problem;
    }
    switch (editorFieldOf(index)) {
    case EditorField::BakeTime:
        edit->setText(m_record.leaveBakeTime(index, edit->text()));
        break;
    case EditorField::TopHeat:
    case EditorField::BottomHeat:
        edit->setText(m_record.leaveHeat(index, edit->text()));
        break;
    case EditorField::Steam:
    case EditorField::Damper:
        break; // kept as typed
    }
    m_accepted[index] = edit->text();
    updateTotalTime();
    return std::nullopt;
}

bool ProgramEditorWindow::mayDiscard()
{
    if (!hasUntakenEdits() || !m_prompter)
        return true;
    return m_prompter->ask(QStringLiteral("ACHTUNG"),
                           QStringLiteral("Das Backprogramm wurde verändert und nicht übernommen!\n\r"
                                          "Sollen die Änderungen verworfen werden?"),
                           {PromptButton::Yes, PromptButton::No})
           == PromptButton::Yes;
}

// The window's close button comes here as well (QDialog::closeEvent calls reject()).
void ProgramEditorWindow::reject()
{
    if (mayDiscard())
        QDialog::reject();
}

void ProgramEditorWindow::moveInColumn(int index, int step)
{
    const EditorField kind = editorFieldOf(index);
    const int position = index / 5 + 1 + step;
    if (position >= 1 && position <= positions(kind))
        field(kind, position)->setFocus(Qt::OtherFocusReason);
}

void ProgramEditorWindow::showEvent(QShowEvent *event)
{
    applyDamperMode();
    QDialog::showEvent(event);
    if (const QScreen *screen = this->screen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
}

bool ProgramEditorWindow::eventFilter(QObject *watched, QEvent *event)
{
    auto *edit = qobject_cast<QLineEdit *>(watched);
    const auto it = std::find(m_fields.begin(), m_fields.end(), edit);
    if (edit && it != m_fields.end()) {
        const int index = static_cast<int>(it - m_fields.begin());
        if (event->type() == QEvent::FocusOut) {
            // Only when the user moves on, not when another window or a menu takes over.
            const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
                if (auto problem = leaveField(edit)) {
                    // Said once the focus has moved on; then the field is to be typed again.
                    QTimer::singleShot(0, this, [this, edit, text = *problem] {
                        if (m_prompter)
                            m_prompter->inform(kTypedValueCaption, text);
                        edit->setFocus(Qt::OtherFocusReason);
                        edit->selectAll();
                    });
                }
            }
        } else if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Down || key == Qt::Key_Up) {
                moveInColumn(index, key == Qt::Key_Down ? 1 : -1);
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace torvel
