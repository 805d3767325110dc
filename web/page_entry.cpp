// SPDX-License-Identifier: GPL-3.0-or-later
// The functions the page's script calls: the layout table, read once to build the controls,
// and one entry point per kind of user or browser event. The script calls them by their
// exported names (_tarrowen_...).

#include <emscripten.h>

#include <memory>
#include <string>

#include "core/layout/layout.h"
#include "web/web_page.h"

using namespace tarrowen;

namespace {

std::unique_ptr<WebPage> g_page;
// Where the script puts a text typed into a box before it calls tarrowen_typed.
std::string g_typed;

bool is_control(int id) {
    return id >= 0 && id < layout::kControlCount;
}

// Fields of the layout table as the script asks for them.
// kElement: the control's index in its control array, -1 for the fixed controls.
enum IntField { kKind, kLeft, kTop, kWidth, kHeight, kTabIndex, kColour, kElement };
enum TextField { kName, kCaption, kInitialText, kAccessibleName, kDescription };
// With id -1: the table's own figures.
enum TableField { kCount, kClientWidth, kClientHeight, kFocusableCount };

}  // namespace

extern "C" {

// The script's start: builds the controls, then calls tarrowen_start.
void tarrowen_js_main();

EMSCRIPTEN_KEEPALIVE int tarrowen_table_int(int id, int field) {
    if (id == -1) {
        switch (field) {
            case kCount:
                return layout::kControlCount;
            case kClientWidth:
                return layout::to_pixels(layout::kClientWidth);
            case kClientHeight:
                return layout::to_pixels(layout::kClientHeight);
            case kFocusableCount:
                return layout::kFocusable;
            default:
                return 0;
        }
    }
    if (!is_control(id)) return 0;
    const layout::Control& c = layout::control(static_cast<layout::Id>(id));
    // Pixels at 96 dots per inch, edges rounded as on the desktop.
    const layout::Place p = layout::to_pixels(c.twips);
    switch (field) {
        case kKind:
            return static_cast<int>(c.kind);
        case kLeft:
            return p.left;
        case kTop:
            return p.top;
        case kWidth:
            return p.width;
        case kHeight:
            return p.height;
        case kTabIndex:
            return c.tab_index;
        case kColour:
            return c.colour;
        case kElement:
            return layout::element(static_cast<layout::Id>(id));
        default:
            return 0;
    }
}

EMSCRIPTEN_KEEPALIVE const char* tarrowen_table_text(int id, int field) {
    if (id == -1) return layout::kWindowCaption;
    if (!is_control(id)) return "";
    const layout::Control& c = layout::control(static_cast<layout::Id>(id));
    switch (field) {
        case kName:
            return c.name;
        case kCaption:
            return c.caption;
        case kInitialText:
            return c.initial_text;
        case kAccessibleName:
            return c.accessible_name;
        case kDescription:
            return c.description;
        default:
            return "";
    }
}

// The control at place `i` of the focus order.
EMSCRIPTEN_KEEPALIVE int tarrowen_tab_order(int i) {
    if (i < 0 || i >= layout::kFocusable) return -1;
    return layout::tab_order()[static_cast<std::size_t>(i)];
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
    if (!g_page || id < layout::txt_masses_0 || id >= layout::cmd_color_0) return;
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

// The canvas's size in device pixels: axis 0 across, 1 down.
EMSCRIPTEN_KEEPALIVE int tarrowen_canvas_size(int axis) {
    if (!g_page) return 0;
    const DrawingArea& area = g_page->session().drawing_area();
    return axis == 0 ? area.width() : area.height();
}

// The driver's clock now reads `seconds` since midnight (as a single). Nothing on a page that
// runs on the real clock.
EMSCRIPTEN_KEEPALIVE void tarrowen_set_clock(double seconds) {
    if (g_page && g_page->hand_clock() != nullptr)
        g_page->hand_clock()->seconds = static_cast<float>(seconds);
}

}  // extern "C"

int main() {
    tarrowen_js_main();
    return 0;
}
