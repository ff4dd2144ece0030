#include "ui/tool_tips.h"

#include <QAction>
#include <QMainWindow>
#include <QWidget>

namespace mensora {

namespace {

struct NamedTip
{
    const char* name; // the item's or the control's objectName
    const char* tip;
};

constexpr NamedTip menuTips[] = {
    { "menu_new", "Sets every box and option to its start value, the numbers and marks too" },
    { "menu_newtemplate", "Sets every box to a scale shipped with Mensora" },
    { "menu_openscale", "Sets every box to a scale file (.mensora) and previews it" },
    { "menu_savescale", "Keeps every box's text and option in a scale file (.mensora)" },
    { "menu_savegcode", "Writes the engraving program for the machine, in the scale's unit" },
    { "menu_exportsvg", "Writes a drawing of the cuts as SVG, in the scale's unit" },
    { "menu_exportdxf", "Writes a drawing of the cuts as DXF, in the scale's unit" },
    { "menu_exit", "Closes Mensora" },
    { "menu_machinesettings",
        "Sets the machine the files are for: its profile, feeds per minute and safe height in "
        "the scale's unit, passes" },
    { "menu_numbers",
        "Sets the numbers beside the marks: which kind, first value and step, height and gap "
        "in the scale's unit, font" },
    { "menu_widths",
        "Sets how wide each kind of mark, the baseline and the numbers' strokes come out, in "
        "the scale's unit, and how drawings hold them" },
    { "menu_drum",
        "Sets where a round scale is engraved, on a dial's face or around a drum, and the "
        "rotary axis that turns the drum" },
    { "menu_spacing",
        "Sets the law the stripes are spaced by (even, logarithmic, power, decibels, measured "
        "points or a formula), the values, their segments and the gap between stripes" },
    { "menu_labels",
        "Sets what the numbers show (numbers, a label list, inch fractions, Roman numerals), "
        "reverse, clockwise and the scale's title" },
    { "menu_showtravel", "Draws the moves between cuts, dotted" },
    { "menu_livepreview", "Draws the preview again after each change of a box or option" },
    { "menu_preview", "Draws the scale as the boxes give it, with its figures" },
    { "menu_fitall", "Fits the whole drawing (stripes, baseline, numbers) into the picture" },
    { "menu_guide", "Shows the guide to Mensora, installed with it" },
    { "menu_about", "Shows Mensora's version and licence" },
};

// The controls of the dialogs that are not number fields.
constexpr NamedTip controlTips[] = {
    { "drum_surface",
        "Face: the dial lies flat under the tool. Drum: the scale goes around a cylinder "
        "that the rotary axis turns" },
    { "drum_rotary_axis", "The machine's axis that turns the drum, whose axis lies along X" },
    { "widths_drawing",
        "Strokes: each mark a line of its width, for lasers that cut lines. Closed outlines: "
        "each mark's outline, filled, for lasers and cutters that fill shapes" },
    { "machine_tool",
        "Line: every mark one line, whatever its width. V-bit: each mark cut as deep as makes "
        "it wide. End mill: a wide mark cut in passes side by side" },
    { "spacing_law",
        "How the stripes stand: a distance apart (Even), or each value where the "
        "law puts it over the Length" },
    { "spacing_exponent", "p of the power law v^p: 2 for a square-law meter, 0.5 for a root law" },
    { "spacing_formula",
        "f(v) as a formula of v, as log10(sin(v*_pi/180)); it must rise or fall all the way" },
    { "spacing_points",
        "A measured movement: value=position pairs, the values rising, the positions running "
        "one way" },
    { "spacing_points_file", "Reads the measured points from a CSV file of value,position lines" },
    { "spacing_from", "The value at the scale's start" },
    { "spacing_to", "The value at the scale's end" },
    { "spacing_segments",
        "Stretches of the values, each with its step and its package of stripe kinds; empty: "
        "the whole range by Distance between stripes with the package" },
    { "spacing_min_gap", "The least distance between neighbouring stripes, along their feet" },
    { "labels_style", "What the numbered stripes show" },
    { "labels_list", "The texts at their values, as 0=MIN; 5=MED; 10=MAX" },
    { "labels_title", "Engraved beside the scale's start, in the numbers' font" },
};

QString unitName(Unit unit)
{
    return unit == Unit::Inch ? QStringLiteral("inches") : QStringLiteral("mm");
}

QString stripeTip(ScaleInput input, Unit unit)
{
    const int kind = static_cast<int>(input) - static_cast<int>(ScaleInput::Stripe1) + 1;
    return QStringLiteral("Length of a stripe of kind %1, in %2").arg(kind).arg(unitName(unit));
}

} // namespace

QString boxToolTip(ScaleInput input, Shape shape, Unit unit)
{
    const bool round = shape == Shape::Round;
    const QString in = unitName(unit);
    switch (input) {
    case ScaleInput::Length:
        return round ? QStringLiteral("Angle the scale spans, in degrees")
                     : QStringLiteral("Length of the scale, in %1").arg(in);
    case ScaleInput::Distance:
        return round ? QStringLiteral("Angle between two stripes, in degrees")
                     : QStringLiteral("Distance between two stripes, in %1").arg(in);
    case ScaleInput::Package:
        return QStringLiteral("The kinds of the stripes, one digit 1 to 6 each, repeated along "
                              "the scale");
    case ScaleInput::StartX:
        return round ? QStringLiteral("X of the dial's centre, in %1").arg(in)
                     : QStringLiteral("X where the scale starts, in %1").arg(in);
    case ScaleInput::StartY:
        return round ? QStringLiteral("Y of the dial's centre, in %1").arg(in)
                     : QStringLiteral("Y where the scale starts, in %1").arg(in);
    case ScaleInput::Depth:
        return QStringLiteral("Engraving depth, in %1: below the surface is negative").arg(in);
    case ScaleInput::Radius:
        return QStringLiteral("Radius the stripes start from, in %1").arg(in);
    case ScaleInput::StartAngle:
        return QStringLiteral("Angle of the first stripe, counter-clockwise from X, in degrees");
    default:
        return stripeTip(input, unit);
    }
}

void setMenuToolTips(QMainWindow& window)
{
    for (const NamedTip& entry : menuTips)
        if (auto* item = window.findChild<QAction*>(QString::fromUtf8(entry.name)))
            item->setToolTip(QString::fromUtf8(entry.tip));
}

void setControlToolTips(QWidget& dialog)
{
    for (const NamedTip& entry : controlTips)
        if (auto* control = dialog.findChild<QWidget*>(QString::fromUtf8(entry.name)))
            control->setToolTip(QString::fromUtf8(entry.tip));
}

} // namespace mensora
