// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/web_page.h"

#include <emscripten.h>

#include <chrono>
#include <utility>

// The page's side, each handed over to the page's script (page.js). Texts go as UTF-8 bytes
// with their length; pixels as the address of the canvas's buffer, which the script wraps
// without copying.
EM_JS(void, tarrowen_js_set_box, (int box, const char* text, int length, int quietly),
      { tarrowenPage.setBox(box, text, length, quietly); })
EM_JS(void, tarrowen_js_present,
      (const void* pixels, int stride, int width, int height, int x0, int y0, int x1, int y1),
      { tarrowenPage.present(pixels, stride, width, height, x0, y0, x1, y1); })
EM_JS(void, tarrowen_js_request_frame, (), { tarrowenPage.requestFrame(); })
EM_JS(void, tarrowen_js_report, (const char* text, int length),
      { tarrowenPage.report(text, length); })
EM_JS(void, tarrowen_js_quit, (), { tarrowenPage.quit(); })
EM_JS(void, tarrowen_js_set_ticking, (int on), { tarrowenPage.setTicking(on); })

namespace tarrowen {

void PageTimer::schedule(int period_ms) {
    // The page's interval asks for 1 ms, the only period the program sets.
    tarrowen_js_set_ticking(period_ms > 0 ? 1 : 0);
}

namespace {

// performance.now(), in the steady clock's units: monotonic, and not moved by a change of the
// wall clock.
std::chrono::steady_clock::duration page_now() {
    const std::chrono::duration<double, std::milli> ms(emscripten_get_now());
    return std::chrono::duration_cast<std::chrono::steady_clock::duration>(ms);
}

}  // namespace

WebPage::WebPage(bool hand_clock, double local_seconds, double pixel_ratio) {
    for (int i = 0; i < kBoxCount; ++i)
        texts_[static_cast<std::size_t>(i)] = initial_text(i);
    if (hand_clock) {
        auto clock = std::make_unique<HandClock>();
        hand_ = clock.get();
        clock_ = std::move(clock);
    } else {
        clock_ = std::make_unique<DayClock>(local_seconds, page_now);
    }
    // The page's canvas takes its bytes as R, G, B, A: the canvas keeps its pixels so.
    session_ = std::make_unique<Session>(*this, pixel_ratio, PixelFormat::Xbgr);
}

void WebPage::typed(int box, std::string text) {
    texts_.at(static_cast<std::size_t>(box)) = std::move(text);
    session_->dispatch(Event::text_changed(layout::txt_masses(box)));
}

std::string WebPage::box_text(int box) const {
    return texts_.at(static_cast<std::size_t>(box));
}

void WebPage::set_box_text(int box, const std::string& text, bool quietly) {
    // Assigned, not replaced: a readout's text fits the string's capacity, so a frame allocates
    // nothing here.
    texts_.at(static_cast<std::size_t>(box)) = text;
    tarrowen_js_set_box(box, text.data(), static_cast<int>(text.size()), quietly ? 1 : 0);
}

void WebPage::present(const DrawingArea& area, const RectList& changed) {
    for (const Rect& r : changed)
        tarrowen_js_present(area.pixels(), area.stride(), area.width(), area.height(), r.x0, r.y0,
                            r.x1, r.y1);
}

void WebPage::request_frame() {
    tarrowen_js_request_frame();
}

void WebPage::report(const std::string& message) {
    tarrowen_js_report(message.data(), static_cast<int>(message.size()));
}

void WebPage::quit() {
    tarrowen_js_quit();
}

}  // namespace tarrowen
