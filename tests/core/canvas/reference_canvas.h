// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The canvas drawn the plain way, kept as the yardstick for the canvas that repaints only what
// changes: every circle is rasterised afresh by QPainter straight onto the image, every fill
// paints its whole shape, and nothing is remembered between calls. Its pixels are the ones the
// program has always drawn; it keeps no record of what changed.

#include <QImage>
#include <QSize>
#include <cstdint>
#include <optional>

namespace tarrowen::testing {

class ReferenceCanvas {
  public:
    ReferenceCanvas(QSize interior, qreal device_pixel_ratio);

    // Stretches the picture to the new pixel size.
    void set_device_pixel_ratio(qreal ratio);
    void set_background_colour(std::int32_t colour);
    void set_fill_colour(std::int32_t colour) { fill_ = colour; }
    void set_user_scale(float height, float width);
    void circle(float cx, float cy, float radius, std::optional<std::int32_t> colour = {});
    void line(float x1, float y1, float x2, float y2, std::int32_t colour);
    const QImage& image() const { return image_; }

  private:
    QSize logical_;
    qreal ratio_;
    QImage image_;
    float scale_width_;
    float scale_height_;
    std::int32_t fill_ = 64 + 65536 * 64;
};

}  // namespace tarrowen::testing
