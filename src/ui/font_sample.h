#pragma once

#include <memory>

#include <QString>
#include <QWidget>

namespace mensora {

class HersheyFont;

// A line of text drawn from a single-stroke font's own strokes, fitted into the widget, in
// the preview's colours; or, without a font, the reason in words.
class FontSample : public QWidget
{
    Q_OBJECT

public:
    explicit FontSample(QWidget* parent = nullptr);

    void showText(std::shared_ptr<const HersheyFont> font, const QString& text);
    void showMessage(const QString& message);

    QSize sizeHint() const override { return { 320, 56 }; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::shared_ptr<const HersheyFont> m_font;
    QString m_text;
    QString m_message;
};

} // namespace mensora
