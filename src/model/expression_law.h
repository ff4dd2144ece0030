#pragma once

#include <memory>
#include <string>

#include "model/value_laws.h"

namespace mu {
class Parser;
}

namespace mensora {

// f(v) typed as a formula of v, read and evaluated by muparser: its operators, functions
// (sin, log10, sqrt, …, in radians) and constants (_pi, _e). "log10(sin(v*_pi/180))" is a
// slide rule's S scale, "log10(log10(v))" its LL scales.
class ExpressionLaw final : public ValueLaw
{
public:
    ~ExpressionLaw() override;
    double at(double value) const override;

    // The law of the formula, or why muparser cannot read it.
    static Result<SharedLaw> read(const std::string& formula);

private:
    ExpressionLaw();

    std::unique_ptr<double> m_variable; // v: the parser keeps its address
    std::unique_ptr<mu::Parser> m_parser;
};

// The law of a scale's formula. Refused, naming the formula, when it is empty, longer than
// 1,000 characters, or muparser cannot read it.
Result<SharedLaw> expressionLaw(const SpacingSettings& settings);

} // namespace mensora
