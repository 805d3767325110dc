// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/tarrowen_window.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QResizeEvent>
#include <QScreen>
#include <algorithm>
#include <cmath>

#include "core/layout/caption_sizes.h"
#include "core/layout/window_fit.h"
#include "qt/accessible_text.h"
#include "qt/fitted_text.h"

namespace tarrowen {

namespace {

QRect to_qrect(const layout::Place& twips) {
    const layout::Place p = layout::to_pixels(twips);
    return {p.left, p.top, p.width, p.height};
}

QColor to_qcolor(std::int32_t colour) {
    return {colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF};
}

}  // namespace

Tarrowen::Tarrowen(Clock* clock, ErrorReport* report) : QWidget(nullptr), report_(report) {
    if (clock == nullptr) {
        own_clock_ = std::make_unique<DayClock>();
        clock = own_clock_.get();
    }
    clock_ = clock;

    setWindowTitle(QString::fromLatin1(layout::kWindowCaption));
    resize(layout::to_pixels(layout::kClientWidth), layout::to_pixels(layout::kClientHeight));

    timer_ = new QtPeriodicTimer([this] { Timer1_Timer(); }, this);
    frame_timer_.setSingleShot(true);
    frame_timer_.setTimerType(Qt::PreciseTimer);
    connect(&frame_timer_, &QTimer::timeout, this, [this] {
        pacer_.delivered(monotonic_seconds());
        session_->dispatch(Event::frame());
    });

    session_ =
        std::make_unique<Session>(*this, screen() != nullptr ? screen()->devicePixelRatio() : 1.0);
    build_controls();
    // The core keeps the readout with the focus audible (core/frontend/readouts.h).
    focus_changed_ = connect(qApp, &QApplication::focusChanged, this,
                             [this](QWidget*, QWidget* now) { on_focus_changed(now); });
    build_menu();
    picture_->setFocus(Qt::OtherFocusReason);
    on_focus_changed(QApplication::focusWidget());
}

Tarrowen::~Tarrowen() {
    disconnect(focus_changed_);
}

void Tarrowen::build_controls() {
    using namespace layout;
    // Created in the table's order, which is also the order in which they are drawn: the
    // buttons "pause simulation" and "Quit " cover the last pixel row of those above them.
    for (int i = 0; i < kControlCount; ++i) {
        const auto id = static_cast<Id>(i);
        const Control& c = control(id);
        QWidget* w = nullptr;
        switch (c.kind) {
            case ControlKind::DrawingArea:
                picture_ = new PictureWidget(session_->drawing_area(), this);
                w = picture_;
                break;
            case ControlKind::Button: {
                auto* b = new WrappedButton(QString::fromLatin1(c.caption), this);
                if (c.colour >= 0) {
                    QPalette p = b->palette();
                    p.setColor(QPalette::Button, to_qcolor(c.colour));
                    b->setPalette(p);
                }
                connect(b, &QPushButton::clicked, this,
                        [this, id] { session_->dispatch(Event::click(id)); });
                w = b;
                break;
            }
            case ControlKind::Label:
                w = new WrappedLabel(QString::fromLatin1(c.caption), this);
                break;
            case ControlKind::TextBox: {
                auto* e = new QLineEdit(QString::fromLatin1(c.initial_text), this);
                connect(e, &QLineEdit::textChanged, this,
                        [this, id] { session_->dispatch(Event::text_changed(id)); });
                txt_masses_[static_cast<std::size_t>(element(id))] = e;
                w = e;
                break;
            }
        }
        w->setObjectName(QString::fromLatin1(c.name));
        w->setGeometry(to_qrect(c.twips));  // place_controls() scales it later
        if (*c.accessible_name != '\0')
            w->setAccessibleName(QString::fromLatin1(c.accessible_name));
        if (*c.description != '\0') w->setAccessibleDescription(QString::fromLatin1(c.description));
        controls_[static_cast<std::size_t>(id)] = w;
    }
    for (int i = 0; i < kRows; ++i)
        static_cast<QLabel*>(controls_[lbl_mass_id(i)])->setBuddy(controls_[txt_masses(i)]);

    const auto& order = tab_order();
    for (std::size_t i = 0; i + 1 < order.size(); ++i)
        setTabOrder(controls_[static_cast<std::size_t>(order[i])],
                    controls_[static_cast<std::size_t>(order[i + 1])]);

    fit_captions(1.0);
}

void Tarrowen::build_menu() {
    QMenu& menu = picture_->context_menu();
    full_screen_ = menu.addAction(QStringLiteral("Full screen"));
    full_screen_->setCheckable(true);
    full_screen_->setShortcut(QKeySequence(Qt::Key_F11));
    full_screen_->setShortcutContext(Qt::WindowShortcut);
    addAction(full_screen_);  // F11 anywhere in the window, not only in the open menu
    connect(full_screen_, &QAction::toggled, this, [this](bool on) {
        if (on == isFullScreen()) return;
        if (on) {
            showFullScreen();
        } else {
            showNormal();
        }
    });
    projector_ = menu.addAction(QStringLiteral("Projector colours"));
    projector_->setCheckable(true);
    connect(projector_, &QAction::toggled, this, [this](bool on) {
        session_->set_colour_scheme(on ? ColourScheme::Projector : ColourScheme::Screen);
    });
    // Escape leaves full screen; otherwise it stays the controls' own.
    leave_full_screen_ = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    leave_full_screen_->setEnabled(false);
    connect(leave_full_screen_, &QShortcut::activated, this, [this] { showNormal(); });
}

void Tarrowen::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange && full_screen_ != nullptr) {
        const QSignalBlocker quiet(full_screen_);
        full_screen_->setChecked(isFullScreen());
        leave_full_screen_->setEnabled(isFullScreen());
    }
    QWidget::changeEvent(event);
}

