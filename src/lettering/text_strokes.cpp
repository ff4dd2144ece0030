#include "lettering/text_strokes.h"

#include <algorithm>
#include <limits>

namespace mensora {

TextStrokes setText(const HersheyFont& font, std::string_view text)
{
    TextStrokes set;
    set.digitHeight = font.digitHeight();
    int left = std::numeric_limits<int>::max();
    int right = std::numeric_limits<int>::min();
    int origin = 0;
    for (const char c : text) {
        const Glyph& glyph = font.glyph(c);
        for (FontStroke stroke : glyph.strokes) {
            for (FontPoint& point : stroke) {
                point.x += origin;
                left = std::min(left, point.x);
                right = std::max(right, point.x);
            }
            set.strokes.push_back(std::move(stroke));
        }
        origin += glyph.advance;
    }
    if (left <= right) {
        set.inkLeft = left;
        set.inkRight = right;
    }
    return set;
}

std::vector<std::vector<PlacedPoint>> placeText(
    const TextStrokes& text, const TextPlacement& placement)
{
    const double middleX = (text.inkLeft + text.inkRight) / 2.0;
    const double middleY = text.digitHeight / 2.0;
    const PlacedPoint right = placement.right;
    const PlacedPoint up { -right.y, right.x };
    std::vector<std::vector<PlacedPoint>> placed;
    placed.reserve(text.strokes.size());
    for (const FontStroke& stroke : text.strokes) {
        std::vector<PlacedPoint>& points = placed.emplace_back();
        points.reserve(stroke.size());
        for (const FontPoint& point : stroke) {
            const double along = (point.x - middleX) * placement.scale;
            const double above = (point.y - middleY) * placement.scale;
            points.push_back({ placement.centre.x + along * right.x + above * up.x,
                placement.centre.y + along * right.y + above * up.y });
        }
    }
    return placed;
}

} // namespace mensora
