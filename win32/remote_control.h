// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a driver program outside the process needs to know to work the window: the window's
// class, the controls' ids, and the messages of the hand-set clock.
//
// Control ids follow the layout table: control layout::Id i has the id kControlIdBase + i, so
// that none of them is IDOK or IDCANCEL, which the dialog keys send to the window.
//
// The hand-set clock is for tests only and is never on by default: it is on when the program
// starts with the environment variable TARROWEN_HAND_CLOCK set to a number of seconds since
// midnight (e.g. "36000"). Then the clock reads that until a driver sets it, ticks come only
// when a driver sends kTickMessage (the real timer is never armed), and the window answers the
// three registered messages below. Without the variable it registers none of them.

#include <windows.h>

#include <bit>
#include <cstdint>

namespace tarrowen::remote {

inline constexpr const wchar_t* kWindowClass = L"TarrowenWindow";
inline constexpr const wchar_t* kPictureClass = L"TarrowenPicture";
inline constexpr int kControlIdBase = 1000;
// The commands of the picture's menu (WM_COMMAND), below the controls' ids.
inline constexpr int kFullScreenCommand = 900;
inline constexpr int kProjectorCommand = 901;

inline constexpr const wchar_t* kHandClockVariable = L"TARROWEN_HAND_CLOCK";

// lParam: the bits of a double, the seconds since midnight the clock now reads.
inline constexpr const wchar_t* kSetClockMessage = L"Tarrowen.SetClock";
// One tick of Timer1, dispatched as the timer's own (nothing happens unless it is ticking).
inline constexpr const wchar_t* kTickMessage = L"Tarrowen.Tick";
// Presents the screen now: the readouts held back for the next frame are written.
inline constexpr const wchar_t* kPresentMessage = L"Tarrowen.Present";

inline LPARAM seconds_to_lparam(double seconds) {
    return static_cast<LPARAM>(std::bit_cast<std::uint64_t>(seconds));
}
inline double lparam_to_seconds(LPARAM l) {
    return std::bit_cast<double>(static_cast<std::uint64_t>(l));
}

}  // namespace tarrowen::remote
