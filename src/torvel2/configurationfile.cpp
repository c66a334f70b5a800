#include "configurationfile.h"

#include "recordtexts.h"

#include "shell/profilefile.h"
#include "shell/prompter.h"
#include "shell/textlines.h"

#include <QDir>

namespace torvel {

namespace {
const QString kVersionSection = QStringLiteral("Version");
const QString kInfoSection = QStringLiteral("VKS-Info");
const QString kParameterSection = QStringLiteral("VKS-Konfiguration");
constexpr int kFormatMajor = 1;
constexpr int kFormatMinor = 3;
constexpr int kOldestFormat = 1001;
// More parameters than this are no configuration of a controller.
constexpr int kMaxParameters = 1000;

QString key(int position, const char *field)
{
    return QStringLiteral("Parameter%1_%2").arg(position, 2, 10, QLatin1Char('0')).arg(QLatin1String(field));
}

// "NNN.NNN" without its point, as a number; -1 when the text has another form.
int formatNumber(const QString &datei)
{
    if (datei.size() != 7 || datei.at(3) != QLatin1Char('.'))
        return -1;
    const QString digits = datei.left(3) + datei.mid(4);
    for (const QChar c : digits)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return -1;
    return digits.toInt();
}

bool readNumber(const ProfileFile &file, const QString &name, int *value)
{
    bool ok = false;
    *value = file.value(kParameterSection, name).toInt(&ok, 10);
    return ok;
}

// Sets values outside their limits to the nearer one; the report lines of the changes.
QStringList clampValues(TorvelConfiguration &config)
{
    QStringList report;
    for (int i = 0; i < config.parameters.size(); ++i) {
        ConfigParameter &p = config.parameters[i];
        const int old = p.value;
        if (p.value < p.minimum)
            p.value = p.minimum;
        else if (p.value > p.maximum)
            p.value = p.maximum;
        if (p.value != old)
            report << QStringLiteral("Parameter%1 \"%2\": %3 liegt außerhalb %4..%5, gesetzt auf %6")
                          .arg(i, 2, 10, QLatin1Char('0'))
                          .arg(p.text)
                          .arg(old)
                          .arg(p.minimum)
                          .arg(p.maximum)
                          .arg(p.value);
    }
    return report;
}

QString writeReport(const QStringList &lines, const QString &logFolder)
{
    TextLineWriter writer;
    for (const QString &line : lines)
        writer.writeLine(line);
    const QString file = QDir(logFolder).filePath(kConfigCheckFileName);
    QString error;
    if (QDir().mkpath(logFolder) && writeTextFile(file, writer.bytes(), &error))
        return QStringLiteral("Die Änderungen stehen in \"%1\".").arg(QDir::toNativeSeparators(file));
    return QStringLiteral("Der Bericht \"%1\" konnte nicht geschrieben werden.").arg(QDir::toNativeSeparators(file));
}
} // namespace

QString configurationMessage(int result)
{
    switch (result) {
    case kConfigOk:
        return {};
    case kConfigOldVersion:
        return QStringLiteral("Version der Konfigurationsdatei ungültig.");
    case kConfigNotValid:
        return QStringLiteral("Keine gültige Konfigurationsdatei");
    default:
        return QStringLiteral("Kann Datei nicht öffnen.");
    }
}

void WriteConfiguration(bool deleteFirst, ProfileFile &file, const TorvelConfiguration &config)
{
    if (deleteFirst)
        file = ProfileFile();
    file.setValue(kVersionSection, QStringLiteral("Datei"), QString::asprintf("%.3d.%.3d", kFormatMajor, kFormatMinor));
    file.setValue(kVersionSection, QStringLiteral("Steuerung"), config.version);
    file.setValue(kInfoSection, QStringLiteral("AdressParNr"), QStringLiteral("-1"));
    for (int i = 0; i < config.parameters.size(); ++i) {
        const ConfigParameter &p = config.parameters.at(i);
        file.setValue(kParameterSection, key(i, "Text"), p.text);
        file.setValue(kParameterSection, key(i, "Bytes"), p.twoBytes ? QStringLiteral("2") : QStringLiteral("1"));
        file.setValue(kParameterSection, key(i, "signed"), p.isSigned ? QStringLiteral("1") : QStringLiteral("0"));
        file.setValue(kParameterSection, key(i, "Wert"), QString::number(p.value));
        file.setValue(kParameterSection, key(i, "MIN"), QString::number(p.minimum));
        file.setValue(kParameterSection, key(i, "MAX"), QString::number(p.maximum));
        file.setValue(kParameterSection, key(i, "Default"), QString::number(p.defaultValue));
        if (p.text.toUpper().contains(QStringLiteral("ADRESSE")))
            file.setValue(kInfoSection, QStringLiteral("AdressParNr"), QString::number(i));
    }
}

int ReadConfiguration(const ProfileFile &file, TorvelConfiguration &config, QString &message,
                      const QString &logFolder, Prompter *prompter)
{
    const auto fail = [&](int result) {
        config.parameters = {ConfigParameter{}};
        message = configurationMessage(result);
        return result;
    };
    const QString datei = file.value(kVersionSection, QStringLiteral("Datei"));
    const int format = formatNumber(datei);
    if (format < 0)
        return fail(kConfigNotValid);
    if (format < kOldestFormat)
        return fail(kConfigOldVersion);
    const QString steuerung = file.value(kVersionSection, QStringLiteral("Steuerung"));
    if (steuerung.isEmpty())
        return fail(kConfigNotValid);

    int count = 0;
    for (const QString &k : file.keys(kParameterSection)) {
        const QString upper = k.toUpper();
        if (upper.contains(QStringLiteral("PARAMETER")) && upper.contains(QStringLiteral("WERT")))
            ++count;
    }
    if (count > kMaxParameters)
        return fail(kConfigNotValid);
    QList<ConfigParameter> parameters;
    for (int i = 0; i < count; ++i) {
        ConfigParameter p;
        p.text = file.value(kParameterSection, key(i, "Text"));
        p.twoBytes = file.value(kParameterSection, key(i, "Bytes")) == QStringLiteral("2");
        p.isSigned = file.value(kParameterSection, key(i, "signed")) == QStringLiteral("1");
        // A number that is none cannot be carried on to a controller.
        if (!readNumber(file, key(i, "Wert"), &p.value) || !readNumber(file, key(i, "MIN"), &p.minimum)
            || !readNumber(file, key(i, "MAX"), &p.maximum) || !readNumber(file, key(i, "Default"), &p.defaultValue))
            return fail(kConfigNotValid);
        parameters << p;
    }
    config.version = steuerung;
    config.parameters = parameters;
    const QStringList changes = clampValues(config);
    if (!changes.isEmpty() && prompter)
        prompter->inform(recordtext::kAchtung,
                         QStringLiteral("Einige Parameter der Konfiguration lagen außerhalb ihrer Grenzen und "
                                        "wurden auf Minimum/Maximum gesetzt!\r\n")
                             + writeReport(changes, logFolder));
    else if (!changes.isEmpty())
        writeReport(changes, logFolder);
    message.clear();
    return kConfigOk;
}

} // namespace torvel
