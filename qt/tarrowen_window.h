// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window on Qt Widgets: builds its controls from the layout table, turns their events
// into the session's dispatches, presents the canvas and the readouts once a screen refresh,
// and shows reports in a message box.
//
// Made larger than at start-up (enlarged, maximised, full screen), the window scales its whole
// layout, fonts and picture included, by the largest factor at which it fits, and centres it;
// at its start-up size or below, the layout is that of start-up.

#include <QAction>
#include <QLineEdit>
#include <QShortcut>
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

    MotionState& motion() { return session_->motion(); }
    DrawingArea& drawing_area() { return session_->drawing_area(); }
    QtPeriodicTimer& qt_timer() { return *timer_; }
    // Shows what changed now instead of at the next frame.
    void present_now() { session_->present_now(); }
    // The factor the layout is shown at: 1 at the start-up size.
    double layout_scale() const { return scale_; }
    // The picture's context menu entries: "Full screen" (F11) and "Projector colours".
    QAction& full_screen_action() { return *full_screen_; }
    QAction& projector_action() { return *projector_; }

    // What the window supplies to the session.
    std::string box_text(int box) const override;
    void set_box_text(int box, const std::string& text, bool quietly) override;
    void present(const DrawingArea& area, const RectList& changed) override;
    void request_frame() override;
    void report(const std::string& message) override;
    void quit() override;
    PeriodicTimer& timer() override { return *timer_; }
    Clock& clock() override { return *clock_; }

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;

  private:
    void build_controls();
    void build_menu();
    // Each caption in its group's size (core/layout/caption_sizes.h), the layout at `scale`.
    void fit_captions(double scale);
    // Places, sizes and fonts every control at the scale that the window's size allows.
    void place_controls();
    // The keyboard focus moved to `now` (in this window or elsewhere, or nowhere).
    void on_focus_changed(QWidget* now);

    std::unique_ptr<Clock> own_clock_;
    Clock* clock_;
    ErrorReport* report_;  // nullptr: a message box
    QtPeriodicTimer* timer_;
    QTimer frame_timer_;
    FramePacer pacer_;
    std::unique_ptr<Session> session_;
    PictureWidget* picture_ = nullptr;
    // Ended before the window's members go: QWidget's destructor still moves the focus.
    QMetaObject::Connection focus_changed_;
    std::array<QWidget*, layout::kControlCount> controls_{};
    double scale_ = 1.0;
    QAction* full_screen_ = nullptr;
    QAction* projector_ = nullptr;
    QShortcut* leave_full_screen_ = nullptr;
    std::array<QLineEdit*, kBoxCount> txt_masses_{};
    // Per box, while it holds text written quietly: the text assistive technology last knew.
    std::array<std::optional<QString>, kBoxCount> heard_{};
};

}  // namespace tarrowen
