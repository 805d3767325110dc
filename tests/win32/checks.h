// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The driver's checks: each prints one line, and the run ends with the count of both kinds.

#include <cstdio>
#include <string>

namespace tarrowen::driver {

class Checks {
  public:
    void expect(bool ok, const std::string& what) {
        std::printf("%s: %s\n", ok ? "ok" : "FAIL", what.c_str());
        std::fflush(stdout);
        ++(ok ? passed_ : failed_);
    }
    void note(const std::string& what) {
        std::printf("note: %s\n", what.c_str());
        std::fflush(stdout);
    }
    // Prints "N passed, N failed" and gives the exit status.
    int finish() const {
        std::printf("%d passed, %d failed\n", passed_, failed_);
        return failed_ == 0 && passed_ > 0 ? 0 : 1;
    }

  private:
    int passed_ = 0;
    int failed_ = 0;
};

// The controls' places and the keyboard (layout_check.cpp).
void check_layout(Checks& checks, const std::wstring& exe);
// What the readouts tell assistive technology while the motion runs (readout_events.cpp).
void check_readout_events(Checks& checks, const std::wstring& exe);

}  // namespace tarrowen::driver
