// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/canvas/drawing_area.h"

#include <QPainter>
#include <QPen>
#include <algorithm>
#include <climits>
#include <cmath>
#include <type_traits>
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

// Marker colours of the scratch image in which QPainter rasterises a shape.
constexpr QRgb kNone = 0xFF000000;
constexpr QRgb kInterior = 0xFF000001;
constexpr QRgb kOutline = 0xFF000002;

// The bounding box of the pixels a call changed.
struct Box {
    int x0 = INT_MAX, y0 = INT_MAX, x1 = INT_MIN, y1 = INT_MIN;
    void add(int a, int b, int y) {
        x0 = std::min(x0, a), x1 = std::max(x1, b);
        y0 = std::min(y0, y), y1 = std::max(y1, y);
    }
    bool empty() const { return x1 < x0; }
    QRect rect() const { return {QPoint(x0, y0), QPoint(x1, y1)}; }
};

// Paints [x0, x1) of a row in `colour`, writing only from the first pixel of another colour to
// the last. The pixels it changed are [first, last]; first > last when it changed none.
struct Span {
    int first, last;
    bool changed() const { return first <= last; }
};
// Whether the 8 pixels from p on are all `colour`; a loop the compiler turns into vector code.
inline bool all_of_8(const QRgb* p, QRgb colour) {
    QRgb other = 0;
    for (int k = 0; k < 8; ++k)
        other |= p[k] ^ colour;
    return other == 0;
}
// std::fill in blocks of 8, which the compiler turns into vector stores.
inline void fill_span(QRgb* p, int n, QRgb colour) {
    int i = 0;
    for (; i + 8 <= n; i += 8) {
        for (int k = 0; k < 8; ++k)
            p[i + k] = colour;
    }
    for (; i < n; ++i)
        p[i] = colour;
}
inline Span paint_span(QRgb* row, int x0, int x1, QRgb colour) {
    if (x1 - x0 <= 4) {
        // Where a line crossed: a pixel or two, one at a time.
        Span s{x1, x0 - 1};
        for (int x = x0; x < x1; ++x) {
            if (row[x] == colour) continue;
            row[x] = colour;
            s.first = std::min(s.first, x);
            s.last = x;
        }
        return s;
    }
    int a = x0;
    while (a + 8 <= x1 && all_of_8(row + a, colour))
        a += 8;
    while (a < x1 && row[a] == colour)
        ++a;
    if (a == x1) return {1, 0};
    int b = x1;
    while (b - 8 >= a && all_of_8(row + b - 8, colour))
        b -= 8;
    while (row[b - 1] == colour)
        --b;
    fill_span(row + a, b - a, colour);
    return {a, b - 1};
}

qint64 area_of(const QRect& r) {
    return static_cast<qint64>(r.width()) * r.height();
}

}  // namespace

QRgb to_qrgb(std::int32_t colour) {
    const auto v = static_cast<std::uint32_t>(colour);
    return qRgb(static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF),
                static_cast<int>((v >> 16) & 0xFF));
}

void DrawingArea::RectList::add(const QRect& r) {
    if (r.isEmpty()) return;
    const auto united = [&r](const QRect& q) {
        return QRect(QPoint(std::min(q.left(), r.left()), std::min(q.top(), r.top())),
                     QPoint(std::max(q.right(), r.right()), std::max(q.bottom(), r.bottom())));
    };
    int best = 0;
    qint64 best_growth = -1;
    for (int i = 0; i < count_; ++i) {
        const QRect u = united(rects_[i]);
        // Neighbours and overlaps merge (a line moving a pixel a tick sweeps one strip); two
        // lines crossing do not, or every frame would copy the box they span.
        if (area_of(u) <= 2 * (area_of(rects_[i]) + area_of(r)) + 16) {
            rects_[i] = u;
            return;
        }
        const qint64 growth = area_of(u) - area_of(rects_[i]);
        if (best_growth < 0 || growth < best_growth) best_growth = growth, best = i;
    }
    if (count_ < kRects) {
        rects_[count_++] = r;
    } else {
        rects_[best] = united(rects_[best]);
    }
}

std::int32_t DrawingArea::colour_at(int x, int y) const {
    const QRgb c = image_.pixel(x, y);
    return qRed(c) + 256 * qGreen(c) + 65536 * qBlue(c);
}

