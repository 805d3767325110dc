// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The accessible names and descriptions of the layout table, given to Windows' own accessible
// objects of the controls (Dynamic Annotation, IAccPropServices), so that a screen reader says
// "theta in units of pi" for the box whose label reads "theta", and what each box is for.
// Without the service (it needs COM on this thread) the controls keep the names Windows gives
// them: a box is named after the label just before it, which the window makes its own label.

#include <windows.h>

#include <string>
#include <vector>

struct IAccPropServices;

namespace tarrowen {

class AccessibleNames {
  public:
    AccessibleNames();
    ~AccessibleNames();
    AccessibleNames(const AccessibleNames&) = delete;
    AccessibleNames& operator=(const AccessibleNames&) = delete;

    // Names `control` and describes it; an empty string leaves that property as it was.
    void annotate(HWND control, const std::wstring& name, const std::wstring& description);
    // Takes the annotations back (before the controls go).
    void clear();

  private:
    IAccPropServices* services_ = nullptr;
    std::vector<HWND> annotated_;
};

}  // namespace tarrowen
