#include "preview/travel_moves.h"

#include <optional>
#include <utility>
#include <variant>

namespace mensora {

namespace {

// Collects a line from each cut's end to the next rapid's point.
class TravelCollector : public MoveSink
{
public:
    TravelCollector(const PreviewFrame& frame, double factor)
        : m_frame(frame)
        , m_factor(factor)
    { }

    void move(const ToolMove& move) override
    {
        if (const auto* rapid = std::get_if<Rapid>(&move)) {
            const auto to = mapped(rapid->x, rapid->y);
            if (m_cutEnd && to)
                m_lines.push_back({ *m_cutEnd, *to });
            m_cutEnd.reset();
        } else if (const auto* cut = std::get_if<Cut>(&move)) {
            m_cutEnd = mapped(cut->x, cut->y);
        } else if (const auto* arc = std::get_if<Arc>(&move)) {
            m_cutEnd = mapped(arc->x, arc->y);
        }
    }

    std::vector<PreviewLine> take() { return std::move(m_lines); }

private:
    std::optional<PreviewPoint> mapped(const Coord& x, const Coord& y) const
    {
        const double across = m_frame.drum ? y.value : y.value * m_factor;
        return movePoint(m_frame, x.value * m_factor, across);
    }

    PreviewFrame m_frame;
    double m_factor;
    std::optional<PreviewPoint> m_cutEnd;
    std::vector<PreviewLine> m_lines;
};

} // namespace

std::vector<PreviewLine> travelLines(
    const Engraving& engraving, const PreviewFrame& frame, double factor)
{
    TravelCollector collector(frame, factor);
    engraving.makeMachineMoves(collector);
    return collector.take();
}

} // namespace mensora
