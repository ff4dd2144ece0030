// The main window's client area, built from the control table: every control in its place,
// with its start text, state, colours and tab order.

#include "ui/main_window.h"

#include <algorithm>
#include <utility>
#include <vector>

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "ui/client_area.h"
#include "ui/control_table.h"
#include "ui/package_key_filter.h"
#include "ui/preview_picture.h"

namespace mensora {

namespace {

// The client area: 9675 by 6600 twips.
constexpr QSize clientSize(645, 440);

// The height of a one-line label, in twips.
constexpr int oneLineTwips = 255;

// Arial at 8.25 points: the input boxes' font, and the window's, so that captions fit the
// fixed places of the control table.
QFont windowFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(8.25);
    return font;
}

bool takesFocus(ControlKind kind)
{
    return kind == ControlKind::TextBox || kind == ControlKind::OptionButton
        || kind == ControlKind::CheckBox || kind == ControlKind::CommandButton;
}

QLabel* createLabel(const ControlRow& row, QWidget* parent)
{
    auto* label = new QLabel(QString::fromUtf8(row.text), parent);
    const Qt::Alignment side
        = has(row.state, ControlState::RightAligned) ? Qt::AlignRight : Qt::AlignLeft;
    label->setAlignment(side | Qt::AlignTop);
    // A label taller than one line wraps ("Distance between stripes"); a one-line label keeps
    // its caption on one line.
    label->setWordWrap(row.rect.height > oneLineTwips);
    return label;
}

} // namespace

void MainWindow::createClientArea()
{
    auto* client = new ClientArea(clientSize, this);
    client->setFont(windowFont());
    setCentralWidget(client);

    std::vector<std::pair<int, QWidget*>> tabOrder;
    for (const ControlRow& row : controlTable()) {
        QWidget* parent = row.container ? m_controls.value(row.container) : client;
        QWidget* control = createControl(row, parent);
        control->setObjectName(QString::fromUtf8(row.name));
        control->setGeometry(pixelRect(row.rect));
        if (has(row.state, ControlState::Hidden))
            control->hide();
        if (row.kind != ControlKind::OptionButton)
            m_controls.insert(control->objectName(), control);
        if (takesFocus(row.kind))
            tabOrder.emplace_back(row.tabIndex, control);
    }
    client->setGrowing(m_controls.value(QStringLiteral("Picture1")));
    std::ranges::sort(tabOrder, {}, &std::pair<int, QWidget*>::first);
    for (std::size_t i = 1; i < tabOrder.size(); ++i)
        QWidget::setTabOrder(tabOrder[i - 1].second, tabOrder[i].second);
}

QWidget* MainWindow::createControl(const ControlRow& row, QWidget* parent)
{
    const QString text = QString::fromUtf8(row.text);
    switch (row.kind) {
    case ControlKind::Label:
        return createLabel(row, parent);
    case ControlKind::TextBox:
        return createTextBox(row, parent);
    case ControlKind::OptionButton:
        return createOptionButton(row, parent);
    case ControlKind::CheckBox:
        return new QCheckBox(text, parent);
    case ControlKind::CommandButton:
        return new QPushButton(text, parent);
    case ControlKind::PictureBox:
        return new PreviewPicture(parent);
    case ControlKind::Frame:
        return new QGroupBox(text, parent);
    }
    return nullptr;
}

QWidget* MainWindow::createTextBox(const ControlRow& row, QWidget* parent)
{
    auto* edit = new QLineEdit(QString::fromUtf8(row.text), parent);
    const QString name = QString::fromUtf8(row.name);
    if (name == u"Text7")
        return edit; // the hidden sequence box keeps the system's look
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base, QColor(255, 255, 128));
    palette.setColor(QPalette::Text, QColor(0, 0, 255));
    // A box the scale does not read is greyed as the system greys one.
    const QPalette system = edit->palette();
    for (const auto role : { QPalette::Base, QPalette::Text })
        palette.setColor(QPalette::Disabled, role, system.color(QPalette::Disabled, role));
    edit->setPalette(palette);
    if (name == u"Text6") {
        edit->installEventFilter(new PackageKeyFilter(edit));
        // Characters composed by an input method would bypass the key filter.
        edit->setAttribute(Qt::WA_InputMethodEnabled, false);
        return edit;
    }
    edit->setFont(windowFont());
    return edit;
}

QWidget* MainWindow::createOptionButton(const ControlRow& row, QWidget* parent)
{
    const QString name = QString::fromUtf8(row.name);
    QButtonGroup*& buttons = m_groups[name];
    if (!buttons) {
        buttons = new QButtonGroup(this);
        buttons->setObjectName(name);
    }
    auto* button = new QRadioButton(QString::fromUtf8(row.text), parent);
    buttons->addButton(button, row.index);
    button->setChecked(has(row.state, ControlState::Selected));
    return button;
}

} // namespace mensora
