// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/frontend/session.h"

#include "core/motion/redraw_motion.h"

namespace tarrowen {

namespace {

layout::Place picture_pixels() {
    return layout::to_pixels(layout::control(layout::Picture1).twips);
}

}  // namespace

std::string Session::DeferredPanel::text(int box) const {
    if (is_pending_.at(static_cast<std::size_t>(box)))
        return pending_[static_cast<std::size_t>(box)];
    return frontend_.box_text(box);
}

void Session::DeferredPanel::set_text(int box, const std::string& text) {
    const auto i = static_cast<std::size_t>(box);
    if (box < kInputBoxes) {
        // Inputs are written seldom, and must show at once.
        is_pending_.at(i) = false;
        frontend_.set_box_text(box, text);
        shown_[i] = text;
        return;
    }
    // Assigned into the string kept for the box: a readout's text fits its capacity, so the
    // tick allocates nothing here.
    pending_.at(i) = text;
    is_pending_[i] = true;
}

void Session::DeferredPanel::flush() {
    for (std::size_t i = kInputBoxes; i < kBoxCount; ++i) {
        if (!is_pending_[i]) continue;
        is_pending_[i] = false;
        if (pending_[i] == shown_[i]) continue;
        shown_[i] = pending_[i];
        frontend_.set_box_text(static_cast<int>(i), shown_[i]);
    }
}

void Session::PresentThenReport::report(const std::string& message) {
    s_.present_now();
    s_.frontend_.report(message);
}

Session::Session(Frontend& frontend, double pixel_ratio, PixelFormat format)
    : frontend_(frontend),
      area_(picture_pixels().width, picture_pixels().height, pixel_ratio, format),
      panel_(frontend),
      form_{motion_, area_, panel_, frontend.timer(), frontend.clock()} {
    for (int i = 0; i < kBoxCount; ++i) {
        // The front-end created its boxes with these texts.
        panel_.note_shown(i, initial_text(i));
    }
    // Timer1 starts on, with interval 0: it does not tick until Run sets 1 ms.
    frontend.timer().set_interval(0);
    frontend.timer().set_enabled(true);
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
            if (event.control >= txt_masses_0 && event.control < cmd_color_0)
                txt_masses_Change(form_, static_cast<std::int16_t>(i));
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

void Session::present_now() {
    panel_.flush();
    const RectList changed = area_.take_changed();
    if (!changed.empty()) frontend_.present(area_, changed);
}

void Session::request_frame() {
    if (frame_requested_) return;
    frame_requested_ = true;
    frontend_.request_frame();
}

}  // namespace tarrowen