DrawingArea::DrawingArea(QSize interior, qreal device_pixel_ratio)
    : logical_(interior),
      ratio_(device_pixel_ratio > 0 ? device_pixel_ratio : 1.0),
      scale_width_(static_cast<float>(interior.width() * kTwipsPerLogicalPixel)),
      scale_height_(static_cast<float>(interior.height() * kTwipsPerLogicalPixel)) {
    image_ = QImage((QSizeF(logical_) * ratio_).toSize(), QImage::Format_RGB32);
    image_.setDevicePixelRatio(ratio_);
    image_.fill(to_qrgb(kBlack));
    dirty_.add(image_.rect());
}

void DrawingArea::set_device_pixel_ratio(qreal ratio) {
    if (ratio <= 0 || ratio == ratio_) return;
    const QSize size = (QSizeF(logical_) * ratio).toSize();
    QImage scaled = image_.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    image_ = scaled.convertToFormat(QImage::Format_RGB32);
    ratio_ = ratio;
    image_.setDevicePixelRatio(ratio_);
    painted_ = false;
    known_count_ = 0;
    dirty_.clear();
    dirty_.add(image_.rect());
}

void DrawingArea::set_background_colour(std::int32_t colour) {
    painted_ = false;
    known_count_ = 0;
    const QRgb c = to_qrgb(colour);
    Box box;
    for (int y = 0; y < image_.height(); ++y) {
        const Span s =
            paint_span(reinterpret_cast<QRgb*>(image_.scanLine(y)), 0, image_.width(), c);
        if (s.changed()) box.add(s.first, s.last, y);
    }
    if (!box.empty()) dirty_.add(box.rect());
}

void DrawingArea::set_user_scale(float height, float width) {
    scale_height_ = height;
    scale_width_ = width;
}

QPointF DrawingArea::to_device(double x, double y) const {
    return {x * image_.width() / scale_width_, y * image_.height() / scale_height_};
}

QRegion DrawingArea::take_dirty() {
    QRegion d;
    for (const QRect& r : dirty_)
        d += r;
    dirty_.clear();
    return d;
}

void DrawingArea::changed(const QRect& r) {
    dirty_.add(r);
    if (!painted_) return;
    const QRect& b = shape_.bounds;
    int top = b.top();
    int bottom = b.bottom();
    if (r.width() <= 4) {
        // A stretch of a line down the area: only the rows in which those columns hold a
        // pixel of the shape.
        top = INT_MAX;
        bottom = INT_MIN;
        for (int x = std::max(r.left(), b.left()); x <= std::min(r.right(), b.right()); ++x) {
            top = std::min(top, shape_.column[static_cast<std::size_t>(x)].first);
            bottom = std::max(bottom, shape_.column[static_cast<std::size_t>(x)].second);
        }
    }
    const QRect d(QPoint(std::max(r.left(), b.left()), std::max(r.top(), top)),
                  QPoint(std::min(r.right(), b.right()), std::min(r.bottom(), bottom)));
    damage_.add(d);
}

