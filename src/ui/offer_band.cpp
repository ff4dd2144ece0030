#include "ui/offer_band.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

namespace mensora {

OfferBand::OfferBand(QWidget* parent)
    : QWidget(parent)
    , m_sentence(new QLabel(this))
    , m_accept(new QToolButton(this))
    , m_keep(new QToolButton(this))
{
    m_accept->setText(QStringLiteral("Convert"));
    m_keep->setText(QStringLiteral("Keep"));
    setObjectName(QStringLiteral("offer_band"));
    m_sentence->setObjectName(QStringLiteral("offer_sentence"));
    m_accept->setObjectName(QStringLiteral("offer_convert"));
    m_keep->setObjectName(QStringLiteral("offer_keep"));
    m_accept->setToolTip(QStringLiteral("Convert every length box to the window's unit"));
    m_keep->setToolTip(QStringLiteral("Leave the numbers as they are typed"));
    // The picture takes the focus only when clicked: the buttons must not steal it from the
    // boxes either, but they answer the keyboard once tabbed to.
    for (QToolButton* button : { m_accept, m_keep })
        button->setFocusPolicy(Qt::TabFocus);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(4, 2, 4, 2);
    row->addWidget(m_sentence, 1);
    row->addWidget(m_accept);
    row->addWidget(m_keep);

    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(0, 40, 40));
    colours.setColor(QPalette::WindowText, QColor(255, 255, 0));
    setPalette(colours);
    m_sentence->setPalette(colours);

    connect(m_accept, &QToolButton::clicked, this, [this] {
        withdraw();
        emit accepted();
    });
    connect(m_keep, &QToolButton::clicked, this, &OfferBand::withdraw);
    hide();
}

void OfferBand::offer(const QString& sentence)
{
    m_sentence->setText(sentence);
    show();
    raise();
    emit shownChanged();
}

void OfferBand::withdraw()
{
    if (isHidden())
        return; // nothing on show: the picture need not repaint
    m_sentence->clear();
    hide();
    emit shownChanged();
}

QString OfferBand::sentence() const
{
    return isHidden() ? QString() : m_sentence->text();
}

} // namespace mensora
