#include <QApplication>

#include "app/tarrowen_window.h"
#include "platform/qt_timer.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarrowen"));
    QApplication::setDesktopFileName(QStringLiteral("tarrowen"));
    tarrowen::use_precise_timer_slack();
    tarrowen::Tarrowen window;
    window.show();
    return QApplication::exec();
}
