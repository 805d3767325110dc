// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/drawing_area.h"

#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cmath>
#include <vector>

namespace tarrowen {

namespace {

constexpr double kTwipsPerLogicalPixel = 15.0;
// Past this many device pixels a circle that only grazes the area is filled span by span
// instead of by QPainter, whose rasteriser works in fixed point.
constexpr double kLargestPaintedRadius = 1e5;
// Primitives are clipped to the area grown by this many device pixels on every side, so that
// clipping never moves a pixel that lies inside the area.
constexpr double kClipMargin = 4.0;

int pen_width(qreal ratio) {
    return std::max(1, static_cast<int>(std::lround(ratio)));
}

// Liang-Barsky: clips the segment to the rectangle; false when nothing is left. A clipped end
// is put exactly on the edge that cut it, and a line parallel to an axis keeps its other
// coordinate untouched: with end points near the single range, interpolating would cancel
// away all the digits that matter.
bool clip_segment(double& x1, double& y1, double& x2, double& y2, const QRectF& r) {
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    double t0 = 0.0;
    double t1 = 1.0;
    int edge0 = -1;
    int edge1 = -1;
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
    const double ox = x1;
    const double oy = y1;
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

QRgb to_qrgb(std::int32_t colour) {
    const auto v = static_cast<std::uint32_t>(colour);
    return qRgb(static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF),
                static_cast<int>((v >> 16) & 0xFF));
}

DrawingArea::DrawingArea(QSize interior, qreal device_pixel_ratio)
    : logical_(interior),
      ratio_(device_pixel_ratio > 0 ? device_pixel_ratio : 1.0),
      scale_width_(static_cast<float>(interior.width() * kTwipsPerLogicalPixel)),
      scale_height_(static_cast<float>(interior.height() * kTwipsPerLogicalPixel)) {
    image_ = QImage((QSizeF(logical_) * ratio_).toSize(), QImage::Format_RGB32);
    image_.setDevicePixelRatio(ratio_);
    fill_all(kBlack);
}

void DrawingArea::set_device_pixel_ratio(qreal ratio) {
    if (ratio <= 0 || ratio == ratio_) return;
    const QSize size = (QSizeF(logical_) * ratio).toSize();
    QImage scaled = image_.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    image_ = scaled.convertToFormat(QImage::Format_RGB32);
    ratio_ = ratio;
    image_.setDevicePixelRatio(ratio_);
    mark_dirty(QRectF(image_.rect()));
}

void DrawingArea::fill_all(std::int32_t colour) {
    image_.fill(to_qrgb(colour));
    mark_dirty(QRectF(image_.rect()));
}

void DrawingArea::set_background_colour(std::int32_t colour) {
    fill_all(colour);
}

void DrawingArea::set_user_scale(float height, float width) {
    scale_height_ = height;
    scale_width_ = width;
}

QPointF DrawingArea::to_device(double x, double y) const {
    return {x * image_.width() / scale_width_, y * image_.height() / scale_height_};
}

void DrawingArea::mark_dirty(const QRectF& device_rect) {
    mark_dirty(device_rect.toAlignedRect());
}

void DrawingArea::mark_dirty(const QRect& rect) {
    const QRect r = rect.intersected(image_.rect());
    if (r.isEmpty()) return;
    // Rectangles that touch merge, so a line moving a pixel a tick sweeps one strip; when all
    // places are taken the newest joins the first.
    for (int i = 0; i < dirty_count_; ++i) {
        if (dirty_[i].adjusted(-2, -2, 2, 2).intersects(r)) {
            dirty_[i] = dirty_[i].united(r);
            return;
        }
    }
    if (dirty_count_ < kDirtyRects) {
        dirty_[dirty_count_++] = r;
    } else {
        dirty_[0] = dirty_[0].united(r);
    }
}

QRegion DrawingArea::take_dirty() {
    QRegion d;
    for (int i = 0; i < dirty_count_; ++i)
        d += dirty_[i];
    dirty_count_ = 0;
    return d;
}

void DrawingArea::fill_rect(const QRect& rect, QRgb colour) {
    const QRect r = rect.intersected(image_.rect());
    if (r.isEmpty()) return;
    uchar* bits = image_.bits();
    const qsizetype stride = image_.bytesPerLine();
    for (int y = r.top(); y <= r.bottom(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(bits + y * stride);
        std::fill(row + r.left(), row + r.right() + 1, colour);
    }
    mark_dirty(r);
}

void DrawingArea::line(float x1, float y1, float x2, float y2, std::int32_t colour) {
    const QPointF a = to_device(x1, y1);
    const QPointF b = to_device(x2, y2);
    double ax = a.x(), ay = a.y(), bx = b.x(), by = b.y();
    const QRectF bounds =
        QRectF(image_.rect()).adjusted(-kClipMargin, -kClipMargin, kClipMargin, kClipMargin);
    if (!std::isfinite(ax + ay + bx + by) || !clip_segment(ax, ay, bx, by, bounds)) return;

    const int w = pen_width(ratio_);
    if (ax == bx || ay == by) {
        // Parallel to an axis, as every line of the motion is: a strip `w` pixels wide round
        // the line, from the pixel of one end to the pixel of the other.
        const auto first = [w](double v) {
            return static_cast<int>(std::floor(v - w / 2.0 + 0.5));
        };
        const auto pixel = [](double v) { return static_cast<int>(std::floor(v)); };
        QRect strip;
        if (ax == bx) {
            const int top = pixel(std::min(ay, by));
            strip = QRect(first(ax), top, w, pixel(std::max(ay, by)) - top + 1);
        } else {
            const int left = pixel(std::min(ax, bx));
            strip = QRect(left, first(ay), pixel(std::max(ax, bx)) - left + 1, w);
        }
        fill_rect(strip, to_qrgb(colour));
        return;
    }
    QPainter p(&image_);
    p.setRenderHint(QPainter::Antialiasing, false);
    QPen pen{QColor(to_qrgb(colour)), static_cast<qreal>(w)};
    pen.setCosmetic(true);
    pen.setCapStyle(Qt::SquareCap);
    p.setPen(pen);
    const QPointF pa(ax, ay), pb(bx, by);
    if (pa == pb) {
        p.drawPoint(pa);
    } else {
        p.drawLine(pa, pb);
    }
    mark_dirty(QRectF(pa, pb).normalized().adjusted(-w - 1, -w - 1, w + 1, w + 1));
}

void DrawingArea::circle(float cx, float cy, float radius, std::optional<std::int32_t> colour) {
    const QRgb outline = to_qrgb(colour.value_or(foreground_colour()));
    const QRgb fill = to_qrgb(fill_);
    const QPointF c = to_device(cx, cy);
    const double r = std::fabs(static_cast<double>(radius));
    const double rx = r * image_.width() / scale_width_;
    const double ry = r * image_.height() / scale_height_;
    if (!std::isfinite(c.x() + c.y() + rx + ry)) return;
    const double w = image_.width();
    const double h = image_.height();

    // Wholly outside: nothing to draw.
    if (c.x() + rx + kClipMargin < 0 || c.x() - rx - kClipMargin > w ||
        c.y() + ry + kClipMargin < 0 || c.y() - ry - kClipMargin > h) {
        return;
    }
    // Covering the whole area, with the outline beyond every corner: one fill.
    if (rx > kClipMargin && ry > kClipMargin) {
        const double ix = rx - kClipMargin;
        const double iy = ry - kClipMargin;
        const double corners[4][2] = {{0, 0}, {w, 0}, {0, h}, {w, h}};
        bool covers = true;
        for (const auto& k : corners) {
            const double u = (k[0] - c.x()) / ix;
            const double v = (k[1] - c.y()) / iy;
            if (u * u + v * v >= 1.0) {
                covers = false;
                break;
            }
        }
        if (covers) {
            image_.fill(fill);
            mark_dirty(QRectF(image_.rect()));
            return;
        }
    }

    const int pw = pen_width(ratio_);
    if (rx > kLargestPaintedRadius || ry > kLargestPaintedRadius) {
        circle_spans(c.x(), c.y(), rx, ry, fill, outline);
        return;
    }
    if (r == 0.0) {
        fill_rect(QRect(static_cast<int>(std::floor(c.x() - (pw - 1) / 2.0)),
                        static_cast<int>(std::floor(c.y() - (pw - 1) / 2.0)), pw, pw),
                  outline);
        return;
    }
    const CircleRuns& shape = circle_runs(c.x(), c.y(), rx, ry);
    uchar* bits = image_.bits();
    const qsizetype stride = image_.bytesPerLine();
    for (const Run& run : shape.runs) {
        auto* row = reinterpret_cast<QRgb*>(bits + run.y * stride);
        std::fill(row + run.x0, row + run.x1, run.outline ? outline : fill);
    }
    mark_dirty(shape.bounds);
}

const DrawingArea::CircleRuns& DrawingArea::circle_runs(double cx, double cy, double rx,
                                                        double ry) {
    CircleRuns& k = circle_cache_;
    const int pw = pen_width(ratio_);
    if (k.cx == cx && k.cy == cy && k.rx == rx && k.ry == ry && k.pen == pw &&
        k.size == image_.size()) {
        return k;
    }
    // Rasterise once with QPainter into a scratch image in two marker colours, then keep the
    // runs of each.
    constexpr QRgb kNone = 0xFF000000;
    constexpr QRgb kInterior = 0xFF000001;
    constexpr QRgb kOutline = 0xFF000002;
    QImage scratch(image_.size(), QImage::Format_RGB32);
    scratch.fill(kNone);
    {
        QPainter p(&scratch);
        p.setRenderHint(QPainter::Antialiasing, false);
        QPen pen{QColor::fromRgb(kOutline), static_cast<qreal>(pw)};
        pen.setCosmetic(true);
        p.setPen(pen);
        p.setBrush(QColor::fromRgb(kInterior));
        p.drawEllipse(QPointF(cx, cy), rx, ry);
    }
    k = CircleRuns{cx, cy, rx, ry, pw, image_.size(), {}, QRect()};
    for (int y = 0; y < scratch.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(scratch.constScanLine(y));
        int x = 0;
        while (x < scratch.width()) {
            const QRgb v = row[x];
            int end = x + 1;
            while (end < scratch.width() && row[end] == v)
                ++end;
            if (v != kNone) {
                k.runs.push_back({y, x, end, v == kOutline});
                k.bounds = k.bounds.united(QRect(x, y, end - x, 1));
            }
            x = end;
        }
    }
    return k;
}

// A circle whose centre lies far outside the area and which only grazes it: row by row, the
// interior span in the fill colour and its two ends in the outline colour.
void DrawingArea::circle_spans(double cx, double cy, double rx, double ry, QRgb fill,
                               QRgb outline) {
    const int w = image_.width();
    for (int y = 0; y < image_.height(); ++y) {
        const double v = (y + 0.5 - cy) / ry;
        if (v < -1.0 || v > 1.0) continue;
        const double half = rx * std::sqrt(1.0 - v * v);
        const double left = std::floor(cx - half);
        const double right = std::floor(cx + half);
        if (right < 0 || left >= w) continue;
        const int x0 = static_cast<int>(std::max(left, 0.0));
        const int x1 = static_cast<int>(std::min(right, w - 1.0));
        auto* row = reinterpret_cast<QRgb*>(image_.scanLine(y));
        std::fill(row + x0, row + x1 + 1, fill);
        if (left >= 0) row[x0] = outline;
        if (right < w) row[x1] = outline;
    }
    mark_dirty(QRectF(image_.rect()));
}

void clear_drawing_area(DrawingArea& area) {
    area.set_background_colour(kBlack);
}

void wipe_drawing_area(DrawingArea& area) {
    area.circle(static_cast<float>(kCenterX), static_cast<float>(kCenterY), 6.0f);
}

}  // namespace tarrowen
