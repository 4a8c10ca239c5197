#include "ui/picture_area.hpp"

#include <gtest/gtest.h>

#include <QImage>
#include <string>

#include "fakes/temp_folder.hpp"

namespace {

const QColor kPlain(192, 255, 192);
const QColor kRed(255, 0, 0);
const QColor kBlack(0, 0, 0);
const QColor kGrey(100, 110, 120);

struct PictureAreaTest : ::testing::Test {
    QColor at(int x, int y) const { return picture.rendered().pixelColor(x, y); }

    // A readable 40 x 30 background bitmap of one colour.
    std::string grey_bitmap() const {
        QImage image(40, 30, QImage::Format_RGB32);
        image.fill(kGrey);
        const std::string path = folder.path() + "/grey.bmp";
        image.save(QString::fromStdString(path), "BMP");
        return path;
    }

    eew::test::TempFolder folder;
    PictureArea picture{"Picture1", QSize(40, 30), kPlain};
};

TEST_F(PictureAreaTest, SiteMarkFillsTheSevenBySevenPixelsAroundItsPoint) {
    // Every point in [20, 21) x [15, 16) belongs to pixel (20, 15).
    for (const float f : {0.0f, 0.2f, 0.5f, 0.7f, 0.99f}) {
        picture.clear();
        const float x = 20 + f, y = 15 + f;
        picture.square(x - 3, y - 3, x + 3, y + 3, eew::Colour::palette(12), 1, true);
        for (int py = 10; py <= 20; ++py) {
            for (int px = 15; px <= 25; ++px) {
                const bool inside = px >= 17 && px <= 23 && py >= 12 && py <= 18;
                EXPECT_EQ(at(px, py), inside ? kRed : kPlain) << f << ": " << px << "," << py;
            }
        }
    }
}

TEST_F(PictureAreaTest, DiscIsCentredOnItsPixelInUnblendedColours) {
    picture.filled_circle(20.5f, 15.9f, 5, eew::Colour::palette(12), eew::Colour::palette(0), 1);
    EXPECT_EQ(at(20, 15), kRed);
    for (int d = 1; d <= 8; ++d) {
        EXPECT_EQ(at(20 - d, 15), at(20 + d, 15)) << d;
        EXPECT_EQ(at(20, 15 - d), at(20, 15 + d)) << d;
    }
    EXPECT_EQ(at(25, 15), kBlack);
    EXPECT_EQ(at(27, 15), kPlain);
    const QImage shown = picture.rendered();
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            const QColor c = shown.pixelColor(x, y);
            ASSERT_TRUE(c == kRed || c == kBlack || c == kPlain) << x << "," << y;
        }
    }
}

TEST_F(PictureAreaTest, ClearRemovesTheDrawingAndKeepsTheBitmap) {
    ASSERT_TRUE(picture.load_background(grey_bitmap()));
    picture.square(0, 0, 39, 29, eew::Colour::palette(12), 1, true);
    picture.clear();
    EXPECT_EQ(at(0, 0), kGrey);
    EXPECT_EQ(at(20, 15), kGrey);
    picture.remove_background();
    EXPECT_EQ(at(20, 15), kPlain);
}

TEST_F(PictureAreaTest, UnreadableImageLeavesThePlainBackground) {
    folder.write("broken.bmp", "BM not really a bitmap");
    for (const std::string name : {"broken.bmp", "missing.bmp"}) {
        ASSERT_TRUE(picture.load_background(grey_bitmap()));
        EXPECT_FALSE(picture.load_background(folder.path() + "/" + name)) << name;
        EXPECT_EQ(at(20, 15), kPlain) << name;
    }
}

}  // namespace
