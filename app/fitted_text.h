#pragma once
#include <QLabel>
#include <QPushButton>

namespace tarrowen {

// Captions of the fixed layout are drawn whole: wrapped onto more lines where the control is
// too narrow, and only where even that does not fit, in a smaller size of the default font.
// They are never cut off.
class WrappedButton final : public QPushButton {
public:
    WrappedButton(const QString& caption, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

class WrappedLabel final : public QLabel {
public:
    explicit WrappedLabel(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// The largest font, no larger than `base`, in which `text` wrapped at word boundaries fits
// `area`.
QFont font_that_fits(const QFont& base, const QRect& area, const QString& text);

}  // namespace tarrowen
