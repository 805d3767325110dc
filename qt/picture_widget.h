// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QImage>
#include <QWidget>
#include <functional>

#include "core/canvas/drawing_area.h"

namespace tarrowen {

// The canvas's pixels as a QImage, not copied: Format_RGB32 is the canvas's Xrgb format, with
// the canvas's pixel ratio. Valid while the canvas keeps its pixel ratio.
QImage canvas_image(const DrawingArea& area);

// Shows a DrawingArea. It paints only from the canvas, so an uncovered or restored window
// shows the picture again; present() repaints just the part that changed since the last call.
class PictureWidget final : public QWidget {
  public:
    PictureWidget(DrawingArea& area, QWidget* parent);

    // Schedules a repaint of what changed in the canvas; false when nothing had changed.
    bool present();
    // Called when the canvas has just taken the pixel ratio of another screen, holding the old
    // picture stretched: the place to draw the picture again at the new resolution.
    void on_ratio_change(std::function<void()> redraw) { redraw_ = std::move(redraw); }

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

  private:
    DrawingArea& area_;
    std::function<void()> redraw_;
};

}  // namespace tarrowen