// Paints the strip of an axis-parallel line. Along a vertical strip each stretch of rows that
// changed counts apart, so that a line erased across the orbit, which changes pixels above and
// below it but none inside, leaves the orbit's interior out of what the next circle has to
// look at. A horizontal strip counts row by row.
void DrawingArea::paint_strip(const QRect& strip, QRgb colour) {
    const QRect r = strip & image_.rect();
    if (r.isEmpty()) return;
    // Rows known to hold the colour already are passed over; what the strip paints over in
    // another colour is no longer known.
    int skip_top = r.bottom() + 1;
    int skip_bottom = r.bottom();
    for (int i = 0; i < known_count_;) {
        const Known& k = known_[i];
        if (!k.rect.intersects(r)) {
            ++i;
        } else if (k.colour != colour) {
            known_[i] = known_[--known_count_];
        } else {
            if (k.rect.left() <= r.left() && r.right() <= k.rect.right()) {
                skip_top = std::max(k.rect.top(), r.top());
                skip_bottom = std::min(k.rect.bottom(), r.bottom());
            }
            ++i;
        }
    }
    uchar* bits = image_.bits();
    const qsizetype stride = image_.bytesPerLine();
    if (r.width() > r.height()) {
        for (int y = r.top(); y <= r.bottom(); ++y) {
            if (y >= skip_top && y <= skip_bottom) continue;
            const Span s = paint_span(reinterpret_cast<QRgb*>(bits + y * stride), r.left(),
                                      r.right() + 1, colour);
            if (s.changed()) changed(QRect(s.first, y, s.last - s.first + 1, 1));
        }
        return;
    }
    const int left = r.left();
    const int width = r.width();
    int stretch_top = -1;
    // The width as a constant where it is one of the two a line has at pixel ratio 1 and 2.
    const auto rows = [&](int from, int to, auto fixed_width) {
        constexpr int kFixed = decltype(fixed_width)::value;
        const int n = kFixed > 0 ? kFixed : width;
        for (int y = from; y <= to; ++y) {
            QRgb* p = reinterpret_cast<QRgb*>(bits + y * stride) + left;
#if defined(__GNUC__) || defined(__clang__)
            __builtin_prefetch(reinterpret_cast<const char*>(p) + 8 * stride, 1);
#endif
            // Every pixel is written, its own colour again where it had it: cheaper than a
            // branch per pixel, and the same picture.
            bool changes = false;
            for (int k = 0; k < n; ++k) {
                changes |= p[k] != colour;
                p[k] = colour;
            }
            if (changes) {
                if (stretch_top < 0) stretch_top = y;
            } else if (stretch_top >= 0) {
                changed(QRect(left, stretch_top, width, y - stretch_top));
                stretch_top = -1;
            }
        }
        if (stretch_top >= 0) changed(QRect(left, stretch_top, width, to + 1 - stretch_top));
        stretch_top = -1;
    };
    const auto both = [&](auto fixed_width) {
        rows(r.top(), std::min(skip_top - 1, r.bottom()), fixed_width);
        rows(skip_bottom + 1, r.bottom(), fixed_width);
    };
    if (width == 1) {
        both(std::integral_constant<int, 1>());
    } else if (width == 2) {
        both(std::integral_constant<int, 2>());
    } else {
        both(std::integral_constant<int, 0>());
    }
}

// A slanted line, rasterised by QPainter into the scratch image and copied where it changes
// a pixel.
void DrawingArea::paint_slanted_line(QPointF a, QPointF b, QRgb colour) {
    const int w = pen_width(ratio_);
    const QRect box =
        QRectF(a, b).normalized().adjusted(-w - 2, -w - 2, w + 2, w + 2).toAlignedRect() &
        image_.rect();
    if (box.isEmpty()) return;
    known_count_ = 0;
    QImage& s = scratch();
    for (int y = box.top(); y <= box.bottom(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(s.scanLine(y));
        std::fill(row + box.left(), row + box.right() + 1, kNone);
    }
    {
        QPainter p(&s);
        p.setRenderHint(QPainter::Antialiasing, false);
        QPen pen{QColor::fromRgb(kOutline), static_cast<qreal>(w)};
        pen.setCosmetic(true);
        pen.setCapStyle(Qt::SquareCap);
        p.setPen(pen);
        p.drawLine(a, b);
    }
    Box changes;
    for (int y = box.top(); y <= box.bottom(); ++y) {
        const auto* mark = reinterpret_cast<const QRgb*>(s.constScanLine(y));
        auto* row = reinterpret_cast<QRgb*>(image_.scanLine(y));
        for (int x = box.left(); x <= box.right(); ++x) {
            if (mark[x] == kOutline && row[x] != colour) {
                row[x] = colour;
                changes.add(x, x, y);
            }
        }
    }
    if (!changes.empty()) changed(changes.rect());
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
        paint_strip(strip, to_qrgb(colour));
        return;
    }
    paint_slanted_line(QPointF(ax, ay), QPointF(bx, by), to_qrgb(colour));
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
    // Covering the whole area, with the outline beyond every corner: the whole area in the
    // fill colour, whatever the circle.
    bool covers = false;
    if (rx > kClipMargin && ry > kClipMargin) {
        const double ix = rx - kClipMargin;
        const double iy = ry - kClipMargin;
        const double corners[4][2] = {{0, 0}, {w, 0}, {0, h}, {w, h}};
        covers = std::all_of(std::begin(corners), std::end(corners), [&](const auto& k) {
            const double u = (k[0] - c.x()) / ix;
            const double v = (k[1] - c.y()) / iy;
            return u * u + v * v < 1.0;
        });
    }
    const bool same_shape = use_shape(c.x(), c.y(), rx, ry, covers);
    if (same_shape && painted_ && painted_fill_ == fill &&
        (shape_.covers || painted_outline_ == outline)) {
        repaint_damage(fill, outline);
    } else {
        paint_shape(fill, outline);
    }
}

