// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/tarrowen_window.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <cmath>

#include "qt/fitted_text.h"
#include "qt/qt_error_report.h"
#include "core/motion/redraw_motion.h"

namespace tarrowen {

namespace {

constexpr int kPanelLeft = 8800;
constexpr int kPanelTop = 1100;
constexpr int kRowPitch = 450;

constexpr const char* kButtonCaptions[kBoxCount] = {
    "incr rad",        "decr rad",        "incr freq",       "decr freq",
    "increment 1.000", "increment 0.100", "increment 0.010", "increment 0.001"};
constexpr const char* kLabelCaptions[kBoxCount] = {"ang freq", "radius", "theta0", "t (sec)",
                                                   "theta",    "x",      "y",      "theta"};
// Rows 4 and 7 share the caption "theta"; their accessible names tell them apart.
constexpr const char* kBoxNames[kBoxCount] = {
    "ang freq", "radius", "theta0", "t (sec)", "theta", "x", "y", "theta in units of pi"};
constexpr const char* kBoxDescriptions[kBoxCount] = {
    "Input: angular frequency omega, in radians per second",
    "Input: radius R of the orbit, in drawing units",
    "Input: phase theta0, the angle at time 0, in radians",
    "Readout: elapsed time t, in seconds",
    "Readout: angle theta, in radians",
    "Readout: horizontal projection R cos theta",
    "Readout: vertical projection R sin theta",
    "Readout: angle theta in units of pi"};

QString object_name(const char* array, int i) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(array)).arg(i);
}

}  // namespace

int twips_to_px(int twips) {
    return static_cast<int>(std::lround(twips / 15.0));
}

QRect twips_rect(int left, int top, int width, int height) {
    const int x = twips_to_px(left);
    const int y = twips_to_px(top);
    return {x, y, twips_to_px(left + width) - x, twips_to_px(top + height) - y};
}

std::string WidgetPanel::text(int box) const {
    if (pending_.at(box)) return pending_text_[box];
    return boxes_.at(box)->text().toStdString();
}

void WidgetPanel::set_text(int box, const std::string& text) {
    if (box < kInputBoxes) {
        // Inputs are written seldom and must show at once.
        pending_.at(box) = false;
        boxes_.at(box)->setText(QString::fromStdString(text));
        // A long theta0 shows its sign and leading digits, as the readouts do.
        boxes_.at(box)->setCursorPosition(0);
        return;
    }
    pending_text_.at(box) = text;
    pending_.at(box) = true;
}

void WidgetPanel::flush() {
    for (int i = 0; i < kBoxes; ++i) {
        if (!pending_[i]) continue;
        pending_[i] = false;
        const QString t = QString::fromStdString(pending_text_[i]);
        if (boxes_[i]->text() == t) continue;
        boxes_[i]->setText(t);
        // A readout longer than its box shows its leading digits, not its tail.
        boxes_[i]->setCursorPosition(0);
    }
}

