#include <gtest/gtest.h>

#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>

#include "app/paths.hpp"
#include "platform/qt_platform.hpp"

namespace {

// Runs on machines with and without an audio device: each request returns at
// once, whatever the file, and nothing ever asks the user about a sound.
TEST(PlaySound, RequestsInARowAMissingFileAndStopLeaveNoDialog) {
    const eew::Paths paths = eew::build_paths(EEW_SHIPPED_PROGRAM_FOLDER);
    QtPlatform platform;
    for (const std::string& file :
         {paths.file_sound_si[4], paths.file_sound_si[5], paths.file_sound_si[5],
          std::string("/nonexistent/SI7_.wav"), std::string(), paths.file_sound}) {
        platform.play_sound(file);
        QEventLoop loop;
        QTimer::singleShot(100, &loop, &QEventLoop::quit);
        loop.exec();
    }
    for (const QWidget* w : QApplication::topLevelWidgets())
        EXPECT_FALSE(w->isVisible());
}

}  // namespace
