// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/picture_widget.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>

namespace tarrowen {

PictureWidget::PictureWidget(DrawingArea& area, QWidget* parent) : QWidget(parent), area_(area) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

void PictureWidget::present(const RectList& changed) {
    const qreal r = area_.device_pixel_ratio();
    QRegion logical;
    for (const QRect& rect : changed) {
        logical +=
            QRectF(rect.x() / r, rect.y() / r, rect.width() / r, rect.height() / r).toAlignedRect();
    }
    update(logical);
}

void PictureWidget::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    const qreal ratio = area_.device_pixel_ratio();
    for (const QRect& r : event->region()) {
        // Clipped to one rectangle, QPainter copies the pixels line by line; clipped to a region
        // of several, it blends them span by span on its thread pool, waking threads per frame.
        p.setClipRect(r);
        p.drawImage(QRectF(r), area_.image(),
                    QRectF(r.x() * ratio, r.y() * ratio, r.width() * ratio, r.height() * ratio));
    }
}

bool PictureWidget::event(QEvent* event) {
    if (event->type() == QEvent::ScreenChangeInternal) {
        const qreal ratio = devicePixelRatioF();
        if (ratio != area_.device_pixel_ratio() && ratio_change_) {
            ratio_change_(ratio);
            update();
        }
    }
    return QWidget::event(event);
}

}  // namespace tarrowen
