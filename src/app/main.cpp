// The entry block of the editor.

#include "app/LanguageSetup.h"
#include "app/ui/TfrmMain.h"
#include "platform/AppFolder.h"

#include <QApplication>
#include <QSurfaceFormat>

int main(int argc, char** argv) {
    // The preview draws with fixed-function OpenGL: ask for a compatibility
    // context before the application object exists.
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setVersion(2, 1);
    format.setDepthBufferSize(24);
    QSurfaceFormat::setDefaultFormat(format);

    QApplication app(argc, argv);
    QApplication::setApplicationName("Corvane 3D");
    corvane::InstallLanguage(corvane::ProgramDataFolder(corvane::CurrentExecutable(), "lang"), "usen");

    corvane::TfrmMain window;
    window.show();
    return QApplication::exec();
}
