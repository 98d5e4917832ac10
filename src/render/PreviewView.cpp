#include "render/PreviewView.h"

#include <algorithm>

namespace corvane {

namespace {

// Panning needs exactly Control and the left button, nothing else.
bool panning(const PointerState& s) {
    return s.control && s.left && !s.right && !s.middle && !s.shift && !s.alt;
}

}  // namespace

void PreviewView::leftButtonDown(int x, int y) {
    DragMode = Drag::Turn;
    LastMouseX = x;
    LastMouseY = y;
}

void PreviewView::rightButtonDown(int y) {
    DragMode = Drag::Zoom;
    LastZoomY = y;
}

void PreviewView::mouseMove(int x, int y, const PointerState& state) {
    if (panning(state) && DragMode == Drag::Turn) {
        ViewPanY -= static_cast<float>(y - LastMouseY) / 4.0f;
        ViewPanX += static_cast<float>(x - LastMouseX) / 4.0f;
        LastMouseX = x;
        LastMouseY = y;
        return;
    }
    if (DragMode == Drag::Turn) {
        ViewAngleY += static_cast<float>(x - LastMouseX) / 2.0f;
        ViewAngleZ += static_cast<float>(y - LastMouseY) / 2.0f;
        LastMouseX = x;
        LastMouseY = y;
        ViewAngleZ = std::max(ViewAngleZ, kLowestAngleZ);
    } else if (DragMode == Drag::Zoom) {
        ViewDistance -= static_cast<float>(y - LastZoomY) / 5.0f;
        ViewDistance = std::clamp(ViewDistance, kFarthest, kNearest);
        LastZoomY = y;
    }
}

}  // namespace corvane
