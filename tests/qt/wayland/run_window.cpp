// SPDX-License-Identifier: GPL-3.0-or-later
// The window with the real clock and the real timer, set running as a user would, by a click
// on "Run Simulation", and left to run. For looking at the compositor's screen while the
// motion runs, where a script cannot send input of its own (headless weston takes none).
//
//   run_window MILLISECONDS
//
// Prints "running" once the click is done, and ends after MILLISECONDS.
#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cstdio>

#include "qt/tarrowen_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int ms = argc > 1 ? QByteArray(argv[1]).toInt() : 3000;
    tarrowen::Tarrowen window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        std::fprintf(stderr, "the window was never exposed\n");
        return 1;
    }
    auto* run = window.findChild<QPushButton*>(QStringLiteral("runSImulation"));
    if (run == nullptr) return 1;
    QTest::mouseClick(run, Qt::LeftButton);
    std::printf("running\n");
    std::fflush(stdout);
    QTimer::singleShot(ms, &app, &QCoreApplication::quit);
    return QApplication::exec();
}