// Makes `shape_` the given circle; true when it already was.
bool DrawingArea::use_shape(double cx, double cy, double rx, double ry, bool covers) {
    Shape& k = shape_;
    const int pw = pen_width(ratio_);
    if (k.size == image_.size() && (covers ? k.covers
                                           : !k.covers && k.cx == cx && k.cy == cy && k.rx == rx &&
                                                 k.ry == ry && k.pen == pw)) {
        return true;
    }
    painted_ = false;
    k.covers = covers;
    k.cx = cx, k.cy = cy, k.rx = rx, k.ry = ry;
    k.pen = pw;
    k.size = image_.size();
    k.runs.clear();
    const int w = image_.width();
    const int h = image_.height();
    if (covers) {
        for (int y = 0; y < h; ++y)
            k.runs.push_back({y, 0, w, false});
    } else if (rx > kLargestPaintedRadius || ry > kLargestPaintedRadius) {
        // A circle whose centre lies far outside the area and which only grazes it, beyond
        // QPainter's fixed point: row by row, the interior span and its two ends in the
        // outline colour.
        for (int y = 0; y < h; ++y) {
            const double v = (y + 0.5 - cy) / ry;
            if (v < -1.0 || v > 1.0) continue;
            const double half = rx * std::sqrt(1.0 - v * v);
            const double left = std::floor(cx - half);
            const double right = std::floor(cx + half);
            if (right < 0 || left >= w) continue;
            const int x0 = static_cast<int>(std::max(left, 0.0));
            const int x1 = static_cast<int>(std::min(right, w - 1.0));
            int from = x0;
            if (left >= 0) k.runs.push_back({y, x0, x0 + 1, true}), from = x0 + 1;
            if (right < w && x1 >= from) {
                if (from < x1) k.runs.push_back({y, from, x1, false});
                k.runs.push_back({y, x1, x1 + 1, true});
            } else if (from <= x1) {
                k.runs.push_back({y, from, x1 + 1, false});
            }
        }
    } else if (rx == 0.0 && ry == 0.0) {
        // One dot in the outline colour.
        const QRect dot = QRect(static_cast<int>(std::floor(cx - (pw - 1) / 2.0)),
                                static_cast<int>(std::floor(cy - (pw - 1) / 2.0)), pw, pw) &
                          image_.rect();
        for (int y = dot.top(); y <= dot.bottom(); ++y)
            k.runs.push_back({y, dot.left(), dot.right() + 1, true});
    } else {
        rasterise(k);
    }
    k.bounds = QRect();
    for (const Run& run : k.runs)
        k.bounds |= QRect(run.x0, run.y, run.x1 - run.x0, 1);
    k.top = k.bounds.top();
    k.row_begin.assign(static_cast<std::size_t>(std::max(k.bounds.height(), 0)) + 1, 0);
    for (const Run& run : k.runs)
        ++k.row_begin[static_cast<std::size_t>(run.y - k.top) + 1];
    for (std::size_t i = 1; i < k.row_begin.size(); ++i)
        k.row_begin[i] += k.row_begin[i - 1];
    k.column.assign(static_cast<std::size_t>(w), {INT_MAX, INT_MIN});
    for (const Run& run : k.runs) {
        for (int x = run.x0; x < run.x1; ++x) {
            auto& [first, last] = k.column[static_cast<std::size_t>(x)];
            first = std::min(first, run.y);
            last = run.y;
        }
    }
    k.interior.assign(k.row_begin.size() - 1, {0, 0});
    std::vector<int> interior_runs(k.interior.size(), 0);
    for (const Run& run : k.runs) {
        if (run.outline) continue;
        const auto i = static_cast<std::size_t>(run.y - k.top);
        k.interior[i] = ++interior_runs[i] == 1 ? std::pair(run.x0, run.x1) : std::pair(0, 0);
    }
    return false;
}

