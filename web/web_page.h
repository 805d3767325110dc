// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program in a browser page: what the page supplies to the session, through a handful of
// functions of the page's script (page.js), which turns them into DOM updates, canvas
// copies, timers and a dialog.
//
// The page's script builds the controls from the layout table and hands every user event to
// the entry points (page_entry.cpp), which route it here. Everything runs on the page's one
// thread.

#include <array>
#include <memory>
#include <string>

#include "core/frontend/frontend.h"
#include "core/frontend/session.h"
#include "core/motion/box_roles.h"
#include "core/platform/hand_clock.h"

namespace tarrowen {

// Timer1: the page runs its interval only while the timer ticks (on, and interval above 0), so
// that a stopped motion costs nothing.
class PageTimer final : public PeriodicTimer {
  protected:
    void schedule(int period_ms) override;
};

class WebPage final : public Frontend {
  public:
    // `hand_clock`: the test driver sets the clock; otherwise the day clock, anchored at
    // `local_seconds` (seconds since local midnight, as the browser tells the time of day now)
    // and run on the browser's monotonic clock. `pixel_ratio`: device pixels per pixel of the
    // layout table.
    WebPage(bool hand_clock, double local_seconds, double pixel_ratio);

    Session& session() { return *session_; }
    // The driver's clock; nullptr unless the page was started with one.
    HandClock* hand_clock() { return hand_; }
    // The user changed the text of box `box` (typed, pasted, deleted).
    void typed(int box, std::string text);

    std::string box_text(int box) const override;
    void set_box_text(int box, const std::string& text, bool quietly) override;
    void present(const DrawingArea& area, const RectList& changed) override;
    void request_frame() override;
    void report(const std::string& message) override;
    void quit() override;
    PeriodicTimer& timer() override { return timer_; }
    Clock& clock() override { return *clock_; }

  private:
    // What each box holds: the page tells every change the user makes, and every write goes
    // through here, so the texts never need to be fetched from the page.
    std::array<std::string, kBoxCount> texts_;
    PageTimer timer_;
    std::unique_ptr<Clock> clock_;
    HandClock* hand_ = nullptr;
    std::unique_ptr<Session> session_;
};

}  // namespace tarrowen
