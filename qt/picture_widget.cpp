// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/picture_widget.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>

namespace tarrowen {

QImage canvas_image(const DrawingArea& area) {
    Q_ASSERT(area.format() == PixelFormat::Xrgb);
    // The const uchar* constructor wraps the buffer read-only: nothing is copied.
    QImage image(reinterpret_cast<const uchar*>(area.pixels()), area.width(), area.height(),
                 static_cast<qsizetype>(area.stride()) * 4, QImage::Format_RGB32);
    image.setDevicePixelRatio(area.device_pixel_ratio());
    return image;
}

PictureWidget::PictureWidget(DrawingArea& area, QWidget* parent) : QWidget(parent), area_(area) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

void PictureWidget::present(const RectList& changed) {
    const qreal r = area_.device_pixel_ratio();
    QRegion logical;
    for (const Rect& d : changed)
        logical += QRectF(d.x0 / r, d.y0 / r, d.width() / r, d.height() / r).toAlignedRect();
    update(logical);
}

void PictureWidget::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    const QImage image = canvas_image(area_);
    const qreal ratio = area_.device_pixel_ratio();
    for (const QRect& r : event->region()) {
        // Clipped to one rectangle, QPainter copies the pixels line by line; clipped to a region
        // of several, it blends them span by span on its thread pool, waking threads per frame.
        p.setClipRect(r);
        p.drawImage(QRectF(r), image,
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
