// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Captions of the fixed layout are drawn whole: wrapped onto more lines where the control is
// too narrow, and where even that does not fit, in the smaller size that the window gives them
// by the core's rule (core/layout/caption_sizes.h). Here only what Qt alone can tell: whether a
// caption fits its control in a font.
#include <QFont>
#include <QLabel>
#include <QPushButton>

namespace tarrowen {

class FittedCaption {
  public:
    // Whether the caption, wrapped at word boundaries, fits the control whole in `font`.
    virtual bool fits(const QFont& font) const = 0;

  protected:
    ~FittedCaption() = default;
};

class WrappedButton final : public QPushButton, public FittedCaption {
  public:
    WrappedButton(const QString& caption, QWidget* parent);
    bool fits(const QFont& font) const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
};

class WrappedLabel final : public QLabel, public FittedCaption {
  public:
    explicit WrappedLabel(const QString& caption, QWidget* parent);
    bool fits(const QFont& font) const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace tarrowen
