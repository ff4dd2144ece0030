#include "preview/number_strokes.h"

#include "layout/scale_layout.h"

namespace mensora {

namespace {

// Turns the numbers' moves back into strokes: a rapid begins one, each cut adds a point.
class StrokeCollector : public MoveSink
{
public:
    explicit StrokeCollector(const PreviewFrame& frame)
        : m_frame(frame)
    { }

    void move(const ToolMove& move) override
    {
        if (const auto* rapid = std::get_if<Rapid>(&move)) {
            strokes.emplace_back();
            add(rapid->x, rapid->y);
        } else if (const auto* cut = std::get_if<Cut>(&move)) {
            add(cut->x, cut->y);
        }
    }

    std::vector<PreviewStroke> strokes;
    bool drawable = true;

private:
    void add(Coord x, Coord y)
    {
        if (const auto point = movePoint(m_frame, x.value, y.value))
            strokes.back().push_back(*point);
        else
            drawable = false;
    }

    const PreviewFrame& m_frame;
};

} // namespace

Result<std::vector<PreviewStroke>> previewNumberStrokes(
    const CheckedScale& scale, const PreviewFrame& frame)
{
    const auto& numbers = scale.numbers();
    if (!numbers)
        return numbers.refusal();
    if (!*numbers)
        return std::vector<PreviewStroke> {};
    const ScaleParameters& p = scale.parameters();
    StrokeCollector collector(frame);
    (*numbers)->makeMoves(scaleLayoutOf(p, scale.values()), p.depth, collector);
    if (!collector.drawable)
        return settingRefusal(NumberSetting::Height,
            numberSettingCaption(NumberSetting::Height)
                + " or Gap to the stripe is too large to draw.");
    return std::move(collector.strokes);
}

} // namespace mensora
