#include "ui/drum_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>

#include "model/scale_choices.h"
#include "ui/tool_tips.h"

namespace mensora {

namespace {

template <typename Widget>
Widget* named(Widget* widget, const char* name)
{
    widget->setObjectName(QString::fromUtf8(name));
    return widget;
}

QLabel* wrappedLine(const QString& text, const char* name)
{
    auto* line = named(new QLabel(text), name);
    line->setWordWrap(true);
    return line;
}

} // namespace

DrumDialog::DrumDialog(Shape shape, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Drum"));
    createForm(shape);
    setSurface(Surface::Face, RotaryAxis::A);
}

// The boxes' items stand in the order of the choices' values.
void DrumDialog::createForm(Shape shape)
{
    m_surface = named(new QComboBox, "drum_surface");
    m_surface->addItems({ QStringLiteral("Face of a dial"), QStringLiteral("Drum") });
    m_rotaryAxis = named(new QComboBox, "drum_rotary_axis");
    for (const std::string_view name : choiceNames<RotaryAxis>())
        m_rotaryAxis->addItem(QString::fromUtf8(name.data(), qsizetype(name.size())));
    auto* buttons = named(
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel), "drum_buttons");

    auto* form = new QFormLayout(this);
    form->addRow(named(new QLabel(QStringLiteral("Surface")), "drum_surface_label"), m_surface);
    form->addRow(
        named(new QLabel(QStringLiteral("Rotary axis")), "drum_rotary_axis_label"), m_rotaryAxis);
    form->addRow(wrappedLine(QStringLiteral("The drum's axis lies along X and the rotary axis "
                                            "turns it; Z 0 is the top of the drum, over the axis "
                                            "at Centre Y."),
        "drum_set_up"));
    if (shape == Shape::Flat)
        form->addRow(wrappedLine(QStringLiteral("The surface applies to round scales: this "
                                                "scale is flat."),
            "drum_flat_note"));
    form->addRow(buttons);
    setControlToolTips(*this);

    connect(m_surface, &QComboBox::currentIndexChanged, this, &DrumDialog::showSurface);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void DrumDialog::setSurface(Surface surface, RotaryAxis rotaryAxis)
{
    m_surface->setCurrentIndex(static_cast<int>(surface));
    m_rotaryAxis->setCurrentIndex(static_cast<int>(rotaryAxis));
    showSurface();
}

Surface DrumDialog::surface() const
{
    return static_cast<Surface>(m_surface->currentIndex());
}

RotaryAxis DrumDialog::rotaryAxis() const
{
    return static_cast<RotaryAxis>(m_rotaryAxis->currentIndex());
}

// A face is turned by no axis.
void DrumDialog::showSurface()
{
    m_rotaryAxis->setEnabled(surface() == Surface::Drum);
}

} // namespace mensora
