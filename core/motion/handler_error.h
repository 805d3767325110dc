// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <stdexcept>

namespace tarrowen {

// A handler could not finish; what() says why in words for the user.
class HandlerError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

}  // namespace tarrowen
