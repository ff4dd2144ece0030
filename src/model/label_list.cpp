#include "model/label_list.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "model/character_text.h"
#include "model/label_text.h"
#include "model/number_text.h"

namespace mensora {

namespace {

Refusal listRefusal(const ValueLabel& label, const std::string& reason)
{
    return { LabelSetting::List,
        "The label " + valueText(label.value) + "=" + label.text + " " + reason };
}

// A mark of a listed value, and where it goes among the stripes: after stripe `after`.
struct ListedMark
{
    double value;
    double place;
    StripeIndex after;
};

// Where a value no stripe reads stands: by the law, else between the two stripes whose values
// it lies between; nothing beyond the scale's values.
std::optional<ListedMark> markOf(
    double value, const Graduation& g, const std::vector<double>& values)
{
    for (StripeIndex i = 0; i + 1 < g.count(); ++i) {
        const double a = values[static_cast<std::size_t>(i)];
        const double b = values[static_cast<std::size_t>(i) + 1];
        if (!(std::fmin(a, b) < value && value < std::fmax(a, b)))
            continue;
        if (const auto place = g.spacing().placeOf(value))
            return ListedMark { value, *place, i };
        const double share = (value - a) / (b - a);
        return ListedMark { value, g.position(i) + share * (g.position(i + 1) - g.position(i)), i };
    }
    return std::nullopt;
}

// Each label, checked against those listed before it.
std::optional<Refusal> labelRefusal(const std::vector<ValueLabel>& list, std::size_t index)
{
    const ValueLabel& label = list[index];
    if (!std::isfinite(label.value))
        return Refusal { LabelSetting::List,
            labelSettingCaption(LabelSetting::List) + ": every value must be a finite number." };
    const auto characters = decodeUtf8(label.text);
    if (!characters || characters->empty() || characters->size() > maxLabelLength)
        return listRefusal(
            label, "must have a text of 1 to " + std::to_string(maxLabelLength) + " characters.");
    const auto before = list.begin() + static_cast<std::ptrdiff_t>(index);
    if (std::any_of(list.begin(), before,
            [&](const ValueLabel& other) { return sameValue(other.value, label.value); }))
        return listRefusal(label, "lists a value listed before.");
    return std::nullopt;
}

// The marks of the listed values no stripe reads, those between the same two stripes in the
// order of their values along the scale.
Result<std::vector<ListedMark>> marksOf(
    const std::vector<ValueLabel>& list, const Graduation& g, const std::vector<double>& values)
{
    std::vector<ListedMark> marks;
    for (std::size_t i = 0; i < list.size(); ++i) {
        const ValueLabel& label = list[i];
        if (auto refusal = labelRefusal(list, i))
            return *refusal;
        if (std::any_of(
                values.begin(), values.end(), [&](double v) { return sameValue(v, label.value); }))
            continue;
        const auto mark = markOf(label.value, g, values);
        if (!mark)
            return listRefusal(label, "lies beyond the scale's values.");
        marks.push_back(*mark);
    }
    std::stable_sort(marks.begin(), marks.end(), [&](const ListedMark& a, const ListedMark& b) {
        if (a.after != b.after)
            return a.after < b.after;
        const auto at = static_cast<std::size_t>(a.after);
        return values[at + 1] > values[at] ? a.value < b.value : a.value > b.value;
    });
    return marks;
}

// The stripes with the marks among them, every stripe placed once with what it reads.
Graduation withMarks(const Graduation& g, const std::vector<double>& values,
    const std::vector<ListedMark>& marks, char kind)
{
    std::vector<double> places;
    std::vector<float> singles;
    std::vector<double> read;
    std::string kinds;
    std::size_t next = 0;
    for (StripeIndex i = 0; i < g.count(); ++i) {
        places.push_back(g.position(i));
        singles.push_back(static_cast<float>(g.position(i, Precision::Single)));
        read.push_back(values[static_cast<std::size_t>(i)]);
        kinds.push_back(g.kind(i));
        for (; next < marks.size() && marks[next].after == i; ++next) {
            places.push_back(marks[next].place);
            singles.push_back(static_cast<float>(marks[next].place));
            read.push_back(marks[next].value);
            kinds.push_back(kind);
        }
    }
    auto spacing = std::make_shared<const ListedSpacing>(
        std::move(places), std::move(singles), std::move(read), g.advancesPositively());
    return Graduation(std::move(kinds), std::move(spacing));
}

} // namespace

bool sameValue(double a, double b)
{
    return std::fabs(a - b) <= 1e-9 * std::fmax(1, std::fmax(std::fabs(a), std::fabs(b)));
}

std::vector<double> stripeValues(const Graduation& g, const NumberSettings& numbers, bool reverse)
{
    std::vector<double> values(static_cast<std::size_t>(g.count()));
    if (g.readsValues()) {
        for (StripeIndex i = 0; i < g.count(); ++i)
            values[static_cast<std::size_t>(i)] = g.value(i);
        return values;
    }
    std::vector<StripeIndex> numbered;
    for (StripeIndex i = 0; i < g.count(); ++i)
        if (g.kind(i) == static_cast<char>('0' + numbers.kind))
            numbered.push_back(i);
    const StripeIndex first = numbered.empty() ? StripeIndex(0) : numbered.front();
    const StripeIndex last = numbered.empty() ? StripeIndex(g.count() - 1) : numbered.back();
    double perStep = 1;
    if (numbers.step && numbered.size() > 1 && g.valueBetween(numbered[0], numbered[1]) != 0)
        perStep = *numbers.step / g.valueBetween(numbered[0], numbered[1]);
    for (StripeIndex i = 0; i < g.count(); ++i)
        values[static_cast<std::size_t>(i)] = numbers.first
            + perStep * (reverse ? g.valueBetween(i, last) : g.valueBetween(first, i));
    return values;
}

Result<Graduation> listedGraduation(
    const Graduation& g, const NumberSettings& numbers, const LabelSettings& labels)
{
    if (labels.list.size() > maxSpacingEntries)
        return Refusal { LabelSetting::List,
            labelSettingCaption(LabelSetting::List) + " may hold at most "
                + std::to_string(maxSpacingEntries) + " labels." };
    const std::vector<double> values = stripeValues(g, numbers, labels.reverse);
    auto marks = marksOf(labels.list, g, values);
    if (!marks)
        return marks.refusal();
    if (values.size() + marks->size() > maxStripes)
        return Refusal { LabelSetting::List,
            labelSettingCaption(LabelSetting::List) + " gives more than 32767 stripes." };
    return withMarks(g, values, *marks, static_cast<char>('0' + numbers.kind));
}

} // namespace mensora
