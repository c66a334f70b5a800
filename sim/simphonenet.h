#pragma once
// The telephone network of the simulation and the bakeries on it. Every bakery has its own
// line of controllers behind its own Torvel modem and is reached under its own numbers;
// one of them also answers every number that has no entry. Chosen numbers can be busy, ring
// without an answer or fail to bring up a carrier.

#include <QList>
#include <QMap>
#include <QObject>
#include <QSet>
#include <QString>

namespace torvel::sim {

class SimLine;
class SimModem;
struct SimModemTiming;

// A bakery at the other end of the phone line: its Torvel modem in front of its line.
class SimBakery : public QObject
{
    Q_OBJECT
public:
    explicit SimBakery(QObject *parent = nullptr);
    ~SimBakery() override;

    SimModem &modem() { return *m_modem; }
    SimLine &line() { return *m_line; }

private:
    SimLine *m_line;
    SimModem *m_modem;
};

class SimPhoneNet : public QObject
{
    Q_OBJECT
public:
    enum class Outcome { Rings, Busy, NoAnswer, NoCarrier };

    explicit SimPhoneNet(QObject *parent = nullptr);

    // A new bakery reached under `number` (empty: under no number of its own). The first
    // bakery also answers every number without an entry.
    SimBakery *addBakery(const QString &number = QString());
    SimBakery *defaultBakery() const { return m_default; }
    void setDefaultBakery(SimBakery *bakery) { m_default = bakery; }
    // The bakery a number reaches, or null.
    SimBakery *bakery(const QString &number) const;

    void setBusy(const QString &number);
    void setUnanswered(const QString &number);
    // The far modem answers, but no carrier comes up between the two.
    void setNoCarrier(const QString &number);
    void setTiming(const SimModemTiming &timing);

    // Rings the number's bakery; *callee is its modem when it rings. A bakery busy with
    // another call is busy.
    Outcome call(SimModem *caller, const QString &number, SimModem **callee);

    // Every number dialled, in order.
    const QStringList &dialled() const { return m_dialled; }

private:
    static QString digits(const QString &number);

    QList<SimBakery *> m_bakeries;
    QMap<QString, SimBakery *> m_numbers;
    SimBakery *m_default = nullptr;
    QSet<QString> m_busy;
    QSet<QString> m_unanswered;
    QSet<QString> m_noCarrier;
    QStringList m_dialled;
};

} // namespace torvel::sim
