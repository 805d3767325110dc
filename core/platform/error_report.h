// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

namespace tarrowen {

// How the program tells the user something: a front-end (core/frontend/frontend.h) is one, and
// a test keeps what it is told.
class ErrorReport {
  public:
    virtual ~ErrorReport() = default;
    // Tells the user, in plain words, that something could not be done (or was done otherwise
    // than asked). Need not wait for the user.
    virtual void report(const std::string& message) = 0;
};

}  // namespace tarrowen
