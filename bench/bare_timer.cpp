// SPDX-License-Identifier: GPL-3.0-or-later
// The floor under the program's CPU while it runs: a shown, empty window of the program's size
// with the program's own periodic timer ticking every millisecond (same timer slack) and doing
// nothing. A thousand wake-ups a second cost this much whatever a tick does.
//
//   bare_timer SECONDS   quits after SECONDS and reports on stderr
//                        "bare_timer: N ticks in S s (R per second)"
#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>

#include "qt/qt_timer.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const double seconds = argc > 1 ? std::atof(argv[1]) : 10.0;
    tarrowen::use_precise_timer_slack();
    QWidget window;
    window.setWindowTitle(QStringLiteral("bare timer"));
    window.resize(739, 560);  // the program's window, in logical pixels
    window.show();
    tarrowen::QtPeriodicTimer timer([] {});
    timer.set_interval(1);
    timer.set_enabled(true);
    QTimer::singleShot(static_cast<int>(seconds * 1000), &app, &QApplication::quit);
    const int status = QApplication::exec();
    std::fputs((timer.tick_stats().line("bare_timer") + "\n").c_str(), stderr);
    return status;
}
