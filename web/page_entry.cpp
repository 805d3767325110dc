// SPDX-License-Identifier: GPL-3.0-or-later
// The functions the page's script calls: the layout table, read once to build the controls,
// the places and caption sizes of each layout, and one entry point per kind of user or
// browser event. The script calls them by their exported names (_tarrowen_...).

#include <emscripten.h>

#include <memory>
#include <string>

#include "core/layout/caption_sizes.h"
#include "core/layout/layout.h"
#include "core/layout/layout_json.h"
#include "web/web_page.h"

using namespace tarrowen;

namespace {

std::unique_ptr<WebPage> g_page;
// Where the script puts a text typed into a box before it calls tarrowen_typed.
std::string g_typed;

bool is_control(int id) {
    return id >= 0 && id < layout::kControlCount;
}

}  // namespace

// The script's start: builds the controls, then calls tarrowen_start.
EM_JS(void, tarrowen_js_main, (), { tarrowenPage.main(); })

// The page's side of caption fitting: whether the caption of control `id` fits whole in `size`
// CSS pixels, and the size it takes.
EM_JS(int, tarrowen_js_caption_fits, (int id, double size),
      { return tarrowenPage.captionFits(id, size) ? 1 : 0; })
EM_JS(void, tarrowen_js_set_caption_size, (int id, double size),
      { tarrowenPage.setCaptionSize(id, size); })

extern "C" {

// The layout table as JSON text (core/layout/layout_json.h), valid for the page's life.
EMSCRIPTEN_KEEPALIVE const char* tarrowen_table_json() {
    static const std::string json = layout::table_json();
    return json.c_str();
}

// The controls' places in device pixels at `scale` device pixels per pixel of the table, as
// JSON text; valid until the next call.
EMSCRIPTEN_KEEPALIVE const char* tarrowen_places_json(double scale) {
    static std::string json;
    json = layout::places_json(scale);
    return json.c_str();
}

// Gives every caption its size: from `largest` CSS pixels down in steps of `step`, no smaller
// than the smallest caption at `scale` CSS pixels per pixel of the table.
EMSCRIPTEN_KEEPALIVE void tarrowen_fit_captions(double largest, double step, double scale) {
    const auto sizes = layout::caption_sizes(
        {largest, step, layout::smallest_caption(scale)},
        [](layout::Id id, double size) { return tarrowen_js_caption_fits(id, size) != 0; });
    for (int i = 0; i < layout::kControlCount; ++i) {
        const double size = sizes[static_cast<std::size_t>(i)];
        if (size > 0) tarrowen_js_set_caption_size(i, size);
    }
}

// The controls exist with their initial texts: the program starts. `hand_clock`: the test
// driver sets the clock (tarrowen_set_clock).
EMSCRIPTEN_KEEPALIVE void tarrowen_start(int hand_clock, double local_seconds, double ratio) {
    g_page = std::make_unique<WebPage>(hand_clock != 0, local_seconds, ratio);
}

EMSCRIPTEN_KEEPALIVE void tarrowen_click(int id) {
    if (g_page && is_control(id))
        g_page->session().dispatch(Event::click(static_cast<layout::Id>(id)));
}

// Room for `bytes` bytes of a typed text, in which the script writes it (UTF-8).
EMSCRIPTEN_KEEPALIVE char* tarrowen_text_buffer(int bytes) {
    g_typed.resize(bytes > 0 ? static_cast<std::size_t>(bytes) : 0);
    return g_typed.data();
}

// Box `id` now holds the `bytes` bytes that the script wrote into the text buffer.
EMSCRIPTEN_KEEPALIVE void tarrowen_typed(int id, int bytes) {
    const int box = layout::element(static_cast<layout::Id>(id));
    if (!g_page || !layout::is_text_box(id)) return;
    g_typed.resize(bytes > 0 ? static_cast<std::size_t>(bytes) : 0);
    g_page->typed(box, g_typed);
}

EMSCRIPTEN_KEEPALIVE void tarrowen_tick() {
    if (g_page) g_page->session().dispatch(Event::tick());
}

EMSCRIPTEN_KEEPALIVE void tarrowen_frame() {
    if (g_page) g_page->session().dispatch(Event::frame());
}

// Shows what changed at once, not at the next frame: after the canvas was made anew, and for
// the test driver, which reads the page back.
EMSCRIPTEN_KEEPALIVE void tarrowen_present_now() {
    if (g_page) g_page->session().present_now();
}

// The keyboard focus is on control `id`; any other value: on none of them.
EMSCRIPTEN_KEEPALIVE void tarrowen_focus(int id) {
    if (g_page)
        g_page->session().set_focus(is_control(id) ? static_cast<layout::Id>(id)
                                                   : layout::kControlCount);
}

EMSCRIPTEN_KEEPALIVE void tarrowen_set_pixel_ratio(double ratio) {
    if (g_page) g_page->session().set_pixel_ratio(ratio);
}

// The picture in the projector's colours (1) or the program's own (0).
EMSCRIPTEN_KEEPALIVE void tarrowen_set_projector_colours(int on) {
    if (g_page)
        g_page->session().set_colour_scheme(on != 0 ? ColourScheme::Projector
                                                    : ColourScheme::Screen);
}

// The canvas's size in device pixels.
EMSCRIPTEN_KEEPALIVE int tarrowen_canvas_width() {
    return g_page ? g_page->session().drawing_area().width() : 0;
}

EMSCRIPTEN_KEEPALIVE int tarrowen_canvas_height() {
    return g_page ? g_page->session().drawing_area().height() : 0;
}

// The driver's clock now reads `seconds` since midnight (as a single). Nothing on a page that
// runs on the real clock.
EMSCRIPTEN_KEEPALIVE void tarrowen_set_clock(double seconds) {
    if (g_page && g_page->hand_clock() != nullptr)
        g_page->hand_clock()->set(static_cast<float>(seconds));
}

}  // extern "C"

int main() {
    tarrowen_js_main();
    return 0;
}
