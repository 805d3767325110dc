// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The drawing area: a retained canvas in device pixels with a user-defined coordinate system.
//
// Everything drawn stays in the canvas (a QImage), so whatever the window system uncovers or
// restores is shown again from it. Drawing is aliased with a one-pixel-per-logical-pixel pen,
// and a primitive's pixels depend on its arguments alone: a line drawn again over the same
// coordinates in the background colour removes it exactly.
//
// Colours are colour values: red + 256 * green + 65536 * blue (red in the low byte).
//
// Coordinates are singles in the current scale: twips (15 per logical pixel) until
// set_user_scale, then user units with the origin top left and y downwards. Any single is
// accepted: the primitives clip in double precision before they rasterise, so coordinates far
// outside the area (up to the single range) draw nothing and take no time, and a circle far
// larger than the area fills it.
//
// A call writes only the pixels whose colour it changes and reports only those as changed, so
// the work of the tick follows what moves: the orbit drawn again over itself repaints only the
// pixels that lines have crossed since, and a line drawn again in its own colour changes nothing.

#include <QImage>
#include <QRect>
#include <QRegion>
#include <QSize>
#include <array>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace tarrowen {

inline constexpr std::int32_t kBlack = 0;
inline constexpr std::int32_t kFillAtCreation = 64 + 65536 * 64;  // RGB(64, 0, 64)

QRgb to_qrgb(std::int32_t colour);

enum class PixelFormat { Xrgb, Xbgr };
using RectList = class ChangedRects;

// The device pixels that changed.
class ChangedRects {
  public:
    explicit ChangedRects(QRegion r) : r_(std::move(r)) {}
    bool empty() const { return r_.isEmpty(); }
    auto begin() const { return r_.begin(); }
    auto end() const { return r_.end(); }

  private:
    QRegion r_;
};

class DrawingArea {
  public:
    // `interior` in logical pixels; `device_pixel_ratio` of the screen that shows it.
    explicit DrawingArea(QSize interior, qreal device_pixel_ratio = 1.0);
    DrawingArea(int width, int height, double device_pixel_ratio = 1.0,
                PixelFormat = PixelFormat::Xrgb)
        : DrawingArea(QSize(width, height), device_pixel_ratio) {}

    // Re-creates the canvas for another pixel ratio (the window moved to another screen or the
    // scale factor changed). The pixels are stretched; whoever knows what the picture shows
    // draws it again at the new resolution.
    void set_device_pixel_ratio(qreal ratio);
    qreal device_pixel_ratio() const { return ratio_; }

    // Erases everything drawn and fills the interior with `colour`.
    void set_background_colour(std::int32_t colour);
    void set_fill_colour(std::int32_t colour) { fill_ = colour; }
    std::int32_t fill_colour() const { return fill_; }
    std::int32_t foreground_colour() const { return kBlack; }

    // Scale mode user: the interior spans `width` units across and `height` units down,
    // with (0, 0) at the top left corner.
    void set_user_scale(float height, float width);
    float scale_width() const { return scale_width_; }
    float scale_height() const { return scale_height_; }

    // A whole circle: the interior painted in the fill colour (solid fill), then the outline
    // in `colour`, or in the foreground colour when none is given. A negative radius draws the
    // circle of its magnitude (the orbit of -R is the orbit of R); a radius of 0 draws one dot
    // at the centre in the outline colour.
    void circle(float cx, float cy, float radius, std::optional<std::int32_t> colour = {});

    // A straight line from (x1, y1) to (x2, y2), end pixels included.
    void line(float x1, float y1, float x2, float y2, std::int32_t colour);

    const QImage& image() const { return image_; }
    // The size in device pixels, and the colour value of one device pixel.
    int width() const { return image_.width(); }
    int height() const { return image_.height(); }
    std::int32_t colour_at(int x, int y) const;
    // The device pixels changed since the last call: empty when no pixel changed, and within
    // a few pixels of those that did otherwise (a strip where a line moved, not the orbit's box).
    QRegion take_dirty();
    ChangedRects take_changed() { return ChangedRects(take_dirty()); }

  private:
    // A run of one row that a circle paints in one of its two colours; x1 exclusive.
    struct Run {
        int y, x0, x1;
        bool outline;
    };
    // A circle's pixels inside the area as runs, row by row. Kept for the last circle drawn, so
    // that the orbit, drawn again on every tick, is neither rasterised nor painted again whole.
    struct Shape {
        bool covers = false;  // the whole area in the fill colour, whatever the circle
        double cx = 0, cy = 0, rx = -1, ry = -1;
        int pen = 0;
        QSize size;
        std::vector<Run> runs;
        std::vector<int> row_begin;  // runs of row y: [row_begin[y - top], row_begin[y - top + 1])
        // The interior of row y when it is one run, [first, second); else empty. Most of what
        // lines cross lies in it, and is repainted without looking at the runs.
        std::vector<std::pair<int, int>> interior;
        // The first and last row of column x, [first, second]; empty (first > second) where
        // the shape has no pixel. A line down the area is repainted only along that stretch.
        std::vector<std::pair<int, int>> column;
        int top = 0;
        QRect bounds;
    };
    // A short list of rectangles, merged where that adds little area; when full, the new one
    // joins the one it enlarges least. Never allocates.
    class RectList {
      public:
        void add(const QRect& r);
        void clear() { count_ = 0; }
        const QRect* begin() const { return rects_.data(); }
        const QRect* end() const { return rects_.data() + count_; }

      private:
        static constexpr int kRects = 24;
        std::array<QRect, kRects> rects_{};
        int count_ = 0;
    };

    QPointF to_device(double x, double y) const;
    void changed(const QRect& r);
    void paint_strip(const QRect& strip, QRgb colour);
    void paint_slanted_line(QPointF a, QPointF b, QRgb colour);
    void paint_shape(QRgb fill, QRgb outline);
    void repaint_damage(QRgb fill, QRgb outline);
    bool use_shape(double cx, double cy, double rx, double ry, bool covers);
    void rasterise(Shape& s);
    QImage& scratch();

    QSize logical_;
    qreal ratio_;
    QImage image_;
    QImage scratch_;
    float scale_width_;
    float scale_height_;
    std::int32_t fill_ = kFillAtCreation;
    RectList dirty_;
    Shape shape_;
    // While `painted_`, every pixel of `shape_` outside `damage_` has the colour the shape last
    // painted it: repainting the same shape in the same colours only has to look at `damage_`.
    bool painted_ = false;
    QRgb painted_fill_ = 0;
    QRgb painted_outline_ = 0;
    RectList damage_;
    // Rectangles that the last repaint of the shape left wholly in one colour.
    struct Known {
        QRect rect;
        QRgb colour;
    };
    static constexpr int kKnown = 4;
    std::array<Known, kKnown> known_{};
    int known_count_ = 0;
};

// The user scale of the picture, 340/75 units across and 4 down, and the orbit centre in its
// middle: 170/75 across (as a single, 2.2666666507720947) and 2 down.
inline constexpr double kScaleWidth = 340.0 / 75.0;
inline constexpr double kScaleHeight = 4.0;
inline constexpr double kCenterX = kScaleWidth / 2;
inline constexpr double kCenterY = kScaleHeight / 2;

// Background black: erases everything drawn.
void clear_drawing_area(DrawingArea& area);
// A circle of radius 6 round the centre in no colour: paints the whole area in the fill colour
// (its outline, in the foreground colour, lies wholly outside the area).
void wipe_drawing_area(DrawingArea& area);

}  // namespace tarrowen
