#include "countdownbox.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QTimer>

namespace torvel {

namespace {
const QString kLineBreak = QStringLiteral("\r\n");
constexpr int kMargin = 8;
constexpr int kGap = 6;
constexpr int kTickMs = 1000;

int s_boxCount = 0;

// A quarter of a screen side, ties to the even neighbour (1050 -> 262, 1086 -> 272).
int quarter(int side)
{
    const int base = side / 4;
    const int rest = side % 4;
    if (rest < 2)
        return base;
    if (rest > 2)
        return base + 1;
    return base % 2 == 0 ? base : base + 1;
}
} // namespace

QPoint placeShowbox(int count, QSize screen, QSize box)
{
    if (count <= 1)
        return QPoint((screen.width() - box.width()) / 2, (screen.height() - box.height()) / 2);
    const int q = quarter(screen.height());
    const int step = q > 0 ? (10 * (count - 1)) % q : 0;
    return QPoint(quarter(screen.width()) + step, q + step);
}

QStringList showboxLines(const QString &text)
{
    // The added break makes the last line end like the others; it is no line of its own.
    const QStringList pieces = (text + kLineBreak).split(kLineBreak);
    QStringList lines;
    for (int i = 0; i < 3; ++i)
        lines << (i < pieces.size() - 1 ? pieces.at(i) : QString());
    lines << (pieces.size() > 4 ? pieces.mid(3, pieces.size() - 4).join(kLineBreak) : QString());
    return lines;
}

CountdownBox::CountdownBox(QWidget *parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint
                          | Qt::MSWindowsFixedSizeDialogHint),
      m_okBtn(new QPushButton(QStringLiteral("OK"), this)), m_timer1(new QTimer(this)), m_timer2(new QTimer(this))
{
    setObjectName(QStringLiteral("TwShowbox"));
    setAttribute(Qt::WA_DeleteOnClose);

    QPalette red = palette();
    red.setColor(QPalette::WindowText, Qt::red);
    for (int i = 0; i < 4; ++i) {
        auto *label = new QLabel(this);
        label->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignCenter);
        label->setPalette(red);
        m_labels[i] = label;
    }
    m_okBtn->setObjectName(QStringLiteral("OKBtn"));
    connect(m_okBtn, &QPushButton::clicked, this, &CountdownBox::finish);
    m_panel = makePanel();

    m_timer1->setObjectName(QStringLiteral("Timer1"));
    connect(m_timer1, &QTimer::timeout, this, &CountdownBox::finish);
    m_timer2->setObjectName(QStringLiteral("Timer2"));
    m_timer2->setInterval(kTickMs);
    connect(m_timer2, &QTimer::timeout, this, &CountdownBox::countDown);
    m_timer2->start();

    setText(QString());
}

QWidget *CountdownBox::makePanel()
{
    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    auto *row = new QHBoxLayout(panel);
    row->setContentsMargins(6, 4, 6, 4);

    auto plain = [panel](const QString &text) {
        auto *label = new QLabel(text, panel);
        label->setTextFormat(Qt::PlainText);
        return label;
    };
    row->addWidget(plain(QStringLiteral("in")));
    m_sekunden = plain(QString::number(m_seconds));
    m_sekunden->setObjectName(QStringLiteral("Sekunden"));
    row->addWidget(m_sekunden);
    row->addWidget(plain(QStringLiteral("sek wird automatisch OK       gewählt")));
    m_button1 = new QPushButton(QStringLiteral("OK"), panel);
    m_button1->setObjectName(QStringLiteral("Button1"));
    row->addWidget(m_button1);
    m_button2 = new QPushButton(QStringLiteral("Abbrechen"), panel);
    m_button2->setObjectName(QStringLiteral("Button2"));
    row->addWidget(m_button2);
    connect(m_button1, &QPushButton::clicked, this, &CountdownBox::finish);
    connect(m_button2, &QPushButton::clicked, this, &CountdownBox::finish);
    return panel;
}