bool Tarrowen::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    // On another screen: the canvas at its pixel ratio, and the controls placed for it.
    if (event->type() == QEvent::ScreenChangeInternal) place_controls();
    return handled;
}

void Tarrowen::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    place_controls();
}

void Tarrowen::place_controls() {
    using namespace layout;
    if (session_ == nullptr || picture_ == nullptr) return;
    const double ratio = devicePixelRatioF();
    scale_ = fit_factor(width(), height(), 1.0);
    const double device_scale = scale_ * ratio;
    const auto device = [ratio](int logical) {
        return static_cast<int>(std::lround(logical * ratio));
    };
    // The canvas takes the pixel ratio of what it is shown at, and the picture is drawn again.
    session_->set_pixel_ratio(device_scale);
    const DrawingArea& area = session_->drawing_area();
    const auto places =
        device_places(device_scale, centring(device(width()), device(height()), device_scale),
                      area.width(), area.height());
    // In whole logical pixels: at a pixel ratio of 2 an odd edge moves by one device pixel;
    // a size is rounded up, so that the picture's widget holds the whole canvas.
    const auto logical = [ratio](int device) {
        return static_cast<int>(std::lround(device / ratio));
    };
    const auto logical_size = [ratio](int device) {
        return static_cast<int>(std::ceil(device / ratio - 1e-9));
    };
    for (int i = 0; i < kControlCount; ++i) {
        const Place& d = places[static_cast<std::size_t>(i)];
        QWidget* w = controls_[static_cast<std::size_t>(i)];
        w->setGeometry(logical(d.left), logical(d.top), logical_size(d.width),
                       logical_size(d.height));
        // The boxes in the default font at the layout's scale; captions are fitted below.
        if (control(static_cast<Id>(i)).kind == ControlKind::TextBox) {
            QFont f = font();
            if (f.pointSizeF() > 0) f.setPointSizeF(f.pointSizeF() * scale_);
            w->setFont(f);
        }
    }
    fit_captions(scale_);
}

void Tarrowen::fit_captions(double scale) {
    // The default font, at the layout's scale.
    const QFont base = font();
    // A default font given in pixels has no point size to step: it stays as it is.
    if (base.pointSizeF() <= 0) return;
    const auto in_size = [&base](double points) {
        QFont f = base;
        f.setPointSizeF(points);
        return f;
    };
    const double smallest = layout::smallest_caption(scale) * 72.0 / logicalDpiY();
    const auto sizes = layout::caption_sizes(
        {base.pointSizeF() * scale, 0.5 * scale, smallest}, [&](layout::Id id, double points) {
            const QWidget* w = controls_[static_cast<std::size_t>(id)];
            return dynamic_cast<const FittedCaption*>(w)->fits(in_size(points));
        });
    for (std::size_t i = 0; i < sizes.size(); ++i)
        if (sizes[i] > 0) controls_[i]->setFont(in_size(sizes[i]));
}

void Tarrowen::Timer1_Timer() {
    session_->dispatch(Event::tick());
}

std::string Tarrowen::box_text(int box) const {
    return txt_masses_.at(static_cast<std::size_t>(box))->text().toStdString();
}

void Tarrowen::on_focus_changed(QWidget* now) {
    // Not one of the controls (or none): kControlCount. No entry of controls_ is null.
    const auto* it = std::find(controls_.begin(), controls_.end(), now);
    session_->set_focus(static_cast<layout::Id>(it - controls_.begin()));
}

void Tarrowen::set_box_text(int box, const std::string& text, bool quietly) {
    const auto i = static_cast<std::size_t>(box);
    QLineEdit* e = txt_masses_.at(i);
    // Until the box is heard again, assistive technology knows the text from before the first
    // quiet write.
    if (!heard_[i]) heard_[i] = e->text();
    write_silently(*e, QString::fromStdString(text));
    if (quietly) return;
    announce_text(*e, *heard_[i]);
    heard_[i].reset();
}

void Tarrowen::present(const DrawingArea&, const RectList& changed) {
    picture_->present(changed);
}

void Tarrowen::request_frame() {
    if (frame_timer_.isActive()) return;
    // The rate of the screen that shows the window now, which may not be the one it started on.
    if (const QScreen* s = screen()) pacer_.set_refresh_rate(s->refreshRate());
    frame_timer_.start(pacer_.wait_ms(monotonic_seconds()));
}

void Tarrowen::report(const std::string& message) {
    // The report's box takes the keyboard; once it is closed, the keyboard goes back to the
    // control that was pressed, so that a user who cannot see the screen is where they were.
    const QPointer<QWidget> had_focus = focusWidget();
    if (report_ != nullptr) {
        report_->report(message);
    } else {
        // A warning box over the window; the program goes on once the user has read it.
        QMessageBox::warning(this, QString::fromLatin1(layout::kWindowCaption),
                             QString::fromStdString(message));
    }
    if (had_focus != nullptr && isVisible() && QApplication::activeModalWidget() == nullptr) {
        activateWindow();
        had_focus->setFocus(Qt::OtherFocusReason);
    }
}

void Tarrowen::quit() {
    QCoreApplication::quit();
}

}  // namespace tarrowen
