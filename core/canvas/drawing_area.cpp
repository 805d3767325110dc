// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/canvas/drawing_area.h"

#include <algorithm>
#include <cmath>

#include "core/canvas/line_raster.h"
#include "core/layout/layout.h"

namespace tarrowen {

namespace {

// No screen has more device pixels along an axis; a wild ratio must not ask for gigabytes.
constexpr double kLargestDeviceSize = 1 << 15;

double usable_ratio(double ratio) {
    return ratio > 0 && std::isfinite(ratio) ? ratio : 1.0;
}

int device_size(int logical, double ratio) {
    return static_cast<int>(std::lround(std::min(logical * ratio, kLargestDeviceSize)));
}

}  // namespace

DrawingArea::DrawingArea(int width, int height, double device_pixel_ratio, PixelFormat format)
    : logical_width_(std::max(width, 0)),
      logical_height_(std::max(height, 0)),
      ratio_(usable_ratio(device_pixel_ratio)),
      format_(format),
      pixels_(device_size(logical_width_, ratio_), device_size(logical_height_, ratio_),
              encode_pixel(kBlack, format)),
      scale_width_(static_cast<float>(logical_width_ * layout::kTwipsPerPixel)),
      scale_height_(static_cast<float>(logical_height_ * layout::kTwipsPerPixel)) {}

void DrawingArea::set_device_pixel_ratio(double ratio) {
    if (!(ratio > 0) || !std::isfinite(ratio) || ratio == ratio_) return;
    ratio_ = ratio;
    pixels_.resize_stretched(device_size(logical_width_, ratio_),
                             device_size(logical_height_, ratio_));
}

void DrawingArea::set_colour_scheme(ColourScheme scheme) {
    if (scheme == scheme_) return;
    // A scheme is its own inverse: the old one gives back the colour drawn, the new one shows it.
    const auto recode = [this, old = scheme_, scheme](std::uint32_t pixel) {
        const std::int32_t drawn = shown_colour(decode_pixel(pixel, format_), old);
        return encode_pixel(shown_colour(drawn, scheme), format_);
    };
    pixels_.recode(recode);
    if (painted_) painted_ = Colours{recode(painted_->fill), recode(painted_->outline)};
    scheme_ = scheme;
}

int DrawingArea::pen_width() const {
    return std::max(1, static_cast<int>(std::lround(ratio_)));
}

std::int32_t DrawingArea::colour_at(int x, int y) const {
    if (x < 0 || y < 0 || x >= width() || y >= height()) return -1;
    return decode_pixel(pixels_.at(x, y), format_);
}

void DrawingArea::set_background_colour(std::int32_t colour) {
    pixels_.fill_rect({0, 0, width(), height()}, pixel_of(colour), TrackedPixels::Remember::Yes);
}

void DrawingArea::set_user_scale(float height, float width) {
    scale_height_ = height;
    scale_width_ = width;
}

void DrawingArea::line(float x1, float y1, float x2, float y2, std::int32_t colour) {
    const std::uint32_t pixel = pixel_of(colour);
    rasterise_line(to_device_x(x1), to_device_y(y1), to_device_x(x2), to_device_y(y2), pen_width(),
                   width(), height(),
                   [this, pixel](const Rect& r) { pixels_.fill_rect(r, pixel); });
}

void DrawingArea::circle(float cx, float cy, float radius, std::optional<std::int32_t> colour) {
    const double r = std::fabs(static_cast<double>(radius));
    const CircleGeometry g{{to_device_x(cx), to_device_y(cy), r * width() / scale_width_,
                            r * height() / scale_height_},
                           pen_width(),
                           width(),
                           height()};
    if (!std::isfinite(g.disk.cx) || !std::isfinite(g.disk.cy) || !std::isfinite(g.disk.rx) ||
        !std::isfinite(g.disk.ry)) {
        return;
    }
    // Every circle that covers the area has the same pixels, whatever its centre and radius.
    const CircleGeometry& old = shape_.geometry();
    const bool same_shape =
        has_shape_ && (old == g || (old.width == g.width && old.height == g.height &&
                                    shape_.covers() && circle_covers(g)));
    if (!same_shape) {
        pixels_.watch({});  // before build() moves the columns it watches
        shape_.build(g);
        has_shape_ = true;
        painted_.reset();
    }
    const std::uint32_t fill = pixel_of(fill_);
    const std::uint32_t outline = pixel_of(colour.value_or(foreground_colour()));
    // A colour the shape has no pixel of does not matter.
    const bool same_colours = painted_ && (!shape_.has_interior() || painted_->fill == fill) &&
                              (!shape_.has_outline() || painted_->outline == outline);
    if (same_colours) {
        repair_shape(fill, outline);
    } else {
        paint_shape(fill, outline);
    }
}

// The shape's own writes are not watched: they put its pixels in its colours, after which
// touched() starts afresh.
void DrawingArea::paint_shape(std::uint32_t fill, std::uint32_t outline) {
    pixels_.watch({});
    const Rect& b = shape_.bounds();
    for (int y = b.y0; y < b.y1; ++y) {
        const CircleRow& row = shape_.row(y);
        pixels_.fill_span(y, row.x0, row.f0, outline);
        pixels_.fill_span(y, row.f0, row.f1, fill);
        pixels_.fill_span(y, row.f1, row.x1, outline);
    }
    pixels_.watch(b, shape_.columns());
    painted_ = Colours{fill, outline};
}

void DrawingArea::repair_shape(std::uint32_t fill, std::uint32_t outline) {
    const RectList damage = pixels_.touched();  // a copy: watch() starts touched() afresh
    pixels_.watch({});
    for (const Rect& d : damage)
        repair_rect(d, fill, outline);
    pixels_.watch(shape_.bounds(), shape_.columns());
    painted_ = Colours{fill, outline};
}

// Paints the shape's pixels within d in the shape's colours. Where d lies wholly in the
// interior for a stretch of rows, the stretch is one rectangle of the fill colour, and is then
// known to hold it: the line that erases there next passes over it.
void DrawingArea::repair_rect(const Rect& d, std::uint32_t fill, std::uint32_t outline) {
    // Where a line down the area crossed the orbit, the rows in which all of d is interior come
    // from its columns' interior rows, and are passed over in one step.
    Interval all_inside{};
    if (d.width() <= TrackedPixels::kNarrow) {
        all_inside = {d.y0, d.y1};
        for (int x = d.x0; x < d.x1; ++x) {
            const Interval& c = shape_.interior_column(x);
            all_inside = {std::max(all_inside.lo, c.lo), std::min(all_inside.hi, c.hi)};
        }
    }
    int inside = -1;  // the first row of the current stretch in the interior
    const auto end_stretch = [&](int y) {
        if (inside >= 0) {
            pixels_.fill_rect({d.x0, inside, d.x1, y}, fill, TrackedPixels::Remember::Yes);
        }
        inside = -1;
    };
    for (int y = d.y0; y < d.y1; ++y) {
        if (y == all_inside.lo && !all_inside.empty()) {
            if (inside < 0) inside = y;
            y = all_inside.hi - 1;
            continue;
        }
        const CircleRow& row = shape_.row(y);
        if (row.f0 <= d.x0 && d.x1 <= row.f1) {
            if (inside < 0) inside = y;
            continue;
        }
        end_stretch(y);
        if (d.x1 <= row.x0 || row.x1 <= d.x0) continue;  // no pixel of the shape in d here
        pixels_.fill_span(y, std::max(row.x0, d.x0), std::min(row.f0, d.x1), outline);
        pixels_.fill_span(y, std::max(row.f0, d.x0), std::min(row.f1, d.x1), fill);
        pixels_.fill_span(y, std::max(row.f1, d.x0), std::min(row.x1, d.x1), outline);
    }
    end_stretch(d.y1);
}

void clear_drawing_area(DrawingArea& area) {
    area.set_background_colour(kBlack);
}

}  // namespace tarrowen
