// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program as a front-end drives it: the motion state, the canvas and the panel's texts,
// every event routed to its handler, and the screen presented once a frame.

#include <array>
#include <string>

#include "core/canvas/drawing_area.h"
#include "core/frontend/frontend.h"
#include "core/frontend/readouts.h"
#include "core/layout/layout.h"
#include "core/motion/form.h"
#include "core/motion/motion_state.h"
#include "core/motion/panel.h"
#include "core/platform/error_report.h"

namespace tarrowen {

struct Event {
    enum class Type { Click, TextChanged, Tick, Frame };
    Type type;
    layout::Id control = layout::kControlCount;

    static Event click(layout::Id id) { return {Type::Click, id}; }
    static Event text_changed(layout::Id id) { return {Type::TextChanged, id}; }
    static Event tick() { return {Type::Tick}; }
    static Event frame() { return {Type::Frame}; }
};

class Session {
  public:
    // Starts the program: the canvas for the drawing area at `pixel_ratio`, in the front-end's
    // pixel format, and the start-up of the window (the area black, the user scale, the timer
    // on at interval 0, so that nothing ticks before Run). The front-end has created its
    // controls with their initial texts before.
    Session(Frontend& frontend, double pixel_ratio, PixelFormat format = PixelFormat::Xrgb);
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // One event, handled to completion. A handler's failure is reported once and leaves what
    // run_handler's policy says; the screen is presented before the report.
    void dispatch(const Event& event);

    // The canvas takes the pixel ratio of the screen that now shows it, and the picture of the
    // motion is drawn again at the new resolution.
    void set_pixel_ratio(double ratio);

    // Shows the picture in `scheme` (colour_scheme.h) from the next frame on: what is drawn now
    // at once, and every later tick in it. The motion and the readouts are not touched.
    void set_colour_scheme(ColourScheme scheme);

    // The keyboard focus is on control `id` now (kControlCount: on none of them).
    void set_focus(layout::Id id) { focus_ = id; }

    // Shows what changed now: the readouts written since the last frame and the canvas.
    void present_now();

    MotionState& motion() { return motion_; }
    DrawingArea& drawing_area() { return area_; }
    Form& form() { return form_; }

  private:
    // The panel as the handlers see it.
    class SessionPanel final : public Panel {
      public:
        explicit SessionPanel(Readouts& r) : r_(r) {}
        std::string text(int box) const override { return r_.text(box); }
        void set_text(int box, const std::string& text) override { r_.write(box, text); }

      private:
        Readouts& r_;
    };

    // Presents the screen before the front-end tells the user.
    class PresentThenReport final : public ErrorReport {
      public:
        explicit PresentThenReport(Session& s) : s_(s) {}
        void report(const std::string& message) override;

      private:
        Session& s_;
    };

    void request_frame();

    Frontend& frontend_;
    MotionState motion_;
    DrawingArea area_;
    Readouts readouts_;
    SessionPanel panel_;
    layout::Id focus_ = layout::kControlCount;
    Form form_;
    PresentThenReport report_{*this};
    bool frame_requested_ = false;
};

}  // namespace tarrowen
