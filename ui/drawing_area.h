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

#include <QImage>
#include <QRect>
#include <QRegion>
#include <QSize>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace tarrowen {

inline constexpr std::int32_t kBlack = 0;
inline constexpr std::int32_t kFillAtCreation = 64 + 65536 * 64;  // RGB(64, 0, 64)

QRgb to_qrgb(std::int32_t colour);

class DrawingArea {
  public:
    // `interior` in logical pixels; `device_pixel_ratio` of the screen that shows it.
    explicit DrawingArea(QSize interior, qreal device_pixel_ratio = 1.0);

    // Re-creates the canvas for another pixel ratio (the window moved to another screen or the
    // scale factor changed). The pixels are rescaled; the next tick redraws them crisply.
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
    // The device pixels changed since the last call; empty when nothing changed. Kept as a
    // few rectangles (the orbit, the strips the lines swept), so a repaint copies little.
    QRegion take_dirty();

  private:
    // A circle as QPainter rasterises it, kept as runs of interior and outline pixels per row,
    // so the orbit that the tick draws again and again is replayed instead of re-rasterised.
    struct Run {
        int y, x0, x1;  // x1 exclusive
        bool outline;
    };
    struct CircleRuns {
        double cx = 0, cy = 0, rx = -1, ry = -1;
        int pen = 0;
        QSize size;
        std::vector<Run> runs;
        QRect bounds;
    };

    QPointF to_device(double x, double y) const;
    void mark_dirty(const QRectF& device_rect);
    void mark_dirty(const QRect& r);
    void fill_all(std::int32_t colour);
    void fill_rect(const QRect& r, QRgb colour);
    void circle_spans(double cx, double cy, double rx, double ry, QRgb fill, QRgb outline);
    const CircleRuns& circle_runs(double cx, double cy, double rx, double ry);

    QSize logical_;
    qreal ratio_;
    QImage image_;
    float scale_width_;
    float scale_height_;
    std::int32_t fill_ = kFillAtCreation;
    static constexpr int kDirtyRects = 8;
    std::array<QRect, kDirtyRects> dirty_{};
    int dirty_count_ = 0;
    CircleRuns circle_cache_;
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
