// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <cstdio>

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
    // For measuring: TARROWEN_TICK_STATS=1 reports the tick rate on the way out.
    if (qEnvironmentVariableIsSet("TARROWEN_TICK_STATS")) {
        const auto& timer = window.qt_timer();
        const double s = timer.seconds_ticking();
        std::fprintf(stderr, "tarrowen: %lld ticks in %.3f s (%.1f per second)\n",
                     timer.ticks_delivered(), s, s > 0 ? (timer.ticks_delivered() - 1) / s : 0.0);
    }
    return status;
}
