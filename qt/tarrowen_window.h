// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window: creates the controls with their fixed places, runs Form_Load, routes every
// event to its handler through one dispatcher, and owns the motion state.

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>

#include "qt/fitted_text.h"
#include "core/platform/clock.h"
#include "core/platform/error_report.h"
#include "qt/qt_timer.h"
#include "core/motion/form.h"
#include "core/canvas/drawing_area.h"
#include "qt/picture_widget.h"

namespace tarrowen {

// Twips (1/1440 inch) to logical pixels: 15 twips a pixel at 96 dpi. Qt scales logical pixels
// to the screen, so the layout keeps its proportions on any display.
int twips_to_px(int twips);
// The pixel rectangle of a control given in twips; edges are rounded, so neighbours that touch
// in twips touch in pixels.
QRect twips_rect(int left, int top, int width, int height);

// The texts of the panel as the window shows them. Readouts are kept here on every tick and
// handed to their boxes when the screen is next presented (at most at the refresh rate):
// text() always answers what the last write wrote.
class WidgetPanel final : public Panel {
  public:
    explicit WidgetPanel(std::array<QLineEdit*, kBoxes> boxes) : boxes_(boxes) {}
    std::string text(int box) const override;
    void set_text(int box, const std::string& text) override;
    // Shows the readouts written since the last call.
    void flush();

  private:
    std::array<QLineEdit*, kBoxes> boxes_;
    std::array<std::string, kBoxes> pending_text_;
    std::array<bool, kBoxes> pending_{};
};

class Tarrowen final : public QWidget {
  public:
    // `clock` and `report` default to the real ones; tests hand in fakes.
    explicit Tarrowen(Clock* clock = nullptr, ErrorReport* report = nullptr);
    ~Tarrowen() override;

    // Handlers, named after control and event.
    void Form_Load();
    void runSImulation_Click();
    void cmd_stop_simulation_Click();
    void cmd_restart_Click();
    void cmd_exit_program_Click();
    void cmd_apply_Click();
    void cmd_color_Click(std::int16_t index);
    void txt_masses_Change(std::int16_t index);
    void Timer1_Timer();

    // For tests and tools.
    MotionState& motion() { return motion_; }
    DrawingArea& drawing_area() { return *area_; }
    PeriodicTimer& timer() { return *timer_; }
    QtPeriodicTimer& qt_timer() { return *timer_; }
    // Shows what changed now instead of at the next frame.
    void present_now();

    static constexpr int kClientWidthTwips = 11085;
    static constexpr int kClientHeightTwips = 8400;

  private:
    // Runs a handler; what its failure leaves behind is run_handler's policy.
    void dispatch(OnFailure on_failure, const std::function<void()>& handler);
    void schedule_present();

    // Shows the screen as the handler left it before the report takes the user's attention.
    class PresentThenReport final : public ErrorReport {
      public:
        explicit PresentThenReport(Tarrowen& w) : w_(w) {}
        void report(const std::string& message) override;

      private:
        Tarrowen& w_;
    };

    MotionState motion_;
    std::unique_ptr<DrawingArea> area_;
    std::unique_ptr<Clock> own_clock_;
    std::unique_ptr<ErrorReport> own_report_;
    Clock* clock_;
    ErrorReport* report_;
    PresentThenReport present_then_report_{*this};
    QtPeriodicTimer* timer_;
    QTimer frame_timer_;

    PictureWidget* Picture1;
    QPushButton* runSImulation;
    QPushButton* cmd_restart;
    QPushButton* cmd_apply;
    QPushButton* cmd_stop_simulation;
    QPushButton* cmd_exit_program;
    std::array<WrappedLabel*, kBoxCount> lbl_mass_id{};
    std::array<QLineEdit*, kBoxCount> txt_masses{};
    std::array<WrappedButton*, kBoxCount> cmd_color{};

    std::unique_ptr<WidgetPanel> panel_;
    std::unique_ptr<Form> form_;
};

}  // namespace tarrowen
