// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/layout/layout_json.h"

#include <span>

#include "core/layout/device_pixels.h"
#include "core/layout/layout.h"
#include "core/layout/reading_order.h"

namespace tarrowen::layout {

namespace {

const char* kind_name(ControlKind k) {
    switch (k) {
        case ControlKind::DrawingArea:
            return "DrawingArea";
        case ControlKind::Button:
            return "Button";
        case ControlKind::Label:
            return "Label";
        case ControlKind::TextBox:
            return "TextBox";
    }
    return "";
}

// Appends "name": and a value, with a comma before all but the first field of an object.
class Object {
  public:
    explicit Object(std::string& out) : out_(out) { out_ += '{'; }
    ~Object() { out_ += '}'; }
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;

    std::string& field(const char* name) {
        if (!first_) out_ += ',';
        first_ = false;
        out_ += '"';
        out_ += name;
        return out_ += "\":";
    }
    void text(const char* name, const char* value) { append_text(field(name), value); }
    void number(const char* name, long long value) { field(name) += std::to_string(value); }
    void boolean(const char* name, bool value) { field(name) += value ? "true" : "false"; }

    static void append_text(std::string& out, const char* s) {
        out += '"';
        for (; *s != '\0'; ++s) {
            const auto c = static_cast<unsigned char>(*s);
            if (c == '"' || c == '\\') {
                out += '\\';
                out += static_cast<char>(c);
            } else if (c < 0x20) {
                out += "\\u00";
                out += "0123456789abcdef"[c >> 4];
                out += "0123456789abcdef"[c & 0xF];
            } else {
                out += static_cast<char>(c);
            }
        }
        out += '"';
    }

  private:
    std::string& out_;
    bool first_ = true;
};

void append_ids(std::string& out, std::span<const Id> ids) {
    out += '[';
    for (std::size_t i = 0; i < ids.size(); ++i) {
        if (i > 0) out += ',';
        out += std::to_string(ids[i]);
    }
    out += ']';
}

void append_size(Object& o, const char* name, int width, int height) {
    std::string& out = o.field(name);
    Object size(out);
    size.number("width", width);
    size.number("height", height);
}

}  // namespace

std::string table_json() {
    std::string out;
    {
        Object table(out);
        table.text("caption", kWindowCaption);
        append_size(table, "client", to_pixels(kClientWidth), to_pixels(kClientHeight));
        std::string& list = table.field("controls");
        list += '[';
        for (int i = 0; i < kControlCount; ++i) {
            const Control& c = kControls[static_cast<std::size_t>(i)];
            if (i > 0) list += ',';
            Object o(list);
            o.number("id", i);
            o.text("kind", kind_name(c.kind));
            o.text("name", c.name);
            o.number("element", element(static_cast<Id>(i)));
            o.boolean("textBox", is_text_box(i));
            o.text("caption", c.caption);
            o.text("initialText", c.initial_text);
            o.text("accessibleName", c.accessible_name);
            o.text("description", c.description);
            o.number("tabIndex", c.tab_index);
            std::string& colour = o.field("colour");
            if (c.colour < 0) {
                colour += "null";
            } else {
                Object rgb(colour);
                rgb.number("red", c.colour & 0xFF);
                rgb.number("green", (c.colour >> 8) & 0xFF);
                rgb.number("blue", (c.colour >> 16) & 0xFF);
            }
        }
        list += ']';
        append_ids(table.field("tabOrder"), tab_order());
        append_ids(table.field("readingOrder"), reading_order());
    }
    return out;
}

std::string places_json(double scale) {
    std::string out;
    {
        Object places(out);
        append_size(places, "client", to_device(kClientWidth, scale),
                    to_device(kClientHeight, scale));
        std::string& list = places.field("controls");
        list += '[';
        for (int i = 0; i < kControlCount; ++i) {
            const Place p = to_device(kControls[static_cast<std::size_t>(i)].twips, scale);
            if (i > 0) list += ',';
            Object o(list);
            o.number("left", p.left);
            o.number("top", p.top);
            o.number("width", p.width);
            o.number("height", p.height);
        }
        list += ']';
    }
    return out;
}

}  // namespace tarrowen::layout
