#include "render/ui/Tf3DUIGL.h"

#include "platform/LanguageModule.h"
#include "platform/StyledMessageDlg.h"
#include "render/PreviewScene.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QTimer>
#include <QGuiApplication>
#include <QMimeData>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QScreen>
#include <QUrl>

#include <utility>

#include <GL/gl.h>

namespace corvane {

namespace {

int switchNumber(const std::optional<std::string>& value, int otherwise) {
    if (!value) return otherwise;
    try {
        return std::stoi(*value);
    } catch (const std::exception&) {
        return otherwise;
    }
}

}  // namespace

QSurfaceFormat Tf3DUIGL::FormatFor(int colorBits, int depthBits) {
    QSurfaceFormat format = QSurfaceFormat::defaultFormat();
    const int perChannel = colorBits >= 24 ? 8 : colorBits >= 16 ? 5 : 4;
    format.setRedBufferSize(perChannel);
    format.setGreenBufferSize(colorBits == 16 ? 6 : perChannel);
    format.setBlueBufferSize(perChannel);
    format.setDepthBufferSize(depthBits);
    format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
    return format;
}

namespace {

PointerState pointerOf(const QMouseEvent* event) {
    const auto buttons = event->buttons();
    const auto keys = event->modifiers();
    return {buttons.testFlag(Qt::LeftButton),     buttons.testFlag(Qt::RightButton),
            buttons.testFlag(Qt::MiddleButton),   keys.testFlag(Qt::ControlModifier),
            keys.testFlag(Qt::ShiftModifier),     keys.testFlag(Qt::AltModifier)};
}

}  // namespace

TWireFrameCheckBox::TWireFrameCheckBox(QWidget* parent) : QCheckBox(parent) {
    setTristate(true);
}

void TWireFrameCheckBox::nextCheckState() {
    switch (checkState()) {
        case Qt::Unchecked: setCheckState(Qt::Checked); break;
        case Qt::Checked: setCheckState(Qt::PartiallyChecked); break;
        case Qt::PartiallyChecked: setCheckState(Qt::Unchecked); break;
    }
}

Tf3DUIGL::Tf3DUIGL(QWidget* panel, std::uint32_t previewColor, const CommandLineSwitches& switches, Dialogs& dialogs)
    : QOpenGLWidget(panel), dialogs_(dialogs), previewColor_(previewColor), openGlChecks_(switches.openGlChecks) {
    setObjectName("f3DUIGL");
    const QScreen* screen = QGuiApplication::primaryScreen();
    ColorBits = switchNumber(switches.colorBits, screen != nullptr ? screen->depth() : 24);
    DepthBits = switchNumber(switches.depthBits, 32);
    setFormat(FormatFor(ColorBits, DepthBits));
    setGeometry(0, 0, panel->width(), panel->height());
    setCursor(Qt::CrossCursor);
    setAcceptDrops(true);
    setMouseTracking(true);  // every move repaints, with or without a button
    ckWireFrame = new TWireFrameCheckBox(this);
    ckWireFrame->setObjectName("ckWireFrame");
    ckWireFrame->setStyleSheet("color: white; background: transparent;");
    ckWireFrame->move(4, 2);
    connect(ckWireFrame, &QCheckBox::stateChanged, this, [this] { update(); });
}

bool Tf3DUIGL::OpenGlAvailable() {
    QOpenGLContext probe;
    return probe.create();
}

std::string Tf3DUIGL::DriverKind(const std::string& renderer) {
    const bool software = renderer.find("llvmpipe") != std::string::npos ||
                          renderer.find("softpipe") != std::string::npos ||
                          renderer.find("Software Rasterizer") != std::string::npos ||
                          renderer.find("swrast") != std::string::npos;
    return software ? "OpenGL is using a software driver" : "OpenGL is using an installable client driver";
}

void Tf3DUIGL::withContext(const std::function<void()>& work) {
    if (failed_ || context() == nullptr) return;
    makeCurrent();
    work();
    doneCurrent();
}

void Tf3DUIGL::showEvent(QShowEvent* event) {
    QOpenGLWidget::showEvent(event);
    if (!isValid() && !failed_) {
        failed_ = true;
        hide();
        StyledMessageDlg(dialogs_, LangStr(5022), LangStr(7170), MsgKind::Warning, 0, mrOk, mbOK);
    }
}

void Tf3DUIGL::initializeGL() {
    SetPreviewGlState(previewColor_);
    if (openGlChecks_ == 0) return;
    const auto* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    const std::string driver = DriverKind(renderer != nullptr ? renderer : "");
    // Told once the window is made, never from here: a message's event loop
    // would paint the window before Qt has given it its framebuffer, and
    // leave another context current for the rest of its set-up.
    const int checks = std::exchange(openGlChecks_, 0);
    QMetaObject::invokeMethod(
        this,
        [this, driver, checks] {
            for (int i = 0; i < checks; ++i) {
                StyledMessageDlg(dialogs_, LangStr(5022), driver, MsgKind::None, 0, mrOk, mbOK);
            }
        },
        Qt::QueuedConnection);
}

void Tf3DUIGL::resizeGL(int width, int height) {
    SetPreviewProjection(width, height);
}

void Tf3DUIGL::applyWireFrame() {
    switch (ckWireFrame->checkState()) {
        case Qt::Unchecked:
            glEnable(GL_TEXTURE_2D);
            glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
            break;
        case Qt::Checked: glDisable(GL_TEXTURE_2D); break;
        case Qt::PartiallyChecked:
            glDisable(GL_TEXTURE_2D);
            glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
            break;
    }
}

void Tf3DUIGL::paintGL() {
    ckWireFrame->setText(QString::fromStdString(LangStr(5062)));
    ckWireFrame->adjustSize();
    if (!drawModels_ || !isVisible()) return;
    applyWireFrame();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    PlacePreviewCamera(view_);
    drawModels_();
}

void Tf3DUIGL::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton) view_.leftButtonDown(at.x(), at.y());
    if (event->button() == Qt::RightButton) view_.rightButtonDown(at.y());
}

void Tf3DUIGL::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    view_.mouseMove(at.x(), at.y(), pointerOf(event));
    update();
}

void Tf3DUIGL::mouseReleaseEvent(QMouseEvent*) {
    view_.buttonUp();
}

void Tf3DUIGL::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void Tf3DUIGL::dropEvent(QDropEvent* event) {
    const auto urls = event->mimeData()->urls();
    if (!urls.isEmpty() && urls.front().isLocalFile() && dropped_) {
        event->acceptProposedAction();
        // Handled once the drop is over: its questions must not keep the file manager waiting.
        const std::string file = urls.front().toLocalFile().toStdString();
        QTimer::singleShot(0, this, [this, file] {
            if (dropped_) dropped_(file);
        });
    }
}

}  // namespace corvane
