#include "ui/picture_widget.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>

namespace tarrowen {

PictureWidget::PictureWidget(DrawingArea& area, QWidget* parent) : QWidget(parent), area_(area) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

bool PictureWidget::present() {
    const QRect d = area_.take_dirty();
    if (d.isEmpty()) return false;
    const qreal r = area_.device_pixel_ratio();
    update(QRectF(d.x() / r, d.y() / r, d.width() / r, d.height() / r).toAlignedRect());
    return true;
}

void PictureWidget::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    const QRect r = event->rect();
    const qreal ratio = area_.device_pixel_ratio();
    p.drawImage(QRectF(r), area_.image(),
                QRectF(r.x() * ratio, r.y() * ratio, r.width() * ratio, r.height() * ratio));
}

bool PictureWidget::event(QEvent* event) {
    if (event->type() == QEvent::ScreenChangeInternal) {
        area_.set_device_pixel_ratio(devicePixelRatioF());
        update();
    }
    return QWidget::event(event);
}

}  // namespace tarrowen
