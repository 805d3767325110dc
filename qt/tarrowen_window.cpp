// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/tarrowen_window.h"

#include <QApplication>
#include <QPointer>
#include <QScreen>
#include <algorithm>

#include "core/layout/caption_sizes.h"
#include "qt/accessible_text.h"
#include "qt/fitted_text.h"
#include "qt/qt_error_report.h"

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
                picture_->on_ratio_change([this](qreal r) { session_->set_pixel_ratio(r); });
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
        w->setGeometry(to_qrect(c.twips));
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

    fit_captions();
}

void Tarrowen::fit_captions() {
    const QFont base = font();
    // A default font given in pixels has no point size to step: it stays as it is.
    if (base.pointSizeF() <= 0) return;
    const auto in_size = [&base](double points) {
        QFont f = base;
        f.setPointSizeF(points);
        return f;
    };
    const double smallest = layout::smallest_caption(1) * 72.0 / logicalDpiY();
    const auto sizes = layout::caption_sizes(
        {base.pointSizeF(), 0.5, smallest}, [&](layout::Id id, double points) {
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
    report_->report(message);
    if (had_focus != nullptr && isVisible() && QApplication::activeModalWidget() == nullptr) {
        activateWindow();
        had_focus->setFocus(Qt::OtherFocusReason);
    }
}

void Tarrowen::quit() {
    QCoreApplication::quit();
}

}  // namespace tarrowen
