// Drawing without a display. Fails, never skips, when no context can be made.
#include "render/SurfacelessGlContext.h"

#include <GL/gl.h>

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(OffscreenDrawing, ATriangleDrawnIntoAnOffscreenPictureReadsBackTopRowFirst) {
    SurfacelessGlContext context;
    OffscreenFramebuffer target(8, 6, context.procLookup());
    glViewport(0, 0, 8, 6);
    glClearColor(0.0f, 0.0f, 1.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glColor3f(1.0f, 0.0f, 0.0f);
    glBegin(GL_QUADS);  // the upper half of the picture
    glVertex2f(-1, 0);
    glVertex2f(1, 0);
    glVertex2f(1, 1);
    glVertex2f(-1, 1);
    glEnd();
    glFinish();
    const Bitmap picture = target.read();
    ASSERT_EQ(picture.width, 8);
    ASSERT_EQ(picture.height, 6);
    EXPECT_EQ(picture.at(4, 0).r, 255) << "the top row is red";
    EXPECT_EQ(picture.at(4, 5).b, 255) << "the bottom row shows the background";
    EXPECT_EQ(picture.at(4, 5).r, 0);
}

}  // namespace
}  // namespace corvane
