// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/qt_error_report.h"

#include <QMessageBox>

namespace tarrowen {

void MessageBoxReport::report(const std::string& message) {
    QMessageBox::warning(parent_, QStringLiteral("Tarrowen"), QString::fromStdString(message));
}

}  // namespace tarrowen
