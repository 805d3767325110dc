// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QWidget>

#include "core/platform/error_report.h"

namespace tarrowen {

// A warning box over the window; the program goes on once the user has read it.
class MessageBoxReport final : public ErrorReport {
  public:
    explicit MessageBoxReport(QWidget* parent) : parent_(parent) {}
    void report(const std::string& message) override;

  private:
    QWidget* parent_;
};

}  // namespace tarrowen
