// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/tarrowen_window.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <cmath>
#include <vector>

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
    const QScreen* screen = QGuiApplication::primaryScreen();
    const qreal hz = screen != nullptr && screen->refreshRate() > 1 ? screen->refreshRate() : 60;
    frame_timer_.setInterval(static_cast<int>(std::lround(1000.0 / hz)));
    connect(&frame_timer_, &QTimer::timeout, this, [this] { session_->dispatch(Event::frame()); });

    session_ =
        std::make_unique<Session>(*this, screen != nullptr ? screen->devicePixelRatio() : 1.0);
    build_controls();
    picture_->setFocus(Qt::OtherFocusReason);
}

Tarrowen::~Tarrowen() = default;

void Tarrowen::build_controls() {
    using namespace layout;
    std::array<QWidget*, kControlCount> widgets{};
    std::array<WrappedLabel*, kRows> labels{};
    std::array<WrappedButton*, kRows> panel_buttons{};
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
                if (element(id) >= 0) panel_buttons[static_cast<std::size_t>(element(id))] = b;
                w = b;
                break;
            }
            case ControlKind::Label: {
                auto* l = new WrappedLabel(this);
                l->setText(QString::fromLatin1(c.caption));
                labels[static_cast<std::size_t>(element(id))] = l;
                w = l;
                break;
            }
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
        widgets[static_cast<std::size_t>(i)] = w;
    }
    for (int i = 0; i < kRows; ++i)
        labels[static_cast<std::size_t>(i)]->setBuddy(txt_masses_[static_cast<std::size_t>(i)]);

    const auto& order = tab_order();
    for (std::size_t i = 0; i + 1 < order.size(); ++i)
        setTabOrder(widgets[static_cast<std::size_t>(order[i])],
                    widgets[static_cast<std::size_t>(order[i + 1])]);

    // Each column of captions in one size, the largest in which all of them fit whole.
    unify_caption_font(labels);
    unify_caption_font(panel_buttons);
}

void Tarrowen::Timer1_Timer() {
    session_->dispatch(Event::tick());
}

std::string Tarrowen::box_text(int box) const {
    return txt_masses_.at(static_cast<std::size_t>(box))->text().toStdString();
}

void Tarrowen::set_box_text(int box, const std::string& text, bool /*quietly*/) {
    QLineEdit* e = txt_masses_.at(static_cast<std::size_t>(box));
    e->setText(QString::fromStdString(text));
    // A text longer than its box shows its sign and leading digits, not its tail.
    e->setCursorPosition(0);
}

void Tarrowen::present(const DrawingArea&, const RectList& changed) {
    picture_->present(changed);
}

void Tarrowen::request_frame() {
    if (!frame_timer_.isActive()) frame_timer_.start();
}

void Tarrowen::report(const std::string& message) {
    report_->report(message);
}

void Tarrowen::quit() {
    QCoreApplication::quit();
}

}  // namespace tarrowen
