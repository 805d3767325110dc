// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Plays the scenario list (scenarios.txt) on a world: the core's own test front-end, the Qt
// window or the Windows program under wine. The verbs are read here once; a world says only how
// a user clicks, types and reads in it, and how the clock and the timer are worked there.
// Standard library and the layout table only, so that every driver written in C++ shares it.

#include <locale>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "core/layout/layout.h"
#include "scenario.h"

namespace tarrowen::scenarios {

class World {
  public:
    virtual ~World() = default;
    // The clock reads `seconds` since midnight (as a single) from now on.
    virtual void set_clock(double seconds) = 0;
    // The user replaces the whole text of a text box.
    virtual void type(layout::Id box, const std::string& text) = 0;
    // The user clicks a button.
    virtual void click(layout::Id button) = 0;
    // One tick of Timer1, which counts only while the timer is on and ticking.
    virtual void tick() = 0;
    // The window's caption.
    virtual std::string title() = 0;
    // What a label or a button shows as its caption, or a box as its text, once the screen is
    // presented; nothing when the world has no such control.
    virtual std::optional<std::string> shown(layout::Id control) = 0;
    // The texts of the reports shown since the last call, each closed by the user.
    virtual std::vector<std::string> take_reports() = 0;
};

namespace detail {

inline std::string joined(const std::vector<std::string>& v) {
    std::string s;
    for (const auto& t : v)
        s += (s.empty() ? "" : " | ") + t;
    return s;
}

// Seconds as the list writes them ("101.5"), whatever the locale of the process.
inline std::optional<double> seconds_of(const std::string& text) {
    std::istringstream in(text);
    in.imbue(std::locale::classic());
    double s = 0;
    if (!(in >> s) || !(in >> std::ws).eof()) return std::nullopt;
    return s;
}

}  // namespace detail

// Plays one step: empty when it went as expected, otherwise what went otherwise.
inline std::string play_step(World& world, const Step& s) {
    using layout::ControlKind;
    const auto word = [&s](std::size_t i) { return i < s.words.size() ? s[i] : std::string(); };
    const auto named = [](const std::string& name, ControlKind kind) {
        const layout::Id id = layout::find(name.c_str());
        return id != layout::kControlCount && layout::control(id).kind == kind
                   ? std::optional<layout::Id>(id)
                   : std::nullopt;
    };
    const std::string verb = word(0);
    if (verb == "clock") {
        const auto seconds = detail::seconds_of(word(1));
        if (!seconds) return "no time \"" + word(1) + "\"";
        world.set_clock(*seconds);
    } else if (verb == "type") {
        const auto box = named(word(1), ControlKind::TextBox);
        if (!box) return "no box " + word(1);
        world.type(*box, word(2));
    } else if (verb == "click") {
        const auto button = named(word(1), ControlKind::Button);
        if (!button) return "no button " + word(1);
        world.click(*button);
    } else if (verb == "tick") {
        world.tick();
    } else if (verb == "expect" && word(1) == "title") {
        const std::string title = world.title();
        if (title != word(2)) return "title \"" + title + "\"";
    } else if (verb == "expect" && (word(1) == "caption" || word(1) == "text")) {
        const layout::Id id = layout::find(word(2).c_str());
        const auto shown = id != layout::kControlCount ? world.shown(id) : std::nullopt;
        if (!shown) return "no control " + word(2);
        if (*shown != word(3)) return word(2) + " shows \"" + *shown + "\"";
    } else if (verb == "expect" && word(1) == "report") {
        const auto told = world.take_reports();
        if (told != std::vector<std::string>{word(2)}) return "reports: " + detail::joined(told);
    } else if (verb == "expect" && word(1) == "no-report") {
        const auto told = world.take_reports();
        if (!told.empty()) return "reported: " + detail::joined(told);
    } else {
        return "unknown step";
    }
    return {};
}

// Plays the steps of a scenario up to the first that goes otherwise: empty when all went as
// expected, otherwise "line N: " and what went otherwise.
inline std::string play(World& world, const Scenario& scenario) {
    for (const Step& step : scenario.steps) {
        const std::string failure = play_step(world, step);
        if (!failure.empty()) return "line " + std::to_string(step.line) + ": " + failure;
    }
    return {};
}

}  // namespace tarrowen::scenarios
