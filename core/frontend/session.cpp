// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/frontend/session.h"

#include "core/motion/animation_tick.h"
#include "core/motion/parameter_editing.h"
#include "core/motion/redraw_motion.h"
#include "core/motion/run_control.h"
#include "core/motion/run_handler.h"

namespace tarrowen {

namespace {

layout::Place picture_pixels() {
    return layout::to_pixels(layout::control(layout::Picture1).twips);
}

}  // namespace

void Session::PresentThenReport::report(const std::string& message) {
    s_.present_now();
    s_.frontend_.report(message);
}

Session::Session(Frontend& frontend, double pixel_ratio, PixelFormat format)
    : frontend_(frontend),
      area_(picture_pixels().width, picture_pixels().height, pixel_ratio, format),
      readouts_(frontend),
      panel_(readouts_),
      form_{motion_, area_, panel_, frontend.timer(), frontend.clock()} {
    load_motion(form_);
    request_frame();
}

void Session::dispatch(const Event& event) {
    using namespace layout;
    const auto keep = OnFailure::KeepAsItWas;
    switch (event.type) {
        case Event::Type::Frame:
            frame_requested_ = false;
            present_now();
            return;
        case Event::Type::Tick:
            // A tick already on its way when the timer was switched off does not count.
            if (!frontend_.timer().ticking()) return;
            run_handler(form_, report_, OnFailure::StopTheTimer, [this] { Timer1_Timer(form_); });
            break;
        case Event::Type::TextChanged: {
            const int i = element(event.control);
            if (is_text_box(event.control)) {
                readouts_.typed(i);
                txt_masses_Change(form_, static_cast<std::int16_t>(i));
            }
            return;
        }
        case Event::Type::Click:
            switch (event.control) {
                case runSImulation:
                    run_handler(form_, report_, keep, [this] { runSImulation_Click(form_); });
                    break;
                case cmd_stop_simulation:
                    run_handler(form_, report_, keep, [this] { cmd_stop_simulation_Click(form_); });
                    break;
                case cmd_restart:
                    run_handler(form_, report_, keep, [this] { cmd_restart_Click(form_); });
                    break;
                case cmd_apply:
                    run_handler(form_, report_, keep, [this] { cmd_apply_Click(form_); });
                    break;
                case cmd_exit_program:
                    frontend_.quit();
                    return;
                default:
                    if (event.control < cmd_color_0 || event.control >= kControlCount) return;
                    run_handler(form_, report_, keep, [this, &event] {
                        cmd_color_Click(form_, static_cast<std::int16_t>(element(event.control)));
                    });
                    break;
            }
            break;
    }
    request_frame();
}

void Session::set_pixel_ratio(double ratio) {
    if (ratio <= 0 || ratio == area_.device_pixel_ratio()) return;
    area_.set_device_pixel_ratio(ratio);
    // The canvas holds the old picture stretched; the motion is drawn again at the new
    // resolution.
    redraw_motion(form_);
    request_frame();
}

void Session::set_colour_scheme(ColourScheme scheme) {
    area_.set_colour_scheme(scheme);
    request_frame();
}

void Session::present_now() {
    const ClockReading now = frontend_.clock().reading();
    const int focused_box = layout::is_text_box(focus_) ? layout::element(focus_) : -1;
    readouts_.flush(frontend_.timer().ticking(), focused_box,
                    now.day * kSecondsPerDay + now.seconds);
    const RectList changed = area_.take_changed();
    if (!changed.empty()) frontend_.present(area_, changed);
}

void Session::request_frame() {
    if (frame_requested_) return;
    frame_requested_ = true;
    frontend_.request_frame();
}

}  // namespace tarrowen
