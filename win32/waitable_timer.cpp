// SPDX-License-Identifier: GPL-3.0-or-later
#include "win32/waitable_timer.h"

#include <mmsystem.h>

namespace tarrowen {

namespace {
// From the Windows SDK (10.0.17134); mingw-w64 10 does not define it yet.
constexpr DWORD kHighResolution = 0x00000002;
}  // namespace

WaitableTimer::WaitableTimer() {
    handle_ = CreateWaitableTimerExW(nullptr, nullptr, kHighResolution, TIMER_ALL_ACCESS);
    high_resolution_ = handle_ != nullptr;
    if (handle_ == nullptr) handle_ = CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS);
}

WaitableTimer::~WaitableTimer() {
    hand_driven_ = true;
    arm();
    if (handle_ != nullptr) CloseHandle(handle_);
}

void WaitableTimer::arm() {
    const int want = hand_driven_ ? 0 : period_;
    if (want == armed_interval_ || handle_ == nullptr) return;
    if (want == 0) {
        CancelWaitableTimer(handle_);
    } else {
        // First tick one period from now, then every period; negative: relative, in 100 ns.
        LARGE_INTEGER due;
        due.QuadPart = -10000LL * want;
        SetWaitableTimer(handle_, &due, want, nullptr, nullptr, FALSE);
    }
    armed_interval_ = want;
    const bool raise = want > 0 && !high_resolution_;
    if (raise != raised_resolution_) {
        if (raise) {
            timeBeginPeriod(1);
        } else {
            timeEndPeriod(1);
        }
        raised_resolution_ = raise;
    }
}

}  // namespace tarrowen
