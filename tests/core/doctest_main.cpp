// SPDX-License-Identifier: GPL-3.0-or-later
// The runner of the core's tests: the same tables natively, in the browser build under node and
// in the Windows build under wine.
#define DOCTEST_CONFIG_IMPLEMENT_WITH_MAIN
#include <doctest/doctest.h>
