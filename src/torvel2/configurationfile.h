#pragma once
// The configuration part of a Torvel record file: ini sections "Version", "VKS-Info" and
// "VKS-Konfiguration" (format 001.003), written and read through ProfileFile. Parameter NN
// (from 00) has the keys "ParameterNN_Text", "_Bytes", "_signed", "_Wert", "_MIN", "_MAX" and
// "_Default".

#include "torvelconfiguration.h"

#include <QString>

namespace torvel {

class ProfileFile;
class Prompter;

inline const QString kConfigCheckFileName = QStringLiteral("Config_MinMaxCheck.txt");

// Results of ReadConfiguration.
constexpr int kConfigOk = 0;
constexpr int kConfigCannotOpen = -1;
constexpr int kConfigNotValid = -2;     // "Datei" not NNN.NNN, or "Datei" or "Steuerung" empty
constexpr int kConfigOldVersion = -3;   // "Datei" below 001.001

// Adds the sections behind what `file` holds (deleteFirst: starts from an empty file).
void WriteConfiguration(bool deleteFirst, ProfileFile &file, const TorvelConfiguration &config);

// Reads the configuration from `file` into `config`; `message` gets "" or the reason
// ("Keine gültige Konfigurationsdatei", ...). Values outside their minimum and maximum are set
// to the nearer limit; the changes go to "Config_MinMaxCheck.txt" in `logFolder` and, with a
// prompter, a box (caption "Achtung") tells that parameters were set to their limits. On
// failure the parameter list is one empty parameter.
int ReadConfiguration(const ProfileFile &file, TorvelConfiguration &config, QString &message,
                      const QString &logFolder, Prompter *prompter);

// The message of a result code.
QString configurationMessage(int result);

} // namespace torvel
