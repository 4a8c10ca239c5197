#include "ui/settings_window.hpp"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "app/app.hpp"
#include "fakes/program_folder.hpp"
#include "fakes/temp_folder.hpp"
#include "platform/qt_platform.hpp"

namespace {

class FolderPlatform : public QtPlatform {
  public:
    explicit FolderPlatform(std::string folder) : folder_(std::move(folder)) {}
    std::string program_folder() override { return folder_; }

  private:
    std::string folder_;
};

QWidget* settings_window() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == "setform" && w->isVisible()) return w;
    }
    return nullptr;
}

void type(QWidget* box, const QString& text) {
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(box, &press);
    }
}

TEST(SettingsWindow, OpensFromSetWithItsNamedControlsAndTakesTheUsersEdits) {
    eew::test::TempFolder folder;
    eew::test::write_program_files(folder);
    FolderPlatform platform(folder.path());
    eew::App app(platform);
    ASSERT_FALSE(app.Form_Load());
    platform.attach_setform(app.state().setform_view, [&] { app.setform_Command1_Click(); });
    app.Command4_Click();
    platform.render_event_windows();

    QWidget* dialog = settings_window();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), "setting");
    for (int i = 1; i <= 17; ++i)
        EXPECT_NE(dialog->findChild<QLineEdit*>(QString("Text%1").arg(i)), nullptr) << i;
    for (int i = 1; i <= 3; ++i) {
        EXPECT_NE(dialog->findChild<QRadioButton*>(QString("Option%1").arg(i)), nullptr) << i;
        EXPECT_NE(dialog->findChild<QCheckBox*>(QString("Check%1").arg(i)), nullptr) << i;
    }
    auto* port = dialog->findChild<QLineEdit*>("Text2");
    EXPECT_EQ(port->text(), "9000");
    EXPECT_TRUE(dialog->findChild<QRadioButton*>("Option1")->isChecked());

    port->selectAll();
    type(port, "7001");
    dialog->findChild<QRadioButton*>("Option2")->click();
    dialog->findChild<QCheckBox*>("Check1")->click();
    const eew::SetformView& v = app.state().setform_view;
    EXPECT_EQ(v.Text2, "7001");
    EXPECT_TRUE(v.Option2);
    EXPECT_FALSE(v.Option1);
    EXPECT_TRUE(v.Check1);
    // "set" again brings the dialog forward as it stands.
    app.Command4_Click();
    platform.render_event_windows();
    EXPECT_EQ(port->text(), "7001");

    auto* command1 = dialog->findChild<QPushButton*>("Command1");
    ASSERT_NE(command1, nullptr);
    EXPECT_EQ(command1->text(), "set and close");
    command1->click();
    EXPECT_EQ(settings_window(), nullptr);
    EXPECT_EQ(platform.window_state(eew::WindowId::setform), eew::WindowState::not_created);
    EXPECT_EQ(app.state().settings.localhost_port, 7001);
    EXPECT_EQ(app.state().site.sitename, "大阪");
    EXPECT_EQ(folder.read("data/tavi.config").substr(0, 6), "7001\r\n");
}

}  // namespace
