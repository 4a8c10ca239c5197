#include "ui/main_window.hpp"

#include <QtTest/qtestspontaneevent.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QWindow>

#include "app/app.hpp"
#include "fakes/program_folder.hpp"
#include "fakes/temp_folder.hpp"
#include "platform/qt_platform.hpp"
#include "ui/picture_area.hpp"

namespace {

// A program started from a temporary program folder, with its real Qt window;
// message boxes are recorded, never shown.
struct StartedWindow : ::testing::Test {
    class FolderPlatform : public QtPlatform {
      public:
        explicit FolderPlatform(std::string folder) : folder_(std::move(folder)) {}
        std::string program_folder() override { return folder_; }
        void message_box(const std::string& text) override { messages.push_back(text); }
        std::vector<std::string> messages;

      private:
        std::string folder_;
    };

    StartedWindow() : platform(folder.path()), app(platform), window(app) {
        eew::test::write_program_files(folder);
        platform.attach(&window);
    }

    bool start() {
        const bool loaded = !app.Form_Load().has_value();
        window.render();
        return loaded;
    }

    template <typename W>
    W* find(const char* name) {
        return window.findChild<W*>(name);
    }

    eew::test::TempFolder folder;
    FolderPlatform platform;
    eew::App app;
    MainWindow window;
};

TEST_F(StartedWindow, EveryControlCarriesItsNameAndCaption) {
    ASSERT_TRUE(start());
    const std::pair<const char*, const char*> buttons[] = {
        {"Command1", "start"},     {"Command2", "stop"},  {"Command3", "quit"},
        {"Command4", "set"},       {"Command5", "mapON"}, {"Command6", "mapOFF"},
        {"Command7", "stop play"}, {"Command8", "replay"}};
    for (auto [name, caption] : buttons) {
        auto* b = find<QPushButton>(name);
        ASSERT_NE(b, nullptr) << name;
        EXPECT_EQ(b->text(), caption);
    }
    EXPECT_EQ(find<QCheckBox>("Check1")->text(), "PopUP");
    EXPECT_EQ(find<QCheckBox>("Check2")->text(), "LIVO PopUP");
    for (const char* box : {"Text1", "Text2", "Text3", "Text4", "Label19"})
        EXPECT_NE(find<QWidget>(box), nullptr) << box;
}

TEST_F(StartedWindow, TheCloseBoxIsRefusedButTheProgramMayClose) {
    window.show();
    // What the window system delivers when the user clicks the close box.
    QCloseEvent from_window_system;
    QSpontaneKeyEvent::setSpontaneous(&from_window_system);
    static_cast<QObject*>(window.windowHandle())->event(&from_window_system);
    EXPECT_TRUE(window.isVisible());
    window.close();
    EXPECT_FALSE(window.isVisible());
}

// Automatic start presses "start" and then "mapON": the map shows even when
// reception cannot start (port 0) and the map image is missing.
TEST_F(StartedWindow, AutomaticStartShowsTheMainMapForTheSelectedSite) {
    folder.write("data/tavi.config", "0" + eew::test::sample_config(2, 1).substr(4));
    ASSERT_TRUE(start());
    EXPECT_EQ(platform.messages.size(), 2u);
    EXPECT_FALSE(find<QPushButton>("Command5")->isEnabled());
    EXPECT_TRUE(find<QPushButton>("Command6")->isEnabled());
    EXPECT_GT(window.width(), 425);
    const auto& site = app.state().site;
    EXPECT_EQ(std::tuple(site.longitude_site, site.latitude_site, site.ampfac),
              std::tuple(135.5, 34.7, 1.2));  // Osaka
}

TEST_F(StartedWindow, MainMapIsA425By457PictureOnPaleGreen) {
    ASSERT_TRUE(start());
    auto* map = find<PictureArea>("Picture1");
    ASSERT_NE(map, nullptr);
    EXPECT_EQ(map->size(), QSize(425, 457));
    EXPECT_EQ(map->rendered().pixelColor(200, 200), QColor(192, 255, 192));
    map->square(10, 10, 20, 20, eew::Colour::palette(12), 1, true);
    EXPECT_EQ(map->rendered().pixelColor(15, 15), QColor(255, 0, 0));
    map->clear();
    EXPECT_EQ(map->rendered().pixelColor(15, 15), QColor(192, 255, 192));
}

TEST_F(StartedWindow, ViewValuesReachTheWidgets) {
    ASSERT_TRUE(start());
    auto& v = app.state().main_view;
    v.Text4 = {"地震 noise", eew::kRed};
    v.Command8.enabled = false;
    window.render();
    EXPECT_FALSE(find<QPushButton>("Command8")->isEnabled());
    EXPECT_EQ(find<QWidget>("Text4")->property("plainText").toString(), "地震 noise");
    EXPECT_EQ(find<QWidget>("Text4")->palette().color(QPalette::Base), QColor(255, 0, 0));
}

TEST_F(StartedWindow, ANoticeShowsOnYellowUnderTheLastMessageOnlyWhileThereIsOne) {
    auto& v = app.state().main_view;
    auto* notice = find<QWidget>("notice");
    auto* text4 = find<QWidget>("Text4");
    ASSERT_NE(notice, nullptr);
    EXPECT_TRUE(notice->isHidden());
    const int full_height = text4->height();
    v.notice = "2024/04/01 09:00:06  The file \"/x/log/a\" could not be created.";
    window.render();
    EXPECT_FALSE(notice->isHidden());
    EXPECT_EQ(notice->property("plainText").toString().toStdString(), v.notice);
    EXPECT_EQ(notice->palette().color(QPalette::Base), QColor(255, 255, 0));
    EXPECT_LE(text4->geometry().bottom(), notice->geometry().top());
    v.notice.clear();
    window.render();
    EXPECT_TRUE(notice->isHidden());
    EXPECT_EQ(text4->height(), full_height);
}

// Datagrams render at once when they come one by one, and a flood of them
// leaves the last value shown once it is over.
TEST_F(StartedWindow, RenderSoonShowsALoneValueAtOnceAndTheLastOfAFlood) {
    auto& v = app.state().main_view;
    auto* box = find<QWidget>("Text4");
    v.Text4.text = "first";
    window.render_soon();
    EXPECT_EQ(box->property("plainText").toString(), "first");
    for (int i = 0; i < 100; ++i) {
        v.Text4.text = "report " + std::to_string(i);
        window.render_soon();
    }
    EXPECT_EQ(box->property("plainText").toString(), "first");
    QElapsedTimer waited;
    waited.start();
    while (box->property("plainText").toString() != "report 99" && waited.elapsed() < 2000)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(box->property("plainText").toString(), "report 99");
}

}  // namespace
