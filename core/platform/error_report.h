// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

namespace tarrowen {

// Tells the user, in plain words, that a handler could not finish.
class ErrorReport {
  public:
    virtual ~ErrorReport() = default;
    virtual void report(const std::string& message) = 0;
};

}  // namespace tarrowen
