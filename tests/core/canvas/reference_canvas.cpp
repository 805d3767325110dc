// SPDX-License-Identifier: GPL-3.0-or-later
#include "reference_canvas.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "core/canvas/drawing_area.h"

namespace tarrowen::testing {

namespace {

constexpr double kClipMargin = 4.0;  // device pixels round the area in which lines are kept

int pen_width(qreal ratio) {
    return std::max(1, static_cast<int>(std::lround(ratio)));
}

// Liang-Barsky, putting a clipped end exactly on the edge that cut it.
bool clip_segment(double& x1, double& y1, double& x2, double& y2, const QRectF& r) {
    const double dx = x2 - x1, dy = y2 - y1;
    double t0 = 0.0, t1 = 1.0;
    int edge0 = -1, edge1 = -1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1 - r.left(), r.right() - x1, y1 - r.top(), r.bottom() - y1};
    const double edge[4] = {r.left(), r.right(), r.top(), r.bottom()};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0) {
            if (t > t1) return false;
            if (t > t0) t0 = t, edge0 = i;
        } else {
            if (t < t0) return false;
            if (t < t1) t1 = t, edge1 = i;
        }
    }
    const double ox = x1, oy = y1;
    const auto place = [&](double t, int e, double& x, double& y) {
        if (e < 0) return;
        if (dy != 0.0) y = oy + t * dy;
        if (dx != 0.0) x = ox + t * dx;
        (e < 2 ? x : y) = edge[e];
    };
    place(t0, edge0, x1, y1);
    place(t1, edge1, x2, y2);
    return true;
}

}  // namespace

ReferenceCanvas::ReferenceCanvas(QSize interior, qreal device_pixel_ratio)
    : logical_(interior),
      ratio_(device_pixel_ratio),
      image_((QSizeF(interior) * device_pixel_ratio).toSize(), QImage::Format_RGB32),
      scale_width_(static_cast<float>(interior.width() * 15.0)),
      scale_height_(static_cast<float>(interior.height() * 15.0)) {
    image_.fill(to_qrgb(0));
}

void ReferenceCanvas::set_device_pixel_ratio(qreal ratio) {
    if (ratio <= 0 || ratio == ratio_) return;
    image_ = image_
                 .scaled((QSizeF(logical_) * ratio).toSize(), Qt::IgnoreAspectRatio,
                         Qt::FastTransformation)
                 .convertToFormat(QImage::Format_RGB32);
    ratio_ = ratio;
}

void ReferenceCanvas::set_background_colour(std::int32_t colour) {
    image_.fill(to_qrgb(colour));
}

void ReferenceCanvas::set_user_scale(float height, float width) {
    scale_height_ = height;
    scale_width_ = width;
}

void ReferenceCanvas::line(float x1, float y1, float x2, float y2, std::int32_t colour) {
    const double w = image_.width(), h = image_.height();
    double ax = x1 * w / scale_width_, ay = y1 * h / scale_height_;
    double bx = x2 * w / scale_width_, by = y2 * h / scale_height_;
    const QRectF bounds =
        QRectF(image_.rect()).adjusted(-kClipMargin, -kClipMargin, kClipMargin, kClipMargin);
    if (!std::isfinite(ax + ay + bx + by) || !clip_segment(ax, ay, bx, by, bounds)) return;
    const int pw = pen_width(ratio_);
    QPainter p(&image_);
    if (ax == bx || ay == by) {
        // A strip pw pixels across, centred on the line, from end pixel to end pixel.
        const auto first = [pw](double v) { return int(std::floor(v - pw / 2.0 + 0.5)); };
        const int left = int(std::floor(std::min(ax, bx)));
        const int top = int(std::floor(std::min(ay, by)));
        const QRect strip =
            ax == bx ? QRect(first(ax), top, pw, int(std::floor(std::max(ay, by))) - top + 1)
                     : QRect(left, first(ay), int(std::floor(std::max(ax, bx))) - left + 1, pw);
        p.fillRect(strip, QColor(to_qrgb(colour)));
        return;
    }
    p.setRenderHint(QPainter::Antialiasing, false);
    QPen pen{QColor(to_qrgb(colour)), static_cast<qreal>(pw)};
    pen.setCosmetic(true);
    pen.setCapStyle(Qt::SquareCap);
    p.setPen(pen);
    p.drawLine(QPointF(ax, ay), QPointF(bx, by));
}

void ReferenceCanvas::circle(float cx, float cy, float radius, std::optional<std::int32_t> colour) {
    const QRgb outline = to_qrgb(colour.value_or(0));
    const QRgb fill = to_qrgb(fill_);
    const double w = image_.width(), h = image_.height();
    const double x = cx * w / scale_width_, y = cy * h / scale_height_;
    const double r = std::fabs(static_cast<double>(radius));
    const double rx = r * w / scale_width_, ry = r * h / scale_height_;
    if (!std::isfinite(x + y + rx + ry)) return;
    if (x + rx + kClipMargin < 0 || x - rx - kClipMargin > w || y + ry + kClipMargin < 0 ||
        y - ry - kClipMargin > h) {
        return;
    }
    // The area lies inside the circle shrunk by the margin: one fill, the outline beyond it.
    if (rx > kClipMargin && ry > kClipMargin) {
        const double corners[4][2] = {{0, 0}, {w, 0}, {0, h}, {w, h}};
        if (std::all_of(std::begin(corners), std::end(corners), [&](const auto& k) {
                const double u = (k[0] - x) / (rx - kClipMargin);
                const double v = (k[1] - y) / (ry - kClipMargin);
                return u * u + v * v < 1.0;
            })) {
            image_.fill(fill);
            return;
        }
    }
    const int pw = pen_width(ratio_);
    if (rx > 1e5 || ry > 1e5) {
        // Beyond QPainter's fixed point: each row's span, its two ends in the outline colour.
        for (int row = 0; row < image_.height(); ++row) {
            const double v = (row + 0.5 - y) / ry;
            if (v < -1.0 || v > 1.0) continue;
            const double half = rx * std::sqrt(1.0 - v * v);
            const double left = std::floor(x - half), right = std::floor(x + half);
            if (right < 0 || left >= w) continue;
            const int x0 = int(std::max(left, 0.0)), x1 = int(std::min(right, w - 1.0));
            auto* px = reinterpret_cast<QRgb*>(image_.scanLine(row));
            std::fill(px + x0, px + x1 + 1, fill);
            if (left >= 0) px[x0] = outline;
            if (right < w) px[x1] = outline;
        }
        return;
    }
    QPainter p(&image_);
    if (r == 0.0) {
        p.fillRect(
            QRect(int(std::floor(x - (pw - 1) / 2.0)), int(std::floor(y - (pw - 1) / 2.0)), pw, pw),
            QColor(outline));
        return;
    }
    p.setRenderHint(QPainter::Antialiasing, false);
    QPen pen{QColor(outline), static_cast<qreal>(pw)};
    pen.setCosmetic(true);
    p.setPen(pen);
    p.setBrush(QColor(fill));
    p.drawEllipse(QPointF(x, y), rx, ry);
}

}  // namespace tarrowen::testing
