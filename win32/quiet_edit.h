// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writing an edit control's text with or without telling assistive technology.
//
// An edit control tells assistive technology of every WM_SETTEXT (on Windows a value-change
// event through NotifyWinEvent, which a screen reader follows). Five readouts rewritten at the
// screen's refresh rate would make some three hundred such events a second, and a screen
// reader that gets them floods its queue and falls silent. So a readout written quietly does
// not get the text at all: the subclass keeps the text shown and paints it itself, and answers
// WM_GETTEXT with it, so that what assistive technology reads when it asks (the edit's
// accessible value is its window text) is what the box shows. A write that is heard gives the
// edit the text with WM_SETTEXT and raises one EVENT_OBJECT_VALUECHANGE, whatever the edit
// raises itself, so that a screen reader hears the value also when it has not changed.
//
// Before the user works the box (a key, a click, the clipboard), a text kept aside is handed to
// the edit, so that the caret and the selection stand in the text the user sees.
//
// Example: quietly " 4.21", quietly " 4.22", then heard " 4.23": the box shows each in turn,
// GetWindowText reads each in turn, and one value-change event comes, with the last.

#include <windows.h>

#include <string>

namespace tarrowen {

// Subclasses an edit control (single line) for write_text. Undone when it is destroyed.
void make_quiet_edit(HWND edit);

// Replaces the whole text of an edit made by make_quiet_edit and shows its start.
void write_text(HWND edit, const std::wstring& text, bool quietly);

}  // namespace tarrowen
