#pragma once
// Dial-up access to simulated bakeries: the PC modem on the phone network, with one bakery
// (its Torvel modem and its line) behind every number. The port "SIMMODEM" and
// torvelsim --modem offer it.

#include <QObject>

namespace torvel::sim {

class SimBakery;
class SimLine;
class SimModem;
class SimPhoneNet;
struct SimModemTiming;

class SimDialUp : public QObject
{
    Q_OBJECT
public:
    explicit SimDialUp(QObject *parent = nullptr);
    ~SimDialUp() override;

    SimModem &pcModem() { return *m_pcModem; }
    SimPhoneNet &network() { return *m_network; }
    // The bakery every number reaches unless told otherwise, and its line.
    SimBakery &bakery();
    SimLine &line();

    // The pauses of every modem, the PC's and the bakeries'.
    void setTiming(const SimModemTiming &timing);

private:
    SimPhoneNet *m_network;
    SimModem *m_pcModem;
};

} // namespace torvel::sim
