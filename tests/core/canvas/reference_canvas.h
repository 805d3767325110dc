// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The canvas drawn the plain way, as the yardstick of the canvas that repaints only what
// changes. Every pixel of the area is decided from the definitions in the canvas's headers
// alone: in the disk, on the outline, on the line. No clipping, spans, runs or caches of the
// canvas; none of its code, only its public constants. It keeps no record of what changed.

#include <cstdint>
#include <map>
#include <optional>
#include <tuple>
#include <vector>

namespace tarrowen::testing {

class ReferenceCanvas {
  public:
    // In logical pixels; pixels encoded as 0xFFBBGGRR when `xbgr`, 0xFFRRGGBB otherwise.
    ReferenceCanvas(int width, int height, double ratio, bool xbgr);

    void set_device_pixel_ratio(double ratio);
    void set_background_colour(std::int32_t colour);
    void set_fill_colour(std::int32_t colour) { fill_ = colour; }
    void set_user_scale(float height, float width);
    void circle(float cx, float cy, float radius, std::optional<std::int32_t> colour = {});
    void line(float x1, float y1, float x2, float y2, std::int32_t colour);

    int width() const { return width_; }
    int height() const { return height_; }
    const std::uint32_t* row(int y) const {
        return pixels_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
    }

  private:
    enum Mark : std::uint8_t { kNone, kInterior, kOutline };
    using CircleKey = std::tuple<double, double, double, double, int, int, int>;
    const std::vector<Mark>& marks_of(double cx, double cy, double rx, double ry);
    std::uint32_t encode(std::int32_t colour) const;
    int pen() const;
    void set(int x, int y, std::uint32_t pixel) {
        pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                static_cast<std::size_t>(x)] = pixel;
    }

    int logical_width_;
    int logical_height_;
    double ratio_;
    bool xbgr_;
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
    float scale_width_;
    float scale_height_;
    std::int32_t fill_ = 64 + 65536 * 64;
    // The marks of each circle once decided: the tick draws the same orbit thousands of times.
    std::map<CircleKey, std::vector<Mark>> circles_;
};

}  // namespace tarrowen::testing
