#pragma once
// The configuration part of a Torvel record. This program never reads it from or sends it to a
// controller; it only carries it from record file to record file.

#include <QList>
#include <QString>

namespace torvel {

struct ConfigParameter {
    int number = 0; // not stored in files
    QString text;   // the name shown to the user
    bool twoBytes = false;
    bool isSigned = false;
    int value = 0;
    int minimum = 0;
    int maximum = 0;
    int defaultValue = 0;

    bool operator==(const ConfigParameter &other) const = default;
};

struct TorvelConfiguration {
    QString version; // the controller's version text ("Steuerung")
    QList<ConfigParameter> parameters;

    bool operator==(const TorvelConfiguration &other) const = default;
};

} // namespace torvel
