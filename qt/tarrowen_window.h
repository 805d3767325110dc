// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window on Qt Widgets: builds its controls from the layout table, turns their events
// into the session's dispatches, presents the canvas and the readouts once a screen refresh,
// and shows reports in a message box.

#include <QLineEdit>
#include <QTimer>
#include <QWidget>
#include <array>
#include <memory>
#include <optional>

#include "core/frontend/frame_pacer.h"
#include "core/frontend/frontend.h"
#include "core/frontend/session.h"
#include "core/platform/clock.h"
#include "core/platform/error_report.h"
#include "qt/picture_widget.h"
#include "qt/qt_timer.h"

namespace tarrowen {

class Tarrowen final : public QWidget, public Frontend {
  public:
    // `clock` and `report` default to the real ones; tests hand in fakes.
    explicit Tarrowen(Clock* clock = nullptr, ErrorReport* report = nullptr);
    ~Tarrowen() override;

    // The tick of Timer1.
    void Timer1_Timer();

    Session& session() { return *session_; }
    MotionState& motion() { return session_->motion(); }
    DrawingArea& drawing_area() { return session_->drawing_area(); }
    QtPeriodicTimer& qt_timer() { return *timer_; }
    // Shows what changed now instead of at the next frame.
    void present_now() { session_->present_now(); }

    // What the window supplies to the session.
    std::string box_text(int box) const override;
    void set_box_text(int box, const std::string& text, bool quietly) override;
    void present(const DrawingArea& area, const RectList& changed) override;
    void request_frame() override;
    void report(const std::string& message) override;
    void quit() override;
    PeriodicTimer& timer() override { return *timer_; }
    Clock& clock() override { return *clock_; }

  private:
    void build_controls();
    // Each caption in its group's size (core/layout/caption_sizes.h).
    void fit_captions();
    // The keyboard focus moved to `now` (in this window or elsewhere, or nowhere).
    void on_focus_changed(QWidget* now);

    std::unique_ptr<Clock> own_clock_;
    std::unique_ptr<ErrorReport> own_report_;
    Clock* clock_;
    ErrorReport* report_;
    QtPeriodicTimer* timer_;
    QTimer frame_timer_;
    FramePacer pacer_;
    std::unique_ptr<Session> session_;
    PictureWidget* picture_ = nullptr;
    // Ended before the window's members go: QWidget's destructor still moves the focus.
    QMetaObject::Connection focus_changed_;
    std::array<QWidget*, layout::kControlCount> controls_{};
    std::array<QLineEdit*, kBoxCount> txt_masses_{};
    // Per box, while it holds text written quietly: the text assistive technology last knew.
    std::array<std::optional<QString>, kBoxCount> heard_{};
};

}  // namespace tarrowen
