#include "lettering/text_strokes.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "model/character_text.h"

namespace mensora {

TextStrokes setText(const HersheyFont& font, std::string_view text)
{
    TextStrokes set;
    set.digitHeight = font.digitHeight();
    int left = std::numeric_limits<int>::max();
    int right = std::numeric_limits<int>::min();
    int origin = 0;
    // A text that is not UTF-8 is set byte by byte: its ASCII characters, nothing else.
    auto decoded = decodeUtf8(text);
    const std::u32string characters
        = decoded ? std::move(*decoded) : std::u32string(text.begin(), text.end());
    for (const char32_t c : characters) {
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

double exitDistance(double halfWidth, double halfHeight, PlacedPoint direction)
{
    constexpr double never = std::numeric_limits<double>::infinity();
    const double across = direction.x != 0 ? halfWidth / std::fabs(direction.x) : never;
    const double upward = direction.y != 0 ? halfHeight / std::fabs(direction.y) : never;
    return std::fmin(across, upward);
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
