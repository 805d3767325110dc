// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The core's texts are UTF-8; Windows' wide functions take UTF-16. Invalid UTF-8 becomes
// U+FFFD, as MultiByteToWideChar makes it.

#include <string>
#include <string_view>

namespace tarrowen {

std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view utf16);

}  // namespace tarrowen
