#include "model/value_laws.h"

#include <array>
#include <charconv>
#include <cmath>

#include "model/number_text.h"

namespace mensora {

namespace {

Refusal spacingRefusal(SpacingSetting setting, std::string message)
{
    return { setting, std::move(message) };
}

// A value tried across the range, to six significant digits: the trials fall between the
// values typed.
std::string trialText(double value)
{
    char buffer[32];
    const auto written
        = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 6);
    return std::string(buffer, written.ptr);
}

std::string rangeText(const SpacingSettings& s)
{
    return "the values " + valueText(s.from) + " to " + valueText(s.to);
}

// A law of values above 0 only.
std::optional<Refusal> positiveRange(const SpacingSettings& s, const char* law)
{
    if (s.from > 0)
        return std::nullopt;
    return spacingRefusal(SpacingSetting::Values,
        "A " + std::string(law) + " scale takes values above 0 only, and " + rangeText(s)
            + " reach 0 or below.");
}

} // namespace

double LogarithmicLaw::at(double value) const
{
    return std::log10(value);
}

double PowerLaw::at(double value) const
{
    return std::pow(value, m_exponent);
}

double ReciprocalLaw::at(double value) const
{
    return 1 / value;
}

double DecibelLaw::at(double value) const
{
    return std::pow(10.0, value / m_perDecade);
}

Result<SharedLaw> logarithmicLaw(const SpacingSettings& s)
{
    if (auto refusal = positiveRange(s, "logarithmic"))
        return *refusal;
    return SharedLaw(std::make_shared<const LogarithmicLaw>());
}

Result<SharedLaw> powerLaw(const SpacingSettings& s)
{
    if (!std::isfinite(s.exponent) || s.exponent == 0)
        return spacingRefusal(SpacingSetting::Exponent,
            spacingSettingCaption(SpacingSetting::Exponent)
                + " must be a finite number other than 0.");
    return SharedLaw(std::make_shared<const PowerLaw>(s.exponent));
}

Result<SharedLaw> reciprocalLaw(const SpacingSettings& s)
{
    if (auto refusal = positiveRange(s, "reciprocal"))
        return *refusal;
    return SharedLaw(std::make_shared<const ReciprocalLaw>());
}

Result<SharedLaw> decibelLaw(const SpacingSettings&)
{
    return SharedLaw(std::make_shared<const DecibelLaw>(20));
}

Result<SharedLaw> decibelPowerLaw(const SpacingSettings&)
{
    return SharedLaw(std::make_shared<const DecibelLaw>(10));
}

std::optional<Refusal> rangeRefusal(const SpacingSettings& s)
{
    if (!std::isfinite(s.from) || !std::isfinite(s.to))
        return spacingRefusal(SpacingSetting::Values,
            spacingSettingCaption(SpacingSetting::Values) + " must be finite numbers.");
    if (!(s.from < s.to))
        return spacingRefusal(SpacingSetting::Values,
            spacingSettingCaption(SpacingSetting::Values)
                + " must run from a lower value to a higher one, not " + valueText(s.from) + " to "
                + valueText(s.to) + ": Reverse runs them from the far end.");
    return std::nullopt;
}

std::optional<Refusal> lawRefusal(const ValueLaw& law, double from, double to,
    const std::string& described, SpacingSetting setting)
{
    if (law.monotonicEverywhere())
        return std::nullopt;
    const std::string range = " over the values " + valueText(from) + " to " + valueText(to);
    double before = 0;
    int sense = 0;
    for (int j = 0; j < lawTrials; ++j) {
        const double v = j == lawTrials - 1 ? to : from + (to - from) * j / (lawTrials - 1);
        const double f = law.at(v);
        if (!std::isfinite(f))
            return spacingRefusal(setting,
                described + " is not finite" + range + ": it fails at v = " + trialText(v) + ".");
        if (j > 0) {
            const int step = f > before ? 1 : f < before ? -1 : 0;
            if (j == 1)
                sense = step;
            if (step == 0 || step != sense)
                return spacingRefusal(setting,
                    described + " is not strictly monotonic" + range
                        + ": it turns back at v = " + trialText(v) + ".");
        }
        before = f;
    }
    return std::nullopt;
}

std::string spacingSettingCaption(SpacingSetting setting)
{
    static constexpr std::array<const char*, 7> captions
        = { "Spacing", "Power", "Formula", "Measured points", "Values", "Segments", "Minimum gap" };
    return captions[static_cast<std::size_t>(setting)];
}

} // namespace mensora
