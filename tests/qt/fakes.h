// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A clock the test sets by hand, and a report that keeps what it was told.
#include <QStringList>
#include <string>

#include "core/platform/error_report.h"
#include "core/platform/hand_clock.h"

namespace tarrowen::testing {

class FakeReport final : public ErrorReport {
  public:
    void report(const std::string& message) override {
        messages.append(QString::fromStdString(message));
    }
    QStringList messages;
};

}  // namespace tarrowen::testing
