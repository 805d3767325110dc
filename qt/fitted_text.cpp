// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/fitted_text.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace tarrowen {

namespace {

constexpr int kWrapFlags = Qt::AlignCenter | Qt::TextWordWrap;

bool text_fits(const QFont& font, const QRect& area, const QString& text) {
    const QRect needed = QFontMetrics(font).boundingRect(area, kWrapFlags, text);
    return needed.width() <= area.width() && needed.height() <= area.height();
}

QRect caption_area(const QPushButton* b, const QStyleOptionButton& option) {
    return b->style()
        ->subElementRect(QStyle::SE_PushButtonContents, &option, b)
        .adjusted(1, 0, -1, 0);
}

}  // namespace

WrappedButton::WrappedButton(const QString& caption, QWidget* parent)
    : QPushButton(caption, parent) {
    setAutoDefault(false);
    setDefault(false);
}

bool WrappedButton::fits(const QFont& font) const {
    QStyleOptionButton option;
    initStyleOption(&option);
    return text_fits(font, caption_area(this, option), text());
}

void WrappedButton::paintEvent(QPaintEvent*) {
    QStylePainter p(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    p.drawControl(QStyle::CE_PushButton, option);
    p.setFont(font());
    p.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    p.drawText(caption_area(this, option), kWrapFlags, text());
}

WrappedLabel::WrappedLabel(const QString& caption, QWidget* parent) : QLabel(caption, parent) {
    setWordWrap(true);
    setAlignment(Qt::AlignCenter);
}

bool WrappedLabel::fits(const QFont& font) const {
    return text_fits(font, contentsRect(), text());
}

void WrappedLabel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setFont(font());
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(contentsRect(), kWrapFlags, text());
}

}  // namespace tarrowen
