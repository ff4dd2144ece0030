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

// A size of the tool and its unit under two keys: "spot" and "spotUnit".
std::optional<ToolLength> readLength(const QSettings& settings, const QString& key)
{
    const std::optional<Rate> read = readRate(settings, key);
    if (!read)
        return std::nullopt;
    return ToolLength { read->perMinute, read->unit };
}

void writeLength(QSettings& settings, const QString& key, const std::optional<ToolLength>& length)
{
    writeRate(settings, key,
        length ? std::optional<Rate>(Rate { length->value, length->unit }) : std::nullopt);
}

ToolSettings readTool(const QSettings& settings)
{
    ToolSettings t;
    t.router = readChoice(settings, QStringLiteral("tool"), t.router);
    t.vbitAngle = readNumber(settings, QStringLiteral("vbitAngle"), t.vbitAngle);
    t.vbitTip = readLength(settings, QStringLiteral("vbitTip")).value_or(t.vbitTip);
    t.endMillDiameter
        = readLength(settings, QStringLiteral("endMillDiameter")).value_or(t.endMillDiameter);
    t.stepover = readNumber(settings, QStringLiteral("stepover"), t.stepover);
    t.spot = readLength(settings, QStringLiteral("spot")).value_or(t.spot);
    t.lineInterval = readLength(settings, QStringLiteral("lineInterval"));
    t.sMax = readNumber(settings, QStringLiteral("sMax"), t.sMax);
    t.bladeOffset = readLength(settings, QStringLiteral("bladeOffset")).value_or(t.bladeOffset);
    t.overcut = readLength(settings, QStringLiteral("overcut")).value_or(t.overcut);
    return t;
}

void writeTool(QSettings& settings, const ToolSettings& t)
{
    writeChoice(settings, QStringLiteral("tool"), t.router);
    settings.setValue(QStringLiteral("vbitAngle"), t.vbitAngle);
    writeLength(settings, QStringLiteral("vbitTip"), t.vbitTip);
    writeLength(settings, QStringLiteral("endMillDiameter"), t.endMillDiameter);
    settings.setValue(QStringLiteral("stepover"), t.stepover);
    writeLength(settings, QStringLiteral("spot"), t.spot);
    writeLength(settings, QStringLiteral("lineInterval"), t.lineInterval);
    settings.setValue(QStringLiteral("sMax"), t.sMax);
    writeLength(settings, QStringLiteral("bladeOffset"), t.bladeOffset);
    writeLength(settings, QStringLiteral("overcut"), t.overcut);
}

} // namespace

namespace {

QString profileGroup(MachineProfile profile)
{
    const std::string_view name = choiceName(profile);
    return QStringLiteral("machine/profiles/")
        + QString::fromUtf8(name.data(), qsizetype(name.size()));
}

// The settings in the group the QSettings stands in.
MachineSettings readSettings(const QSettings& settings, MachineProfile profile)
{
    MachineSettings m;
    m.profile = profile;
    m.feed = readRate(settings, QStringLiteral("feed"));
    m.plungeFeed = readRate(settings, QStringLiteral("plungeFeed"));
    m.rapidRate = readRate(settings, QStringLiteral("rapidRate"));
    m.safeHeight = readNumber(settings, QStringLiteral("safeHeight"), m.safeHeight);
    m.spindleSpeed = readNumber(settings, QStringLiteral("spindleSpeed"), m.spindleSpeed);
    m.laserPower = readNumber(settings, QStringLiteral("laserPower"), m.laserPower);
    m.lineNumbers = settings.value(QStringLiteral("lineNumbers"), m.lineNumbers).toBool();
    m.passes = readNumber(settings, QStringLiteral("passes"), m.passes);
    m.order = readChoice(settings, QStringLiteral("order"), m.order);
    m.tool = readTool(settings);
    return m;
}

} // namespace

MachineSettings loadMachineSettings()
{
    const QSettings settings;
    const MachineProfile profile
        = readChoice(settings, QStringLiteral("machine/profile"), MachineProfile::Plain);
    return loadProfileSettings(profile);
}

MachineSettings loadProfileSettings(MachineProfile profile)
{
    QSettings settings;
    // A profile that kept no settings of its own (its order is always kept) takes the one set
    // of earlier versions.
    const QString own = profileGroup(profile);
    settings.beginGroup(
        settings.contains(own + QStringLiteral("/order")) ? own : QStringLiteral("machine"));
    return readSettings(settings, profile);
}

void saveMachineSettings(const MachineSettings& m)
{
    saveProfileSettings(m);
    QSettings settings;
    writeChoice(settings, QStringLiteral("machine/profile"), m.profile);
}

void saveProfileSettings(const MachineSettings& m)
{
    QSettings settings;
    settings.beginGroup(profileGroup(m.profile));
    writeRate(settings, QStringLiteral("feed"), m.feed);
    writeRate(settings, QStringLiteral("plungeFeed"), m.plungeFeed);
    writeRate(settings, QStringLiteral("rapidRate"), m.rapidRate);
    settings.setValue(QStringLiteral("safeHeight"), m.safeHeight);
    settings.setValue(QStringLiteral("spindleSpeed"), m.spindleSpeed);
    settings.setValue(QStringLiteral("laserPower"), m.laserPower);
    settings.setValue(QStringLiteral("lineNumbers"), m.lineNumbers);
    settings.setValue(QStringLiteral("passes"), m.passes);
    writeChoice(settings, QStringLiteral("order"), m.order);
    writeTool(settings, m.tool);
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