Tarrowen::Tarrowen(Clock* clock, ErrorReport* report) : QWidget(nullptr) {
    if (clock == nullptr) {
        own_clock_ = std::make_unique<DayClock>();
        clock = own_clock_.get();
    }
    if (report == nullptr) {
        own_report_ = std::make_unique<MessageBoxReport>(this);
        report = own_report_.get();
    }
    clock_ = clock;
    report_ = report;

    setWindowTitle(QStringLiteral("Tarrowen"));
    resize(twips_to_px(kClientWidthTwips), twips_to_px(kClientHeightTwips));

    // The fixed controls.
    const QRect picture = twips_rect(120, 240, 8500, 7500);
    const QScreen* screen = QGuiApplication::primaryScreen();
    // Qt's Format_RGB32 is the canvas's Xrgb: the widget shows the canvas's own pixels.
    area_ = std::make_unique<DrawingArea>(picture.width(), picture.height(),
                                          screen != nullptr ? screen->devicePixelRatio() : 1.0,
                                          PixelFormat::Xrgb);
    Picture1 = new PictureWidget(*area_, this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(picture);
    Picture1->setAccessibleName(QStringLiteral("Picture of the motion"));

    const auto make_button = [this](const char* name, const char* caption, QRect where) {
        auto* b = new WrappedButton(QString::fromLatin1(caption), this);
        b->setObjectName(QString::fromLatin1(name));
        b->setGeometry(where);
        return b;
    };
    runSImulation =
        make_button("runSImulation", "Run Simulation", twips_rect(9600, 120, 1200, 375));
    QPalette light_red = runSImulation->palette();
    light_red.setColor(QPalette::Button, QColor(255, 128, 128));
    runSImulation->setPalette(light_red);
    cmd_restart = make_button("cmd_restart", "Restart", twips_rect(9120, 6840, 975, 495));
    cmd_apply = make_button("cmd_apply", "Apply", twips_rect(10200, 6840, 855, 495));
    cmd_stop_simulation =
        make_button("cmd_stop_simulation", "pause simulation", twips_rect(9120, 7320, 975, 495));
    cmd_exit_program = make_button("cmd_exit_program", "Quit ", twips_rect(10200, 7320, 855, 495));

    // The panel: created here, placed and captioned by Form_Load.
    for (int i = 0; i < kBoxCount; ++i) {
        lbl_mass_id[i] = new WrappedLabel(this);
        lbl_mass_id[i]->setObjectName(object_name("lbl_mass_id", i));
        txt_masses[i] = new QLineEdit(this);
        txt_masses[i]->setObjectName(object_name("txt_masses", i));
        txt_masses[i]->setAccessibleName(QString::fromLatin1(kBoxNames[i]));
        txt_masses[i]->setAccessibleDescription(QString::fromLatin1(kBoxDescriptions[i]));
        lbl_mass_id[i]->setBuddy(txt_masses[i]);
        cmd_color[i] = new WrappedButton(QString(), this);
        cmd_color[i]->setObjectName(object_name("cmd_color", i));
    }

    // Focus order: Picture1, Run, boxes 0-3, pause, Quit, buttons 0-3, boxes 4-7, buttons 4-7,
    // Restart, Apply.
    std::vector<QWidget*> order{Picture1, runSImulation};
    for (int i = kBoxOmega; i <= kBoxTime; ++i)
        order.push_back(txt_masses[i]);
    order.push_back(cmd_stop_simulation);
    order.push_back(cmd_exit_program);
    for (int i = 0; i < 4; ++i)
        order.push_back(cmd_color[i]);
    for (int i = kBoxTheta; i < kBoxCount; ++i)
        order.push_back(txt_masses[i]);
    for (int i = 4; i < kBoxCount; ++i)
        order.push_back(cmd_color[i]);
    order.push_back(cmd_restart);
    order.push_back(cmd_apply);
    for (std::size_t i = 0; i + 1 < order.size(); ++i)
        setTabOrder(order[i], order[i + 1]);

    timer_ = new QtPeriodicTimer([this] { Timer1_Timer(); }, this);
    // Timer1 starts on with interval 0: it does not tick until Run sets 1 ms.
    timer_->set_interval(0);
    timer_->set_enabled(true);

    panel_ = std::make_unique<WidgetPanel>(txt_masses);
    form_ = std::make_unique<Form>(Form{motion_, *area_, *panel_, *timer_, *clock_});
    // On a screen of another scale the stretched picture is replaced by the motion drawn again.
    Picture1->on_ratio_change([this] { redraw_motion(*form_); });

    frame_timer_.setSingleShot(true);
    const qreal hz = screen != nullptr && screen->refreshRate() > 1 ? screen->refreshRate() : 60;
    frame_timer_.setInterval(static_cast<int>(std::lround(1000.0 / hz)));
    connect(&frame_timer_, &QTimer::timeout, this, [this] { present_now(); });

    connect(runSImulation, &QPushButton::clicked, this, [this] { runSImulation_Click(); });
    connect(cmd_stop_simulation, &QPushButton::clicked, this,
            [this] { cmd_stop_simulation_Click(); });
    connect(cmd_restart, &QPushButton::clicked, this, [this] { cmd_restart_Click(); });
    connect(cmd_exit_program, &QPushButton::clicked, this, [this] { cmd_exit_program_Click(); });
    connect(cmd_apply, &QPushButton::clicked, this, [this] { cmd_apply_Click(); });
    for (int i = 0; i < kBoxCount; ++i) {
        const auto index = static_cast<std::int16_t>(i);
        connect(cmd_color[i], &QPushButton::clicked, this,
                [this, index] { cmd_color_Click(index); });
        connect(txt_masses[i], &QLineEdit::textChanged, this,
                [this, index] { txt_masses_Change(index); });
    }

    Form_Load();
    Picture1->setFocus(Qt::OtherFocusReason);
}

Tarrowen::~Tarrowen() = default;

void Tarrowen::Form_Load() {
    load_motion(*form_);
    for (int i = 0; i < kBoxCount; ++i) {
        const int top = kPanelTop + kRowPitch * i;
        lbl_mass_id[i]->setGeometry(twips_rect(kPanelLeft, top, 500, 375));
        txt_masses[i]->setGeometry(twips_rect(kPanelLeft + 600, top, 750, 375));
        cmd_color[i]->setGeometry(twips_rect(kPanelLeft + 1400, top, 850, 450));
    }
    for (int i = 0; i < kBoxCount; ++i)
        cmd_color[i]->setText(QString::fromLatin1(kButtonCaptions[i]));
    for (int i = 0; i < kBoxCount; ++i)
        lbl_mass_id[i]->setText(QString::fromLatin1(kLabelCaptions[i]));
    for (int i = 0; i < kBoxCount; ++i)
        txt_masses[i]->setText(QString::fromLatin1(kInitialTexts[i]));
    // Each column of captions in one size, the largest in which all of them fit whole.
    unify_caption_font(lbl_mass_id);
    unify_caption_font(cmd_color);
}

void Tarrowen::dispatch(OnFailure on_failure, const std::function<void()>& handler) {
    run_handler(*form_, present_then_report_, on_failure, handler);
    schedule_present();
}

void Tarrowen::PresentThenReport::report(const std::string& message) {
    w_.present_now();
    w_.report_->report(message);
}

void Tarrowen::schedule_present() {
    if (!frame_timer_.isActive()) frame_timer_.start();
}

void Tarrowen::present_now() {
    frame_timer_.stop();
    panel_->flush();
    Picture1->present();
}

void Tarrowen::runSImulation_Click() {
    dispatch(OnFailure::KeepAsItWas, [this] { tarrowen::runSImulation_Click(*form_); });
}
void Tarrowen::cmd_stop_simulation_Click() {
    dispatch(OnFailure::KeepAsItWas, [this] { tarrowen::cmd_stop_simulation_Click(*form_); });
}
void Tarrowen::cmd_restart_Click() {
    dispatch(OnFailure::KeepAsItWas, [this] { tarrowen::cmd_restart_Click(*form_); });
}
void Tarrowen::cmd_exit_program_Click() {
    QCoreApplication::quit();
}
void Tarrowen::cmd_apply_Click() {
    dispatch(OnFailure::KeepAsItWas, [this] { tarrowen::cmd_apply_Click(*form_); });
}
void Tarrowen::cmd_color_Click(std::int16_t index) {
    dispatch(OnFailure::KeepAsItWas, [this, index] { tarrowen::cmd_color_Click(*form_, index); });
}
void Tarrowen::txt_masses_Change(std::int16_t index) {
    tarrowen::txt_masses_Change(*form_, index);
}
void Tarrowen::Timer1_Timer() {
    dispatch(OnFailure::StopTheTimer, [this] { tarrowen::Timer1_Timer(*form_); });
}

}  // namespace tarrowen
