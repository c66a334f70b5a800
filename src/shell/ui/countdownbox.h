#pragma once
// The timed warning box: up to four red lines, a count-down and two buttons that both just
// close it. It stays on top and closes itself after the display time. Boxes shown one after
// the other step down the screen so a new one never hides the last.

#include <QPoint>
#include <QSize>
#include <QStringList>
#include <QWidget>

class QLabel;
class QPushButton;
class QScreen;
class QTimer;

namespace torvel {

// Where box number `count` (1 = first of the run) goes on a screen of `screen` size: the
// first is centred, later ones step 10 px down and right, wrapping within a quarter of
// the screen height, from (width / 4, height / 4).
QPoint placeShowbox(int count, QSize screen, QSize box);

// The four label texts: lines 1 to 3 one each, all further lines together in the fourth
// (still joined with "\r\n").
QStringList showboxLines(const QString &text);

class CountdownBox : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kDefaultTimeMs = 10000;
    static constexpr int kMaxBoxCount = 32767;
    static constexpr int kLabelHeight = 20;
    static constexpr int kLastLabelHeight = 25; // a little air under the last line
    static constexpr int kWiderBy = 15;

    explicit CountdownBox(QWidget *parent = nullptr);

    // Creates, places and shows a box; returns at once. ms <= 0 means 10 s. The box
    // deletes itself when it closes. `screen` defaults to the parent's or the primary one.
    static CountdownBox *showTimedMessage(const QString &caption, const QString &text, int ms,
                                       QWidget *parent = nullptr, QScreen *screen = nullptr);

    // Boxes shown so far in this run (stops at 32767); tests set it.
    static int boxCount();
    static void setBoxCount(int count);

    // Fills the labels from `text` and sizes the box around them.
    void setText(const QString &text);
    void setDisplayTime(int ms);
    int displayTime() const { return m_timeMs; }
    int seconds() const { return m_seconds; }

    QLabel *label(int number) const { return m_labels[number - 1]; } // 1..4
    QLabel *sekunden() const { return m_sekunden; }
    QWidget *panel() const { return m_panel; }
    QPushButton *okButton() const { return m_okBtn; }
    QPushButton *button1() const { return m_button1; }
    QPushButton *button2() const { return m_button2; }
    QTimer *timer1() const { return m_timer1; }
    QTimer *timer2() const { return m_timer2; }

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    QWidget *makePanel();
    void arrange();
    void countDown();
    void finish();

    QLabel *m_labels[4] = {};
    QPushButton *m_okBtn;
    QWidget *m_panel = nullptr;
    QLabel *m_sekunden = nullptr;
    QPushButton *m_button1 = nullptr;
    QPushButton *m_button2 = nullptr;
    QTimer *m_timer1;
    QTimer *m_timer2;
    int m_timeMs = kDefaultTimeMs;
    int m_seconds = 0;
    bool m_finishing = false;
};

} // namespace torvel
