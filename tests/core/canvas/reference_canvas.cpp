// SPDX-License-Identifier: GPL-3.0-or-later
#include "reference_canvas.h"

#include <algorithm>
#include <cmath>

namespace tarrowen::testing {

namespace {

int device(int logical, double ratio) {
    return static_cast<int>(std::lround(logical * ratio));
}

}  // namespace

ReferenceCanvas::ReferenceCanvas(int width, int height, double ratio, bool xbgr)
    : logical_width_(width),
      logical_height_(height),
      ratio_(ratio),
      xbgr_(xbgr),
      width_(device(width, ratio)),
      height_(device(height, ratio)),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), encode(0)),
      scale_width_(static_cast<float>(width * 15.0)),
      scale_height_(static_cast<float>(height * 15.0)) {}

std::uint32_t ReferenceCanvas::encode(std::int32_t colour) const {
    const auto c = static_cast<std::uint32_t>(colour);
    const std::uint32_t r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
    return 0xFF000000u | (xbgr_ ? (b << 16 | g << 8 | r) : (r << 16 | g << 8 | b));
}

int ReferenceCanvas::pen() const {
    return std::max(1, static_cast<int>(std::lround(ratio_)));
}

void ReferenceCanvas::set_device_pixel_ratio(double ratio) {
    if (!(ratio > 0) || ratio == ratio_) return;
    const int w = device(logical_width_, ratio);
    const int h = device(logical_height_, ratio);
    std::vector<std::uint32_t> old = pixels_;
    pixels_.assign(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), 0);
    // The old pixel under the new pixel's centre.
    for (int y = 0; y < h; ++y) {
        const auto oy = static_cast<std::size_t>(std::floor((y + 0.5) * height_ / h));
        for (int x = 0; x < w; ++x) {
            const auto ox = static_cast<std::size_t>(std::floor((x + 0.5) * width_ / w));
            pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(w) +
                    static_cast<std::size_t>(x)] = old[oy * static_cast<std::size_t>(width_) + ox];
        }
    }
    width_ = w;
    height_ = h;
    ratio_ = ratio;
}

void ReferenceCanvas::set_background_colour(std::int32_t colour) {
    std::fill(pixels_.begin(), pixels_.end(), encode(colour));
}

void ReferenceCanvas::set_user_scale(float height, float width) {
    scale_height_ = height;
    scale_width_ = width;
}

const std::vector<ReferenceCanvas::Mark>& ReferenceCanvas::marks_of(double cx, double cy, double rx,
                                                                    double ry) {
    const int w = pen();
    const CircleKey key{cx, cy, rx, ry, w, width_, height_};
    if (const auto found = circles_.find(key); found != circles_.end()) return found->second;
    std::vector<Mark> marks(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_),
                            kNone);
    const auto mark = [&](int x, int y) -> Mark& {
        return marks[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                     static_cast<std::size_t>(x)];
    };
    if (!(rx >= 1 && ry >= 1)) {
        // A dot: the w x w pixels from (floor(cx - w/2 + 0.5), floor(cy - w/2 + 0.5)).
        const double fx = std::floor(cx - w / 2.0 + 0.5);
        const double fy = std::floor(cy - w / 2.0 + 0.5);
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                if (x >= fx && x < fx + w && y >= fy && y < fy + w) mark(x, y) = kOutline;
            }
        }
    } else {
        // Membership of D for every pixel of the area and w pixels round it.
        const int gw = width_ + 2 * w;
        std::vector<char> in_disk(static_cast<std::size_t>(gw) *
                                  static_cast<std::size_t>(height_ + 2 * w));
        const auto in = [&](int x, int y) -> char& {
            return in_disk[static_cast<std::size_t>(y + w) * static_cast<std::size_t>(gw) +
                           static_cast<std::size_t>(x + w)];
        };
        for (int y = -w; y < height_ + w; ++y) {
            for (int x = -w; x < width_ + w; ++x) {
                const double u = (x + 0.5 - cx) / rx;
                const double v = (y + 0.5 - cy) / ry;
                in(x, y) = u * u + v * v <= 1.0;
            }
        }
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                if (!in(x, y)) continue;
                bool edge = false;
                for (int k = 1; k <= w; ++k)
                    edge = edge || !in(x - k, y) || !in(x + k, y) || !in(x, y - k) || !in(x, y + k);
                mark(x, y) = edge ? kOutline : kInterior;
            }
        }
    }
    if (circles_.size() >= 8) circles_.clear();  // bounded memory over thousands of circles
    return circles_.emplace(key, std::move(marks)).first->second;
}

void ReferenceCanvas::circle(float cx, float cy, float radius, std::optional<std::int32_t> colour) {
    const double x = cx * static_cast<double>(width_) / scale_width_;
    const double y = cy * static_cast<double>(height_) / scale_height_;
    const double r = std::fabs(static_cast<double>(radius));
    const double rx = r * width_ / scale_width_;
    const double ry = r * height_ / scale_height_;
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(rx) || !std::isfinite(ry)) return;
    const std::vector<Mark>& marks = marks_of(x, y, rx, ry);
    const std::uint32_t fill = encode(fill_);
    const std::uint32_t outline = encode(colour.value_or(0));
    for (std::size_t i = 0; i < marks.size(); ++i) {
        if (marks[i] != kNone) pixels_[i] = marks[i] == kOutline ? outline : fill;
    }
}

void ReferenceCanvas::line(float x1, float y1, float x2, float y2, std::int32_t colour) {
    const double ax = x1 * static_cast<double>(width_) / scale_width_;
    const double ay = y1 * static_cast<double>(height_) / scale_height_;
    const double bx = x2 * static_cast<double>(width_) / scale_width_;
    const double by = y2 * static_cast<double>(height_) / scale_height_;
    if (!std::isfinite(ax) || !std::isfinite(ay) || !std::isfinite(bx) || !std::isfinite(by)) {
        return;
    }
    const std::uint32_t pixel = encode(colour);
    const double w = pen();
    const double dx = bx - ax;
    const double dy = by - ay;
    // Along the major axis: pixel i from floor(min) to floor(max) holds the w pixels across
    // from floor(c(i) - w/2 + 0.5).
    const bool along_x = std::fabs(dx) > std::fabs(dy);
    const double a0 = along_x ? ax : ay, b0 = along_x ? bx : by, c0 = along_x ? ay : ax;
    const double slope = along_x ? dy / dx : (dy == 0 ? 0.0 : dx / dy);
    const int major = along_x ? width_ : height_;
    const int minor = along_x ? height_ : width_;
    for (int i = 0; i < major; ++i) {
        if (i < std::floor(std::min(a0, b0)) || i > std::floor(std::max(a0, b0))) continue;
        const double first = std::floor(c0 + (i + 0.5 - a0) * slope - w / 2 + 0.5);
        if (first >= minor || first + w <= 0) continue;
        for (int j = static_cast<int>(std::max(first, 0.0)); j < first + w && j < minor; ++j) {
            if (along_x) {
                set(i, j, pixel);
            } else {
                set(j, i, pixel);
            }
        }
    }
}

}  // namespace tarrowen::testing
