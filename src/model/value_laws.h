#pragma once

#include <memory>
#include <string>

#include "model/result.h"
#include "model/spacing_settings.h"

namespace mensora {

// The law of a scale of values: f(v). The scale stands value v at
// length × (f(v) − f(from)) / (f(to) − f(from)), so only f's differences count, and f may
// fall as v grows (a reciprocal scale).
class ValueLaw
{
public:
    virtual ~ValueLaw() = default;
    virtual double at(double value) const = 0;

    // Whether f is finite and strictly monotonic over every range its maker lets through, so
    // that trying it across the range would prove nothing more.
    virtual bool monotonicEverywhere() const { return false; }
};

// f(v) = log10 v.
class LogarithmicLaw final : public ValueLaw
{
public:
    double at(double value) const override;
    bool monotonicEverywhere() const override { return true; } // its values are above 0
};

// f(v) = v^p: p = 2 for a square-law meter, 0.5 for a root-law one.
class PowerLaw final : public ValueLaw
{
public:
    explicit PowerLaw(double exponent)
        : m_exponent(exponent)
    { }
    double at(double value) const override;

private:
    double m_exponent;
};

// f(v) = 1 / v.
class ReciprocalLaw final : public ValueLaw
{
public:
    double at(double value) const override;
    bool monotonicEverywhere() const override { return true; } // its values are above 0
};

// Decibels on a scale linear in what they measure: f(v) = 10^(v / 20) for an amplitude
// (a voltage, as VU meters read), 10^(v / 10) for a power.
class DecibelLaw final : public ValueLaw
{
public:
    explicit DecibelLaw(double decibelsPerDecade)
        : m_perDecade(decibelsPerDecade)
    { }
    double at(double value) const override;
    bool monotonicEverywhere() const override { return true; }

private:
    double m_perDecade;
};

using SharedLaw = std::shared_ptr<const ValueLaw>;

// The laws of the table, from a scale's spacing settings; each refuses, naming the setting,
// what it cannot place. The value range is checked before (see checkedRange).
Result<SharedLaw> logarithmicLaw(const SpacingSettings& settings);
Result<SharedLaw> powerLaw(const SpacingSettings& settings);
Result<SharedLaw> reciprocalLaw(const SpacingSettings& settings);
Result<SharedLaw> decibelLaw(const SpacingSettings& settings);
Result<SharedLaw> decibelPowerLaw(const SpacingSettings& settings);

// Refused, naming the value range, unless it runs from a finite value to a higher one.
std::optional<Refusal> rangeRefusal(const SpacingSettings& settings);

// How many values across the range a law is tried at before any stripe is placed.
inline constexpr int lawTrials = 1000;

// Refused, naming the setting that chose the law (`described` says what it is: "The formula
// \"log10(v)\""), unless f is finite and strictly monotonic at lawTrials values evenly across
// the range, both ends included; the refusal names the first value where it fails. A law that
// is monotonic everywhere is not tried.
std::optional<Refusal> lawRefusal(const ValueLaw& law, double from, double to,
    const std::string& described, SpacingSetting setting);

// The caption of a spacing setting, as the Spacing dialog shows it and refusals name it.
std::string spacingSettingCaption(SpacingSetting setting);

} // namespace mensora
