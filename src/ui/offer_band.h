#pragma once

#include <QWidget>

class QLabel;
class QToolButton;

namespace mensora {

// One line at the foot of the picture that offers a change the program never makes on its
// own: the offer's sentence, "Convert" to take it and "Keep" to leave the boxes as they are.
// Hidden until an offer is made; either button hides it.
class OfferBand : public QWidget
{
    Q_OBJECT

public:
    explicit OfferBand(QWidget* parent = nullptr);

    // Shows the band with the sentence; a new offer replaces the one on show.
    void offer(const QString& sentence);
    void withdraw();

    // The sentence on show; empty while the band is hidden.
    QString sentence() const;

signals:
    void accepted();
    void shownChanged(); // shown or hidden: the picture's foot moves

private:
    QLabel* m_sentence;
    QToolButton* m_accept;
    QToolButton* m_keep;
};

} // namespace mensora