CountdownBox *CountdownBox::showTimedMessage(const QString &caption, const QString &text, int ms, QWidget *parent,
                                       QScreen *screen)
{
    if (s_boxCount < kMaxBoxCount)
        ++s_boxCount;
    auto *box = new CountdownBox(parent);
    box->setDisplayTime(ms);
    box->setWindowTitle(caption);
    box->m_okBtn->hide(); // the count-down panel answers instead
    box->setText(text);

    if (!screen)
        screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        const QRect desk = screen->availableGeometry();
        box->move(desk.topLeft() + placeShowbox(s_boxCount, desk.size(), box->size()));
    }
    box->show();
    box->m_button2->setFocus();
    return box;
}

int CountdownBox::boxCount()
{
    return s_boxCount;
}

void CountdownBox::setBoxCount(int count)
{
    s_boxCount = qBound(0, count, int(kMaxBoxCount));
}

void CountdownBox::setDisplayTime(int ms)
{
    m_timeMs = ms > 0 ? ms : kDefaultTimeMs;
}

void CountdownBox::setText(const QString &text)
{
    const QStringList lines = showboxLines(text);
    for (int i = 0; i < 4; ++i) {
        QLabel *label = m_labels[i];
        QString shown = lines.at(i);
        label->setText(shown.replace(kLineBreak, QStringLiteral("\n")));
        label->resize(label->sizeHint().width(), kLabelHeight);
        label->show();
    }
    // From the bottom up, an empty line disappears and the line above it gets the extra air.
    for (int i = 3; i >= 1; --i) {
        if (m_labels[i]->text().isEmpty()) {
            m_labels[i]->hide();
            m_labels[i - 1]->resize(m_labels[i - 1]->width(), kLastLabelHeight);
        }
    }
    arrange();
}

// Lines stacked from the top, then the OK button when shown, then the count-down panel.
// The box is as wide as the panel needs, wider when a line is longer; lines are centred.
void CountdownBox::arrange()
{
    const QSize panelSize = m_panel->sizeHint();
    int width = panelSize.width() + 2 * kMargin;
    for (const QLabel *label : m_labels) {
        if (label->width() > width)
            width = label->width() + kWiderBy;
    }

    int y = kMargin;
    for (QLabel *label : m_labels) {
        if (label->isHidden())
            continue;
        // A label holding several lines is as tall as its text.
        const bool lines = label->text().contains(QLatin1Char('\n'));
        const int height = lines ? qMax(label->height(), label->sizeHint().height()) : label->height();
        label->setGeometry(width / 2 - label->width() / 2, y, label->width(), height);
        y += height;
    }
    if (!m_okBtn->isHidden()) {
        const QSize button = m_okBtn->sizeHint();
        y += kGap;
        m_okBtn->setGeometry((width - button.width()) / 2, y, button.width(), button.height());
        y += button.height();
    }
    y += kGap;
    m_panel->setGeometry((width - panelSize.width()) / 2, y, panelSize.width(), panelSize.height());
    y += panelSize.height() + kMargin;
    setFixedSize(width, y);
}

void CountdownBox::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    m_seconds = m_timeMs / 1000;
    m_sekunden->setText(QString::number(m_seconds));
    m_timer1->start(m_timeMs);
}

// Runs on past zero: the box is gone by then unless the time was not whole seconds.
void CountdownBox::countDown()
{
    --m_seconds;
    m_sekunden->setText(QString::number(m_seconds));
}

void CountdownBox::finish()
{
    if (m_finishing)
        return;
    m_finishing = true;
    m_timer1->stop();
    // Lets a pending repaint or click land before the box goes.
    QPointer<CountdownBox> self(this);
    QCoreApplication::processEvents();
    if (self)
        close();
}

void CountdownBox::closeEvent(QCloseEvent *event)
{
    m_timer1->stop();
    m_timer2->stop();
    event->accept();
}

} // namespace torvel
