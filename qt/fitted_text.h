// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QLabel>
#include <QPushButton>
#include <array>

namespace tarrowen {

// Captions of the fixed layout are drawn whole: wrapped onto more lines where the control is
// too narrow, and only where even that does not fit, in a smaller size of the default font.
// They are never cut off.
class WrappedButton final : public QPushButton {
  public:
    WrappedButton(const QString& caption, QWidget* parent);
    // The font in which the caption fits whole.
    QFont fitting_font() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
};

class WrappedLabel final : public QLabel {
  public:
    explicit WrappedLabel(QWidget* parent);
    QFont fitting_font() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
};

// Gives every control of a group the smallest of their fitting fonts, so that a column of
// captions reads in one size.
template <typename Control, std::size_t N>
void unify_caption_font(const std::array<Control*, N>& group) {
    QFont common = group.front()->fitting_font();
    for (Control* c : group) {
        const QFont f = c->fitting_font();
        if (f.pointSizeF() < common.pointSizeF()) common = f;
    }
    for (Control* c : group)
        c->setFont(common);
}

// The largest font, no larger than `base`, in which `text` wrapped at word boundaries fits
// `area`.
QFont font_that_fits(const QFont& base, const QRect& area, const QString& text);

}  // namespace tarrowen
