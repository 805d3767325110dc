// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/frontend/readouts.h"

#include <limits>

namespace tarrowen {

Readouts::Readouts(Frontend& frontend) : frontend_(frontend) {
    // The front-end created its boxes with these texts; none has been announced yet.
    for (int i = 0; i < kBoxCount; ++i)
        shown_[static_cast<std::size_t>(i)] = initial_text(i);
    announced_at_.fill(-std::numeric_limits<double>::infinity());
}

std::string Readouts::text(int box) const {
    const auto i = static_cast<std::size_t>(box);
    if (is_pending_.at(i)) return pending_[i];
    return frontend_.box_text(box);
}

void Readouts::write(int box, const std::string& text) {
    const auto i = static_cast<std::size_t>(box);
    if (box < kInputBoxes) {
        // Inputs are written seldom, and must show at once.
        is_pending_.at(i) = false;
        shown_[i] = text;
        hand_over(box, false);
        return;
    }
    // Assigned into the string kept for the box: a readout's text fits its capacity, so the
    // tick allocates nothing here.
    pending_.at(i) = text;
    is_pending_[i] = true;
}

void Readouts::typed(int box) {
    // A box that tells of every change of its text tells of this object's own writes too.
    if (box == writing_) return;
    const auto i = static_cast<std::size_t>(box);
    is_pending_.at(i) = false;
    unheard_[i] = false;
    shown_[i] = frontend_.box_text(box);
}

void Readouts::show(int box, bool quietly, double now) {
    const auto i = static_cast<std::size_t>(box);
    unheard_[i] = quietly;
    if (!quietly) announced_at_[i] = now;
    hand_over(box, quietly);
}

void Readouts::hand_over(int box, bool quietly) {
    writing_ = box;
    // Cleared also when the front-end throws.
    struct Written {
        int& box;
        ~Written() { box = -1; }
    } written{writing_};
    frontend_.set_box_text(box, shown_[static_cast<std::size_t>(box)], quietly);
}

void Readouts::flush(bool running, int focused_box, double now) {
    if (focused_box != focused_box_) {
        focused_box_ = focused_box;
        // Presenting the box that just took the focus, the screen reader reads what it shows.
        if (focused_box >= kInputBoxes && focused_box < kBoxCount) {
            const auto i = static_cast<std::size_t>(focused_box);
            announced_at_[i] = now;
            unheard_[i] = false;
        }
    }
    for (int box = kInputBoxes; box < kBoxCount; ++box) {
        const auto i = static_cast<std::size_t>(box);
        const bool due = box == focused_box && now - announced_at_[i] >= kAnnounceInterval;
        if (is_pending_[i]) {
            is_pending_[i] = false;
            if (pending_[i] != shown_[i]) {
                shown_[i] = pending_[i];
                show(box, running && !due, now);
                continue;
            }
        }
        // A value shown quietly is heard once its turn comes, or once the motion stands still.
        if (unheard_[i] && (!running || due)) show(box, false, now);
    }
}

}  // namespace tarrowen
