#include "desktop/qt_platform.hpp"

#include <QCoreApplication>

void QtPlatform::end_program(int exit_code) {
    QMetaObject::invokeMethod(
        qApp, [exit_code] { QCoreApplication::exit(exit_code); }, Qt::QueuedConnection);
}
