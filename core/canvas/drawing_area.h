// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The drawing area: a retained canvas of 32-bit pixels with a user-defined coordinate system.
//
// Everything drawn stays in the canvas, so whatever the window system uncovers or restores is
// shown again from it. The pixels are stored in the front-end's own format (pixel_format.h),
// row after row (pixels(), stride()), and a front-end copies only the rectangles that
// take_changed() gives. All rectangles and intervals are half-open (rect.h).
//
// Colours are colour values: red + 256 * green + 65536 * blue (red in the low byte). They
// become pixels through the area's colour scheme (colour_scheme.h): every call draws in the
// program's own colours, and the pixels hold the colours the scheme shows for them.
//
// Coordinates are singles in the current scale: twips (layout::kTwipsPerPixel to a logical pixel)
// until set_user_scale, then user units with the origin top left and y downwards. A point (x, y) is
// the device point (x * width() / scale_width(), y * height() / scale_height()), computed in
// double. Any single is accepted: clipping only decides which pixels to visit (clipping.h), so
// coordinates far outside the area draw nothing there and take no time, and a circle far
// larger than the area fills it. Drawing is aliased with a pen one logical pixel wide,
// max(1, lround(device_pixel_ratio())) device pixels; which pixels a line and a circle hold is
// defined in line_raster.h and circle_runs.h. A primitive's pixels depend on its arguments
// alone: a line drawn again over the same coordinates in the background colour removes it
// exactly.
//
// A call reports as changed only where it changed pixels (tracked_pixels.h), and the work of
// the tick follows what moves: the orbit drawn again over itself repaints only where other
// calls have changed pixels since, a line that erases where the orbit was just repainted passes
// over the rows known to hold its colour (known_colours.h), and a line drawn again in its own
// colour changes nothing. No call allocates, apart from the first circle of a new shape on a
// larger area and a change of pixel ratio.

#include <cstdint>
#include <optional>

#include "core/canvas/circle_runs.h"
#include "core/canvas/colour_scheme.h"
#include "core/canvas/pixel_format.h"
#include "core/canvas/rect.h"
#include "core/canvas/rect_list.h"
#include "core/canvas/tracked_pixels.h"

namespace tarrowen {

inline constexpr std::int32_t kBlack = 0;
inline constexpr std::int32_t kFillAtCreation = 64 + 65536 * 64;  // RGB(64, 0, 64)

class DrawingArea {
  public:
    // `width` x `height` logical pixels, shown on a screen of `device_pixel_ratio` (a ratio
    // that is not above 0 counts as 1): lround(width * ratio) x lround(height * ratio) device
    // pixels, all black, all changed.
    DrawingArea(int width, int height, double device_pixel_ratio = 1.0,
                PixelFormat format = PixelFormat::Xrgb);

    // Takes the pixel ratio of another screen: the device pixels become lround(logical * ratio)
    // per axis, each the old pixel under its centre (TrackedPixels::resize_stretched), and all
    // of them count as changed. Whoever knows what the picture shows draws it again at the new
    // resolution. A ratio that is not above 0, or the current one, changes nothing.
    void set_device_pixel_ratio(double ratio);
    double device_pixel_ratio() const { return ratio_; }

    // Shows the picture in `scheme` from now on: every pixel is rewritten at once as the new
    // scheme shows the colour it was drawn in, and every later call draws in it. The picture
    // is the one drawn in the new scheme from the start; the pixels that changed count as
    // changed. The current scheme changes nothing.
    void set_colour_scheme(ColourScheme scheme);
    ColourScheme colour_scheme() const { return scheme_; }

    // Fills the whole area with `colour`, erasing everything drawn.
    void set_background_colour(std::int32_t colour);
    void set_fill_colour(std::int32_t colour) { fill_ = colour; }
    std::int32_t fill_colour() const { return fill_; }
    std::int32_t foreground_colour() const { return kBlack; }

    // Scale mode user: the area spans `width` units across and `height` units down, with (0, 0)
    // at the top left corner.
    void set_user_scale(float height, float width);
    float scale_width() const { return scale_width_; }
    float scale_height() const { return scale_height_; }

    // A whole circle: the interior in the fill colour (solid fill) and the outline in `colour`,
    // or in the foreground colour when none is given. The radii in device pixels are
    // |radius| * width() / scale_width() and |radius| * height() / scale_height(): a negative
    // radius draws the circle of its magnitude, and below one device pixel the circle is a dot
    // in the outline colour (circle_runs.h). Nothing when a coordinate is not finite.
    void circle(float cx, float cy, float radius, std::optional<std::int32_t> colour = {});

    // A straight line from (x1, y1) to (x2, y2), end pixels included (line_raster.h).
    void line(float x1, float y1, float x2, float y2, std::int32_t colour);

    // The size in device pixels.
    int width() const { return pixels_.width(); }
    int height() const { return pixels_.height(); }
    // The colour value a device pixel shows (in the colour scheme); -1 outside the area.
    std::int32_t colour_at(int x, int y) const;
    PixelFormat format() const { return format_; }
    // The pixels in format(), row after row, stride() pixels from the start of one row to the
    // next. Valid until the pixel ratio changes.
    const std::uint32_t* pixels() const { return pixels_.data(); }
    int stride() const { return pixels_.stride(); }
    // The device pixels changed since the last call: empty when no pixel changed, and a few
    // rectangles near those that did otherwise (a strip where a line moved, not the orbit's
    // box).
    RectList take_changed() { return pixels_.take_changed(); }

  private:
    double to_device_x(double x) const { return x * width() / scale_width_; }
    double to_device_y(double y) const { return y * height() / scale_height_; }
    int pen_width() const;
    std::uint32_t pixel_of(std::int32_t colour) const {
        return encode_pixel(shown_colour(colour, scheme_), format_);
    }
    void paint_shape(std::uint32_t fill, std::uint32_t outline);
    void repair_shape(std::uint32_t fill, std::uint32_t outline);
    void repair_rect(const Rect& d, std::uint32_t fill, std::uint32_t outline);

    int logical_width_;
    int logical_height_;
    double ratio_;
    PixelFormat format_;
    ColourScheme scheme_ = ColourScheme::Screen;
    TrackedPixels pixels_;
    float scale_width_;
    float scale_height_;
    std::int32_t fill_ = kFillAtCreation;

    // The last circle drawn, kept so that the orbit, drawn again on every tick, is neither
    // rasterised nor painted again whole. Its pixels outside pixels_.touched() hold the colours
    // of painted_, which is empty from the time the shape is built until it is first painted.
    CircleRuns shape_;
    bool has_shape_ = false;
    struct Colours {
        std::uint32_t fill;
        std::uint32_t outline;
    };
    std::optional<Colours> painted_;
};

// Background black: erases everything drawn.
void clear_drawing_area(DrawingArea& area);

}  // namespace tarrowen
