// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program as a front-end drives it: the motion state, the canvas and the panel's texts,
// every event routed to its handler, and the screen presented once a frame.

#include <array>
#include <string>

#include "core/canvas/drawing_area.h"
#include "core/frontend/frontend.h"
#include "core/layout/layout.h"
#include "core/motion/form.h"
#include "core/motion/motion_state.h"

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

    // Shows what changed now: the readouts written since the last frame and the canvas.
    void present_now();

    MotionState& motion() { return motion_; }
    DrawingArea& drawing_area() { return area_; }
    Form& form() { return form_; }

  private:
    // The panel as the handlers see it: inputs are written through at once; readouts are kept
    // and handed to the front-end when the screen is next presented, so at most once a frame.
    // text() answers what the last write wrote.
    class DeferredPanel final : public Panel {
      public:
        explicit DeferredPanel(Frontend& frontend) : frontend_(frontend) {}
        std::string text(int box) const override;
        void set_text(int box, const std::string& text) override;
        // Hands the readouts written since the last call to the front-end, those that changed.
        void flush();
        // The front-end shows `text` in the box already.
        void note_shown(int box, const std::string& text) {
            shown_.at(static_cast<std::size_t>(box)) = text;
        }

      private:
        Frontend& frontend_;
        std::array<std::string, kBoxCount> pending_{};
        std::array<bool, kBoxCount> is_pending_{};
        std::array<std::string, kBoxCount> shown_{};
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
    DeferredPanel panel_;
    Form form_;
    PresentThenReport report_{*this};
    bool frame_requested_ = false;
};

}  // namespace tarrowen
