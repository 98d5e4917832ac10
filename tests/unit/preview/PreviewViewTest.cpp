#include "render/PreviewView.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(PreviewView, ZoomStopsAtItsNearestAndFarthest) {
    PreviewView down;
    down.rightButtonDown(0);
    down.mouseMove(0, 1000, {.right = true});
    EXPECT_FLOAT_EQ(down.ViewDistance, -290.0f) << "a fifth of the movement";
    down.mouseMove(0, 2000, {.right = true});
    EXPECT_FLOAT_EQ(down.ViewDistance, -490.0f);
    PreviewView up;
    up.rightButtonDown(1000);
    up.mouseMove(0, 0, {.right = true});
    EXPECT_FLOAT_EQ(up.ViewDistance, -25.0f);
    up.mouseMove(0, 10, {.right = true});
    EXPECT_FLOAT_EQ(up.ViewDistance, -27.0f) << "the zoom follows from the last position, not from the clamp";
}

TEST(PreviewView, TurningPanningAndZoomingWithControl) {
    PreviewView view;
    view.leftButtonDown(10, 10);
    view.mouseMove(110, 10, {.left = true});
    EXPECT_FLOAT_EQ(view.ViewAngleY, -220.0f) << "100 pixels to the right turn by 50 degrees";
    view.mouseMove(110, -400, {.left = true});
    EXPECT_FLOAT_EQ(view.ViewAngleZ, -360.0f) << "never below -360";
    view.mouseMove(110, 600, {.left = true});
    EXPECT_FLOAT_EQ(view.ViewAngleZ, 140.0f) << "and no upper bound";

    view.mouseMove(150, 620, {.left = true, .control = true});
    EXPECT_FLOAT_EQ(view.ViewPanX, 10.0f);
    EXPECT_FLOAT_EQ(view.ViewPanY, -2.0f);
    view.mouseMove(190, 620, {.left = true, .control = true, .shift = true});
    EXPECT_FLOAT_EQ(view.ViewPanX, 10.0f) << "Control and Shift together turn instead";
    EXPECT_FLOAT_EQ(view.ViewAngleY, -200.0f);

    PreviewView zoom;
    zoom.rightButtonDown(0);
    zoom.mouseMove(0, 50, {.right = true, .control = true});
    EXPECT_FLOAT_EQ(zoom.ViewDistance, -100.0f) << "Control with the right button still zooms";
    zoom.buttonUp();
    zoom.mouseMove(0, 500, {});
    EXPECT_FLOAT_EQ(zoom.ViewDistance, -100.0f) << "a move without a drag changes nothing";
}

}  // namespace
}  // namespace corvane
