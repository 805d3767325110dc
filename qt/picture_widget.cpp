// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/picture_widget.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
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

PictureWidget::PictureWidget(DrawingArea& area, QWidget* parent)
    : QWidget(parent), area_(area), menu_(this) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    menu_.setObjectName(QStringLiteral("Picture1 menu"));
    menu_.setAccessibleName(QStringLiteral("Picture"));
}

void PictureWidget::contextMenuEvent(QContextMenuEvent* event) {
    // From the keyboard the menu opens at the picture's top left corner, where the pointer may
    // be far away.
    const QPoint at = event->reason() == QContextMenuEvent::Mouse ? event->globalPos()
                                                                  : mapToGlobal(QPoint(8, 8));
    menu_.popup(at);
    // From the keyboard the first entry is ready to choose, as in the menus of Windows.
    if (event->reason() != QContextMenuEvent::Mouse && !menu_.actions().isEmpty())
        menu_.setActiveAction(menu_.actions().first());
    event->accept();
}

void PictureWidget::keyPressEvent(QKeyEvent* event) {
    const bool shift_f10 = event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier;
    if (shift_f10 || event->key() == Qt::Key_Menu) {
        QContextMenuEvent e(QContextMenuEvent::Keyboard, QPoint(8, 8), mapToGlobal(QPoint(8, 8)));
        contextMenuEvent(&e);
        return;
    }
    QWidget::keyPressEvent(event);
}

// The widget is as large as the canvas in device pixels: one canvas pixel to each device pixel
// of the widget, at whatever scale the window gives the canvas.
void PictureWidget::present(const RectList& changed) {
    const qreal r = devicePixelRatioF();
    QRegion logical;
    for (const Rect& d : changed)
        logical += QRectF(d.x0 / r, d.y0 / r, d.width() / r, d.height() / r).toAlignedRect();
    update(logical);
}

void PictureWidget::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    const QImage image = canvas_image(area_);
    const qreal ratio = devicePixelRatioF();
    for (const QRect& r : event->region()) {
        // Clipped to one rectangle, QPainter copies the pixels line by line; clipped to a region
        // of several, it blends them span by span on its thread pool, waking threads per frame.
        p.setClipRect(r);
        p.drawImage(QRectF(r), image,
                    QRectF(r.x() * ratio, r.y() * ratio, r.width() * ratio, r.height() * ratio));
    }
    // A widget has a whole number of logical pixels: at a pixel ratio of 2 an odd number of
    // canvas pixels leaves one device pixel over, along the right or the bottom edge.
    const qreal w = image.width() / ratio, h = image.height() / ratio;
    p.setClipping(false);
    if (w < width()) p.fillRect(QRectF(w, 0, width() - w, height()), palette().window());
    if (h < height()) p.fillRect(QRectF(0, h, w, height() - h), palette().window());
}

}  // namespace tarrowen
