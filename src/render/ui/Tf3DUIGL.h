#pragma once

#include "app/CommandLineSwitches.h"
#include "platform/Dialogs.h"
#include "render/PreviewView.h"

#include <QCheckBox>
#include <QOpenGLWidget>

#include <cstdint>
#include <functional>
#include <string>

namespace corvane {

// The wire-frame box cycles unchecked (textured), checked (untextured),
// grayed (wire frame, untextured).
class TWireFrameCheckBox : public QCheckBox {
public:
    explicit TWireFrameCheckBox(QWidget* parent);

protected:
    void nextCheckState() override;
};

// The 3D preview: fills the main window's preview panel and draws the
// dressed character, which the user turns (left drag), pans (Control and
// left drag) and zooms (right drag).
class Tf3DUIGL : public QOpenGLWidget {
    Q_OBJECT

public:
    Tf3DUIGL(QWidget* panel, std::uint32_t previewColor, const CommandLineSwitches& switches, Dialogs& dialogs);

    // Draws the models in the current context, already placed by the view.
    void setScene(std::function<void()> drawModels) { drawModels_ = std::move(drawModels); }
    // Runs with this window's context current, e.g. to load models' textures.
    void withContext(const std::function<void()>& work);
    // A file dropped on the preview; only some pages take it.
    void setDropHandler(std::function<void(const std::string&)> handler) { dropped_ = std::move(handler); }

    PreviewView& view() { return view_; }
    // The preview could not get an OpenGL context; the editor runs on without it.
    bool failed() const { return failed_; }
    int ColorBits = 24;
    int DepthBits = 32;
    TWireFrameCheckBox* ckWireFrame = nullptr;

    // The pixel format asked for: colour and depth bits, double-buffered.
    static QSurfaceFormat FormatFor(int colorBits, int depthBits);
    // Whether this display can give the preview an OpenGL context at all. A
    // preview window must not be made without one: Qt cannot draw its window.
    static bool OpenGlAvailable();
    // What the driver is, from the context's own words: a software rasteriser or hardware.
    static std::string DriverKind(const std::string& renderer);

protected:
    void initializeGL() override;
    void resizeGL(int width, int height) override;
    void paintGL() override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void applyWireFrame();

    Dialogs& dialogs_;
    std::uint32_t previewColor_;
    int openGlChecks_;
    PreviewView view_;
    std::function<void()> drawModels_;
    std::function<void(const std::string&)> dropped_;
    bool failed_ = false;
};

}  // namespace corvane