// The circle as QPainter rasterises it, in two marker colours on the scratch image, kept as
// the runs of each.
void DrawingArea::rasterise(Shape& k) {
    QImage& s = scratch();
    s.fill(kNone);
    {
        QPainter p(&s);
        p.setRenderHint(QPainter::Antialiasing, false);
        QPen pen{QColor::fromRgb(kOutline), static_cast<qreal>(k.pen)};
        pen.setCosmetic(true);
        p.setPen(pen);
        p.setBrush(QColor::fromRgb(kInterior));
        p.drawEllipse(QPointF(k.cx, k.cy), k.rx, k.ry);
    }
    for (int y = 0; y < s.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(s.constScanLine(y));
        int x = 0;
        while (x < s.width()) {
            const QRgb v = row[x];
            int end = x + 1;
            while (end < s.width() && row[end] == v)
                ++end;
            if (v != kNone) k.runs.push_back({y, x, end, v == kOutline});
            x = end;
        }
    }
}

QImage& DrawingArea::scratch() {
    if (scratch_.size() != image_.size()) scratch_ = QImage(image_.size(), QImage::Format_RGB32);
    return scratch_;
}

void DrawingArea::paint_shape(QRgb fill, QRgb outline) {
    uchar* bits = image_.bits();
    const qsizetype stride = image_.bytesPerLine();
    Box changes;
    for (const Run& run : shape_.runs) {
        auto* row = reinterpret_cast<QRgb*>(bits + run.y * stride);
        const Span s = paint_span(row, run.x0, run.x1, run.outline ? outline : fill);
        if (s.changed()) changes.add(s.first, s.last, run.y);
    }
    if (!changes.empty()) dirty_.add(changes.rect());
    known_count_ = 0;
    painted_ = true;
    painted_fill_ = fill;
    painted_outline_ = outline;
    damage_.clear();
}

void DrawingArea::repaint_damage(QRgb fill, QRgb outline) {
    uchar* bits = image_.bits();
    const qsizetype stride = image_.bytesPerLine();
    const Run* runs = shape_.runs.data();
    known_count_ = 0;
    for (const QRect& d : damage_) {
        const int left = d.left();
        const int end = d.right() + 1;
        Box changes;
        // The rows from `inside` on in which all of d lies in the interior: once painted they
        // are known to hold the fill colour, which the line erasing there next need not read.
        int inside = -1;
        const auto note_inside = [&](int past) {
            if (inside >= 0 && known_count_ < kKnown) {
                known_[known_count_++] = {QRect(left, inside, end - left, past - inside), fill};
            }
            inside = -1;
        };
        // The width of d as a constant where it is that of a line at pixel ratio 1 or 2.
        const auto rows = [&](auto fixed_width) {
            constexpr int kFixed = decltype(fixed_width)::value;
            for (int y = d.top(); y <= d.bottom(); ++y) {
                auto* row = reinterpret_cast<QRgb*>(bits + y * stride);
                const auto i = static_cast<std::size_t>(y - shape_.top);
                const auto [first, past] = shape_.interior[i];
                if (first <= left && end <= past) {
                    if constexpr (kFixed > 0) {
                        bool changed = false;
                        for (int k = 0; k < kFixed; ++k) {
                            changed |= row[left + k] != fill;
                            row[left + k] = fill;
                        }
                        if (changed) changes.add(left, end - 1, y);
                    } else {
                        const Span s = paint_span(row, left, end, fill);
                        if (s.changed()) changes.add(s.first, s.last, y);
                    }
                    if (inside < 0) inside = y;
                    continue;
                }
                note_inside(y);
                for (int k = shape_.row_begin[i]; k < shape_.row_begin[i + 1]; ++k) {
                    const Run& run = runs[k];
                    if (run.x0 >= end) break;
                    const int x0 = std::max(run.x0, left);
                    const int x1 = std::min(run.x1, end);
                    if (x0 >= x1) continue;
                    const Span s = paint_span(row, x0, x1, run.outline ? outline : fill);
                    if (s.changed()) changes.add(s.first, s.last, y);
                }
            }
        };
        if (end - left == 1) {
            rows(std::integral_constant<int, 1>());
        } else if (end - left == 2) {
            rows(std::integral_constant<int, 2>());
        } else {
            rows(std::integral_constant<int, 0>());
        }
        note_inside(d.bottom() + 1);
        if (!changes.empty()) dirty_.add(changes.rect());
    }
    damage_.clear();
}

void clear_drawing_area(DrawingArea& area) {
    area.set_background_colour(kBlack);
}

void wipe_drawing_area(DrawingArea& area) {
    area.circle(static_cast<float>(kCenterX), static_cast<float>(kCenterY), 6.0f);
}

}  // namespace tarrowen
