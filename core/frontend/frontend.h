// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a front-end supplies to the core, and the one call it makes into it.
//
// A front-end (the Qt window, the browser page, the Win32 window) builds its controls from the
// layout table (core/layout/layout.h), implements Frontend, owns a Session, and turns every
// event into one Session::dispatch():
//
//   a click on a button            dispatch(Event::click(id))
//   a text box's text changed      dispatch(Event::text_changed(id)), by the user, or by
//                                  set_box_text() where the toolkit tells of that too
//   a tick of the periodic timer   dispatch(Event::tick())
//   the frame asked for came       dispatch(Event::frame())
//   the screen's pixel ratio       session.set_pixel_ratio(ratio)
//   the keyboard focus moved       session.set_focus(id)
//   a colour scheme was chosen     session.set_colour_scheme(scheme)
//
// Everything two front-ends would both need lives in the Session: the handlers and what their
// failure leaves behind, the canvas, the readouts held back until the next frame, and the asking
// for frames, so that the screen is presented at its refresh rate and not on every tick of the
// 1 ms timer. All calls come and go on the front-end's one user-interface thread.

#include <string>

#include "core/canvas/drawing_area.h"
#include "core/platform/clock.h"
#include "core/platform/error_report.h"
#include "core/platform/timer.h"

namespace tarrowen {

// report() (ErrorReport) shows the session's reports: the screen has been presented just
// before.
class Frontend : public ErrorReport {
  public:
    // The text that box `box` of the panel (0 to 7, by role: kBoxOmega ...) holds now, as the
    // user typed it or as it was last written.
    virtual std::string box_text(int box) const = 0;
    // Replaces the whole text of box `box`. The box shows the start of a text longer than
    // itself (the sign and the leading digits). Inputs are written when a handler writes them,
    // readouts at most once a frame.
    //
    // `quietly`: show the text without telling assistive technology (a screen reader) that it
    // changed; what it reads when it asks is still the text shown. A write that is not quiet
    // tells it of the box's text even when that text is already shown, having come quietly
    // before. Which writes are quiet is the core's rule (core/frontend/readouts.h).
    virtual void set_box_text(int box, const std::string& text, bool quietly) = 0;

    // Copies the device-pixel rectangles of the canvas that changed since the last call to the
    // screen (`changed` never empty).
    virtual void present(const DrawingArea& area, const RectList& changed) = 0;
    // Asks for one dispatch(Event::frame()) when the screen is next refreshed. The session asks
    // once and waits for that frame before it asks again.
    virtual void request_frame() = 0;

    // Ends the program at once ("Quit ").
    virtual void quit() = 0;

    // The periodic timer, whose ticks the front-end dispatches, and the clock.
    virtual PeriodicTimer& timer() = 0;
    virtual Clock& clock() = 0;
};

}  // namespace tarrowen
