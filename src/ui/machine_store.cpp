#include "ui/machine_store.h"

#include <QSettings>

#include "model/scale_choices.h"

namespace mensora {

namespace {

template <typename Choice>
Choice readChoice(const QSettings& settings, const QString& key, Choice fallback)
{
    const auto named = choiceNamed<Choice>(settings.value(key).toString().toStdString());
    return named.value_or(fallback);
}

template <typename Choice>
void writeChoice(QSettings& settings, const QString& key, Choice choice)
{
    const std::string_view name = choiceName(choice);
    settings.setValue(key, QString::fromUtf8(name.data(), qsizetype(name.size())));
}

double readNumber(const QSettings& settings, const QString& key, double fallback)
{
    bool ok = false;
    const double value = settings.value(key).toDouble(&ok);
    return ok ? value : fallback;
}

// A rate and its unit under two keys: "feed" and "feedUnit".
std::optional<Rate> readRate(const QSettings& settings, const QString& key)
{
    bool ok = false;
    const double value = settings.value(key).toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return Rate { value, readChoice(settings, key + "Unit", Unit::Millimetre) };
}

void writeRate(QSettings& settings, const QString& key, const std::optional<Rate>& rate)
{
    if (!rate) {
        settings.remove(key);
        settings.remove(key + "Unit");
        return;
    }
    settings.setValue(key, rate->perMinute);
    writeChoice(settings, key + "Unit", rate->unit);
}

} // namespace

MachineSettings loadMachineSettings()
{
    QSettings settings;
    settings.beginGroup(QStringLiteral("machine"));
    MachineSettings m;
    m.profile = readChoice(settings, QStringLiteral("profile"), m.profile);
    m.feed = readRate(settings, QStringLiteral("feed"));
    m.plungeFeed = readRate(settings, QStringLiteral("plungeFeed"));
    m.rapidRate = readRate(settings, QStringLiteral("rapidRate"));
    m.safeHeight = readNumber(settings, QStringLiteral("safeHeight"), m.safeHeight);
    m.spindleSpeed = readNumber(settings, QStringLiteral("spindleSpeed"), m.spindleSpeed);
    m.laserPower = readNumber(settings, QStringLiteral("laserPower"), m.laserPower);
    m.lineNumbers = settings.value(QStringLiteral("lineNumbers"), m.lineNumbers).toBool();
    m.passes = readNumber(settings, QStringLiteral("passes"), m.passes);
    m.order = readChoice(settings, QStringLiteral("order"), m.order);
    return m;
}

void saveMachineSettings(const MachineSettings& m)
{
    QSettings settings;
    settings.beginGroup(QStringLiteral("machine"));
    writeChoice(settings, QStringLiteral("profile"), m.profile);
    writeRate(settings, QStringLiteral("feed"), m.feed);
    writeRate(settings, QStringLiteral("plungeFeed"), m.plungeFeed);
    writeRate(settings, QStringLiteral("rapidRate"), m.rapidRate);
    settings.setValue(QStringLiteral("safeHeight"), m.safeHeight);
    settings.setValue(QStringLiteral("spindleSpeed"), m.spindleSpeed);
    settings.setValue(QStringLiteral("laserPower"), m.laserPower);
    settings.setValue(QStringLiteral("lineNumbers"), m.lineNumbers);
    settings.setValue(QStringLiteral("passes"), m.passes);
    writeChoice(settings, QStringLiteral("order"), m.order);
}

namespace {
const QString readinessKey = QStringLiteral("machine/skipReadinessCheck");
const QString plotReadinessKey = QStringLiteral("machine/skipPlotReadinessCheck");
} // namespace

bool readinessCheckDeclined()
{
    return QSettings().value(readinessKey, false).toBool();
}

void declineReadinessCheck()
{
    QSettings().setValue(readinessKey, true);
}

bool plotReadinessDeclined()
{
    return QSettings().value(plotReadinessKey, false).toBool();
}

void declinePlotReadiness()
{
    QSettings().setValue(plotReadinessKey, true);
}

} // namespace mensora
