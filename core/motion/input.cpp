// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/motion/input.h"

#include "core/layout/layout.h"
#include "core/motion/handler_error.h"
#include "core/numbers/number_text.h"

namespace tarrowen {

namespace {

constexpr std::size_t kQuotedChars = 24;

// The start of a typed text for a message: long or binary input must not flood the box.
std::string excerpt(const std::string& text) {
    std::string out;
    for (char ch : text) {
        if (out.size() >= kQuotedChars) {
            out += "...";
            break;
        }
        const auto u = static_cast<unsigned char>(ch);
        out += (u < 0x20 || u == 0x7F) ? '?' : ch;
    }
    return out;
}

}  // namespace

Number read_input_box(const Form& f, int box) {
    const std::string text = f.txt_masses.text(box);
    try {
        return Number::dbl(parse_number(text));
    } catch (const ArithmeticError&) {
        throw HandlerError("The number typed into the \"" +
                           std::string(layout::control(layout::lbl_mass_id(box)).caption) +
                           "\" box (" + excerpt(text) +
                           ") is too large. Please type a smaller one.");
    }
}

}  // namespace tarrowen
