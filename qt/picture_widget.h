// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QImage>
#include <QMenu>
#include <QWidget>

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

    // Schedules a repaint of the device-pixel rectangles of the canvas that changed.
    void present(const RectList& changed);
    // The picture's context menu, opened by a right click, the Menu key or Shift+F10.
    QMenu& context_menu() { return menu_; }

  protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

    void paintEvent(QPaintEvent* event) override;

  private:
    DrawingArea& area_;
    QMenu menu_;
};

}  // namespace tarrowen
