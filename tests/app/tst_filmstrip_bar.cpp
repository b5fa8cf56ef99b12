// The filmstrip bar: its cells, frames, captions and layout on every side of the main window.
#include "filmstrip_bar.h"

#include <QMainWindow>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QImage Solid(QColor colour) {
    QImage image(100, 75, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

QImage Picture(QWidget* w) {
    return w->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

TEST(FilmStripBar, ShowsFramesInDarkBordersWithTheirBlockNumbers) {
    QMainWindow frame;
    auto* bar = new CFilmStripBar(&frame);
    ASSERT_TRUE(bar->Create("FilmStrip", 10, 100, 75));
    frame.addDockWidget(Qt::TopDockWidgetArea, bar);
    frame.show();
    EXPECT_EQ(bar->GetFrameCount(), 10);
    EXPECT_EQ(bar->Cells()->size(), QSize(1008, 83));

    // A new strip shows only the button face.
    const QColor face = bar->Cells()->palette().color(QPalette::Button);
    const QImage blank = Picture(bar->Cells());
    for (int x = 0; x < blank.width(); x += 37) {
        ASSERT_EQ(blank.pixelColor(x, 40), face) << x;
    }

    bar->SetFrame(3, Solid(Qt::red), 42);
    bar->SetFrame(10, Solid(Qt::green), 7); // out of range: nothing
    bar->SetFrame(-1, Solid(Qt::green), 7);
    EXPECT_EQ(bar->Caption(3), "0042");
    EXPECT_TRUE(bar->Caption(4).isEmpty());
    const QImage shown = Picture(bar->Cells());
    const QColor dark = bar->Cells()->palette().color(QPalette::WindowText);
    const int left = 4 + 3 * 100;
    EXPECT_EQ(shown.pixelColor(left, 4 + 30), dark);     // the frame
    EXPECT_EQ(shown.pixelColor(left + 1, 4 + 30), dark); // two pixels wide
    EXPECT_EQ(shown.pixelColor(left + 2, 4 + 30), QColor(Qt::red));
    EXPECT_EQ(shown.pixelColor(left + 50, 4 + 10), QColor(Qt::red));
    EXPECT_EQ(shown.pixelColor(4 + 2 * 100 + 50, 4 + 10), face); // cell 2 stays blank
    // The caption sits on a button-face box at the bottom centre.
    EXPECT_EQ(shown.pixelColor(left + 50, 4 + 73), face);
    EXPECT_EQ(shown.pixelColor(left + 3, 4 + 71), QColor(Qt::red));

    bar->SetFrame(0, Solid(Qt::blue), 12345);
    EXPECT_EQ(bar->Caption(0), "12345"); // padded, never cut
    bar->ClearFrames();
    EXPECT_FALSE(bar->HasFrame(0));
    EXPECT_FALSE(bar->HasFrame(3));
}

TEST(FilmStripBar, ColumnWhenDockedLeftOrRight) {
    QMainWindow frame;
    auto* bar = new CFilmStripBar(&frame);
    bar->Create("FilmStrip", 10, 100, 75);
    frame.addDockWidget(Qt::TopDockWidgetArea, bar);
    frame.show();
    EXPECT_TRUE(bar->IsHorizontal());
    for (Qt::DockWidgetArea area : {Qt::LeftDockWidgetArea, Qt::RightDockWidgetArea}) {
        frame.addDockWidget(area, bar);
        EXPECT_FALSE(bar->IsHorizontal());
        EXPECT_EQ(bar->Cells()->size(), QSize(108, 758));
    }
    bar->SetFrame(1, Solid(Qt::red), 2);
    const QImage column = Picture(bar->Cells());
    EXPECT_EQ(column.pixelColor(4 + 50, 4 + 75 + 20), QColor(Qt::red)); // stacked downwards
    frame.addDockWidget(Qt::BottomDockWidgetArea, bar);
    EXPECT_TRUE(bar->IsHorizontal());
    EXPECT_EQ(bar->CalcFixedLayout(true), QSize(1008, 83));
    EXPECT_EQ(bar->CalcFixedLayout(false), QSize(108, 758));
}

} // namespace
