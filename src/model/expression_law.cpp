#include "model/expression_law.h"

#include <cmath>
#include <limits>

#include <muParser.h>

namespace mensora {

namespace {

constexpr std::size_t maxFormulaLength = 1000;

Refusal formulaRefusal(const std::string& reason)
{
    return { SpacingSetting::Formula,
        spacingSettingCaption(SpacingSetting::Formula) + " " + reason };
}

// muparser's message, as the end of a sentence.
std::string sentenceEnd(std::string message)
{
    while (!message.empty() && (message.back() == '.' || message.back() == ' '))
        message.pop_back();
    if (!message.empty())
        message.front() = static_cast<char>(std::tolower(static_cast<unsigned char>(message[0])));
    return message + ".";
}

} // namespace

ExpressionLaw::ExpressionLaw()
    : m_variable(std::make_unique<double>(0))
    , m_parser(std::make_unique<mu::Parser>())
{ }

ExpressionLaw::~ExpressionLaw() = default;

double ExpressionLaw::at(double value) const
{
    *m_variable = value;
    try {
        return m_parser->Eval();
    } catch (const mu::Parser::exception_type&) {
        return std::numeric_limits<double>::quiet_NaN();
    }
}

// The parser reads the formula at its first evaluation: a formula it cannot read is refused
// here, before the law is tried across the range.
Result<SharedLaw> ExpressionLaw::read(const std::string& formula)
{
    std::shared_ptr<ExpressionLaw> law(new ExpressionLaw());
    try {
        law->m_parser->DefineVar("v", law->m_variable.get());
        law->m_parser->SetExpr(formula);
        law->m_parser->Eval();
    } catch (const mu::Parser::exception_type& error) {
        return formulaRefusal("\"" + formula + "\" cannot be read: " + sentenceEnd(error.GetMsg()));
    }
    return SharedLaw(std::move(law));
}

Result<SharedLaw> expressionLaw(const SpacingSettings& s)
{
    if (s.formula.find_first_not_of(' ') == std::string::npos)
        return formulaRefusal("must give f(v), as log10(v).");
    if (s.formula.size() > maxFormulaLength)
        return formulaRefusal(
            "may hold at most " + std::to_string(maxFormulaLength) + " characters.");
    return ExpressionLaw::read(s.formula);
}

} // namespace mensora
