// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/accessible_text.h"

#include <QAccessible>

namespace tarrowen {

namespace {

// The edits being written silently now, innermost first: a write's signals may lead to a
// write of another box before the first one is done. Lives on the writers' stacks; all of it
// on the one user-interface thread.
struct Silenced {
    const QObject* object;
    const Silenced* outer;
};
const Silenced* silenced = nullptr;

QAccessible::UpdateHandler previous_handler = nullptr;

bool is_silenced(const QObject* object) {
    for (const Silenced* s = silenced; s != nullptr; s = s->outer)
        if (s->object == object) return true;
    return false;
}

void filter_update(QAccessibleEvent* event) {
    if (silenced != nullptr && is_silenced(event->object())) return;
    if (previous_handler != nullptr) {
        previous_handler(event);
        return;
    }
    // Qt hands an event to the platform's bridge only while no handler is installed, and the
    // bridge itself is not public: step aside for this one event.
    QAccessible::installUpdateHandler(nullptr);
    QAccessible::updateAccessibility(event);
    QAccessible::installUpdateHandler(&filter_update);
}

void install_filter() {
    static const bool installed = [] {
        previous_handler = QAccessible::installUpdateHandler(&filter_update);
        return true;
    }();
    (void)installed;
}

}  // namespace

void write_silently(QLineEdit& edit, const QString& text) {
    install_filter();
    // Held for the whole write, also when a slot of the edit's signals throws.
    struct Scope {
        Silenced self;
        explicit Scope(const QObject* o) : self{o, silenced} { silenced = &self; }
        ~Scope() { silenced = self.outer; }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;
    } scope(&edit);
    edit.setText(text);
    edit.setCursorPosition(0);
}

void announce_text(QLineEdit& edit, const QString& heard) {
    QAccessibleTextUpdateEvent event(&edit, 0, heard, edit.text());
    event.setCursorPosition(edit.cursorPosition());
    QAccessible::updateAccessibility(&event);
}

}  // namespace tarrowen
