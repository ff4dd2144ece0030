#include "engraving/scale_notes.h"

#include <charconv>
#include <cmath>

#include "engraving/engraving.h"
#include "model/number_rules.h"
#include "model/stripe_pattern.h"

namespace mensora {

namespace {

bool wholeTurns(double total)
{
    return total != 0 && std::fmod(total, 360.0) == 0;
}

// "243°" on a dial, "9 mm" or "9 in" on a ruler.
std::string measure(double value, const ScaleParameters& p)
{
    if (p.shape == Shape::Round)
        return noteNumber(value) + "\u00b0";
    return noteNumber(value) + (p.unit == Unit::Inch ? " in" : " mm");
}

// "one stripe", "two stripes", "5 stripes".
std::string stripesCounted(long long count)
{
    const std::string number = count == 1 ? "one" : count == 2 ? "two" : std::to_string(count);
    return number + (count == 1 ? " stripe" : " stripes");
}

std::string quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

// The number a stripe carries; nothing for a stripe without one.
std::optional<std::string> numberOn(const CheckedScale& scale, StripeIndex index)
{
    const auto& numbers = scale.numbers();
    if (!numbers || !*numbers)
        return std::nullopt;
    for (const NumberedStripe& stripe : (*numbers)->stripes())
        if (stripe.index == index)
            return stripe.text;
    return std::nullopt;
}

} // namespace

std::size_t stripesBeforeTurn(const CheckedScale& scale)
{
    const Graduation& graduation = scale.graduation();
    const auto stripes = static_cast<std::size_t>(graduation.count());
    if (!graduation.readsValues())
        return stripesBeforeFullTurn(scale.boxes().distance, stripes);
    // A scale of values spaces its stripes unevenly: where each stands says it.
    const double first = graduation.position(0);
    for (std::size_t i = 1; i < stripes; ++i) {
        const double angle = graduation.position(static_cast<StripeIndex>(i)) - first;
        if (std::fabs(angle) > 180 && std::fabs(std::remainder(angle, 360.0)) < sameAngleTolerance)
            return i;
    }
    return stripes;
}

std::string noteNumber(double value)
{
    double rounded = std::round(value * 1e6) / 1e6;
    if (!std::isfinite(rounded))
        rounded = value;
    if (rounded == 0)
        rounded = 0; // no "-0"
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, rounded);
    return std::string(buffer, result.ptr);
}

std::optional<ScaleNote> countNote(const CheckedScale& scale)
{
    const ScaleParameters& p = scale.parameters();
    const Graduation& graduation = scale.graduation();
    // The count rules count a package along an even scale; a scale of values ends on its range.
    if (p.vernier.active() || p.marks.endOnTotal || graduation.empty() || graduation.readsValues())
        return std::nullopt;
    const auto step = singleOrNone(scale.boxes().distance);
    if (!step)
        return std::nullopt;
    const auto count = stripeCountFor(scale.values().total, *step);
    if (!count)
        return std::nullopt;
    const long long missing = static_cast<long long>(*count) - (graduation.count() - 1);
    const double total = scale.boxes().length;
    if (missing <= 0 || (p.shape == Shape::Round && wholeTurns(total) && missing == 1))
        return std::nullopt;
    const double end
        = std::fabs(graduation.position(static_cast<StripeIndex>(graduation.count() - 1)));
    const std::string message = "The scale ends at " + measure(end, p) + ", short of its total "
        + measure(std::fabs(total), p) + ": a package of " + std::to_string(p.package.size())
        + (p.package.size() == 1 ? " digit" : " digits") + " ends " + stripesCounted(missing)
        + " early.";
    return ScaleNote { ScaleInput::Package, message, NoteOffer::EndOnTotal };
}

std::optional<ScaleNote> wholeTurnNote(const CheckedScale& scale)
{
    const ScaleParameters& p = scale.parameters();
    const Graduation& graduation = scale.graduation();
    if (p.shape != Shape::Round || p.vernier.active())
        return std::nullopt;
    const auto stripes = static_cast<std::size_t>(graduation.count());
    const std::size_t back = stripesBeforeTurn(scale);
    if (back >= stripes)
        return std::nullopt;
    const auto again = static_cast<StripeIndex>(back);
    double at = std::fmod(scale.values().startAngle, 360.0);
    if (at < 0)
        at += 360;
    std::string message = "Stripe " + std::to_string(back + 1) + " falls a whole turn on, onto "
        + "stripe 1 at " + measure(at, p) + ": that mark is cut twice";
    const auto over = numberOn(scale, again);
    const auto under = numberOn(scale, 0);
    if (over && under)
        message += ", and " + quoted(*over) + " prints over " + quoted(*under);
    // "No double mark" drops an even scale's last stripe; a scale of values ends on its range.
    const bool offered = wholeTurns(scale.boxes().length) && !graduation.readsValues();
    return ScaleNote { ScaleInput::Length, message + ".",
        offered ? NoteOffer::NoDoubleMark : NoteOffer::None };
}

std::vector<ScaleNote> scaleNotes(const CheckedScale& scale)
{
    std::vector<ScaleNote> notes;
    for (const ReadingNote& note : readingNotes(scale.parameters()))
        notes.push_back(noteOf(note));
    for (auto note : { countNote(scale), wholeTurnNote(scale), overlapNote(scale) })
        if (note)
            notes.push_back(std::move(*note));
    return notes;
}

std::vector<ScaleNote> jobNotes(const CheckedJob& job)
{
    std::vector<ScaleNote> notes;
    for (std::size_t i = 0; i < job.size(); ++i) {
        for (ScaleNote note : scaleNotes(job.scales()[i])) {
            if (job.size() > 1) {
                note.message = job.label(i) + ": " + note.message;
                note.scale = i;
            }
            notes.push_back(std::move(note));
        }
    }
    return notes;
}

std::vector<ScaleNote> fileNotes(const CheckedJob& job, const Engraving& engraving)
{
    const OutputRow& output = engraving.output();
    const bool depthAsTyped = output.format == OutputFormat::Gcode && !output.profile;
    std::vector<ScaleNote> notes = jobNotes(job);
    std::erase_if(notes, [depthAsTyped](const ScaleNote& note) {
        return !depthAsTyped && note.place == RefusalPlace(ScaleInput::Depth);
    });
    // What the file's tool makes of the marks of a width.
    for (const std::string& note : engraving.notes())
        notes.push_back({ MachineSetting::Tool, note });
    return notes;
}

std::optional<ScaleNote> plotUnitNote(const Engraving& engraving)
{
    const OutputRow& output = engraving.output();
    if (output.format != OutputFormat::Plot || output.profile
        || engraving.machineJob().unit != Unit::Inch)
        return std::nullopt;
    return ScaleNote { MachineSetting::Profile,
        "The plain plot file counts 40 plotter units per inch: on a plotter the scale comes out "
        "25.4 times too small. The HP-GL cutter profile counts 1016 units per inch." };
}

} // namespace mensora
