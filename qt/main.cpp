// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>

#include "qt/qt_timer.h"
#include "qt/tarrowen_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarrowen"));
    // Names the desktop entry, and so the icon and the name that a Wayland desktop shows.
    QApplication::setDesktopFileName(QStringLiteral(TARROWEN_APP_ID));
    tarrowen::use_precise_timer_slack();
    tarrowen::Tarrowen window;
    window.show();
    const int status = QApplication::exec();
    tarrowen::report_tick_stats_if_asked(window.qt_timer().tick_stats());
    return status;
}
