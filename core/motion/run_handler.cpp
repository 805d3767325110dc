// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/motion/run_handler.h"

#include <array>
#include <optional>

#include "core/motion/handler_error.h"
#include "core/motion/run_control.h"

namespace tarrowen {

namespace {

// What a handler of the user's may touch, as it was before the handler ran.
struct Before {
    MotionState m;
    std::array<std::string, kInputBoxes> texts;
    int interval;
    bool enabled;
};

Before take(const Form& f) {
    Before b{f.m, {}, f.Timer1.interval(), f.Timer1.enabled()};
    for (int i = 0; i < kInputBoxes; ++i)
        b.texts[i] = f.txt_masses.text(i);
    return b;
}

void put_back(Form& f, const Before& b) {
    f.m = b.m;
    if (f.Timer1.interval() != b.interval) f.Timer1.set_interval(b.interval);
    if (f.Timer1.enabled() != b.enabled) f.Timer1.set_enabled(b.enabled);
    // Only the boxes the handler rewrote are written: the write that failed never happened.
    for (int i = 0; i < kInputBoxes; ++i) {
        try {
            if (f.txt_masses.text(i) != b.texts[i]) f.txt_masses.set_text(i, b.texts[i]);
        } catch (const std::exception&) {
            // A box that refuses its old text keeps what it shows; the one report still goes
            // out.
        }
    }
}

}  // namespace

void run_handler(Form& f, ErrorReport& report, OnFailure on_failure,
                 const std::function<void()>& handler) {
    f.note.clear();
    std::optional<Before> before;
    std::string failure;
    try {
        // Taken inside: a panel that cannot be read fails the handler before it changed
        // anything.
        if (on_failure == OnFailure::KeepAsItWas) before.emplace(take(f));
        handler();
    } catch (const HandlerError& e) {
        failure = e.what();
    } catch (const ArithmeticError& e) {
        failure = std::string("A number became too large to compute: ") + e.what() + ".";
    } catch (const std::exception& e) {
        failure = std::string("The program could not finish this: ") + e.what() + ".";
    }
    std::string note = std::move(f.note);
    f.note.clear();
    if (failure.empty()) {
        if (!note.empty()) report.report(note);
        return;
    }
    if (on_failure == OnFailure::StopTheTimer) {
        // Stopped before the report, so the failing tick does not run again while the message
        // is read.
        stop_after_error(f);
    } else if (before) {
        put_back(f, *before);
    }
    report.report(failure);
}

}  // namespace tarrowen
