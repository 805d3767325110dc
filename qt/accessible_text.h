// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writing a line edit's text with or without telling assistive technology.
//
// Qt tells assistive technology of every QLineEdit::setText: on Linux (AT-SPI) a text-changed
// delete and insert and a caret move to the end, and one caret move more when the caret is put
// back at the start so that a long text shows its leading digits. Five readouts written at the
// screen's refresh rate make a thousand such events a second, and a screen reader that gets
// them floods its queue and falls silent. So the window writes its boxes with Qt's events
// held back, and sends one event of its own when a write is to be heard.
//
// Example: a readout goes « 4.21», « 4.22», « 4.23» quietly, then is heard:
//   write_silently(e, " 4.21"); write_silently(e, " 4.22"); write_silently(e, " 4.23");
//   announce_text(e, " 4.20");   // the text assistive technology was last told of
// sends, on AT-SPI, just text-changed:delete « 4.20» and text-changed:insert « 4.23». Asked
// in between, assistive technology reads the text shown.

#include <QLineEdit>
#include <QString>

namespace tarrowen {

// Replaces the text of `edit` and puts its caret at the start, so that a text longer than the
// box shows its sign and leading digits. Assistive technology is told nothing of it (no text,
// caret or value event); asked, it reads the new text. Other objects' events go on as usual,
// also those that the edit's signals cause meanwhile.
void write_silently(QLineEdit& edit, const QString& text);

// Tells assistive technology that the text of `edit`, which it last knew as `heard`, is now
// the text the edit holds, with the caret where the edit has it: one text update (on AT-SPI a
// delete of `heard` and an insert of the new text), also when the two are equal, so that a
// screen reader can speak the value again.
void announce_text(QLineEdit& edit, const QString& heard);

}  // namespace tarrowen
