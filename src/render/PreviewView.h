#pragma once

namespace corvane {

// Which mouse buttons and keys are held while the pointer moves.
struct PointerState {
    bool left = false;
    bool right = false;
    bool middle = false;
    bool control = false;
    bool shift = false;
    bool alt = false;
};

// How the user looks at the character in the preview: turned by a left
// drag, panned by a left drag with Control, zoomed by a right drag. The view
// stays as it is across characters and pages.
class PreviewView {
public:
    static constexpr float kNearest = -25.0f;
    static constexpr float kFarthest = -490.0f;
    static constexpr float kLowestAngleZ = -360.0f;

    float ViewPanX = 0.0f;
    float ViewPanY = 3.0f;
    float ViewDistance = -90.0f;
    float ViewAngleY = -270.0f;
    float ViewAngleZ = -260.0f;

    enum class Drag { None = 0, Turn = 1, Zoom = 2 };
    Drag DragMode = Drag::None;
    int LastMouseX = 0;
    int LastMouseY = 0;
    int LastZoomY = 0;

    void leftButtonDown(int x, int y);
    void rightButtonDown(int y);
    // Every move redraws the preview, with or without a button held.
    void mouseMove(int x, int y, const PointerState& state);
    void buttonUp() { DragMode = Drag::None; }
};

}  // namespace corvane
