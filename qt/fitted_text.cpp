// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/fitted_text.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace tarrowen {

namespace {
constexpr int kWrapFlags = Qt::AlignCenter | Qt::TextWordWrap;
constexpr qreal kSmallestPointSize = 5.0;
}  // namespace

QFont font_that_fits(const QFont& base, const QRect& area, const QString& text) {
    QFont font = base;
    for (;;) {
        const QRect needed = QFontMetrics(font).boundingRect(area, kWrapFlags, text);
        if (needed.width() <= area.width() && needed.height() <= area.height()) return font;
        const qreal size = font.pointSizeF();
        if (size <= kSmallestPointSize || size <= 0) return font;
        font.setPointSizeF(size - 0.5);
    }
}

WrappedButton::WrappedButton(const QString& caption, QWidget* parent)
    : QPushButton(caption, parent) {
    setAutoDefault(false);
    setDefault(false);
}

namespace {
QRect caption_area(const QPushButton* b, const QStyleOptionButton& option) {
    return b->style()
        ->subElementRect(QStyle::SE_PushButtonContents, &option, b)
        .adjusted(1, 0, -1, 0);
}
}  // namespace

QFont WrappedButton::fitting_font() const {
    QStyleOptionButton option;
    initStyleOption(&option);
    return font_that_fits(font(), caption_area(this, option), text());
}

QFont WrappedLabel::fitting_font() const {
    return font_that_fits(font(), contentsRect(), text());
}

void WrappedButton::paintEvent(QPaintEvent*) {
    QStylePainter p(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    p.drawControl(QStyle::CE_PushButton, option);
    const QRect area = caption_area(this, option);
    p.setFont(font_that_fits(font(), area, text()));
    p.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    p.drawText(area, kWrapFlags, text());
}

WrappedLabel::WrappedLabel(QWidget* parent) : QLabel(parent) {
    setWordWrap(true);
    setAlignment(Qt::AlignCenter);
}

void WrappedLabel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect area = contentsRect();
    p.setFont(font_that_fits(font(), area, text()));
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(area, kWrapFlags, text());
}

}  // namespace tarrowen
