// The entry block of the editor.

#include "app/CommandLineSwitches.h"
#include "app/ui/Artwork.h"
#include "app/ui/GuardedApplication.h"
#include "app/ui/ReportFailure.h"
#include "app/ui/TfrmLanguage.h"
#include "app/ui/TfrmMain.h"
#include "demo/DemoInstallation.h"
#include "platform/AppFolder.h"
#include "platform/Registry.h"
#include "platform/ui/QtDialogs.h"
#include "render/ui/PreviewSurfaceFormat.h"

#include <csignal>

namespace {

// The demo keeps its game key and the editor's options in its own store.
corvane::Registry demoRegistry() {
    auto folder = corvane::ApplicationFolder() / "Demo";
    // Written before any window has an OpenGL context, so the portraits' own context stands alone.
    auto game = corvane::EnsureDemoInstallation(folder, corvane::DemoPortraits::Drawn);
    corvane::Registry registry({std::nullopt, folder});
    using corvane::RegistryRoot;
    if (registry.read(RegistryRoot::LocalMachine, corvane::kGameRegistryKey, "SIMS_DATA").empty()) {
        registry.write(RegistryRoot::LocalMachine, corvane::kGameRegistryKey, "SIMS_DATA", game.string());
        registry.write(RegistryRoot::LocalMachine, corvane::kGameRegistryKey, "SIMS_LANGUAGE", "USEnglish");
    }
    return registry;
}

std::string askGameLanguage() {
    corvane::TfrmLanguage dialog;
    dialog.exec();
    return dialog.SelectedLanguage.toStdString();
}

}  // namespace

int main(int argc, char** argv) {
    // Past a file-size limit a write then fails with EFBIG, and the write's own
    // clean-up removes what it began, instead of the signal ending the process.
    std::signal(SIGXFSZ, SIG_IGN);
    corvane::RequestPreviewSurfaceFormat();
    corvane::GuardedApplication app(argc, argv);
    QApplication::setApplicationName("Corvane 3D");
    QApplication::setWindowIcon(corvane::ApplicationIcon());

    auto switches = corvane::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    corvane::Registry registry =
        switches.demo ? demoRegistry() : corvane::Registry(corvane::RegistryLocations::fromEnvironment());
    corvane::QtDialogs dialogs;
    app.setDialogs(&dialogs);
    corvane::TfrmMain window({dialogs, registry, switches,
                              corvane::ProgramDataFolder(corvane::CurrentExecutable(), "lang"), askGameLanguage});
    bool started = false;
    // A start-up that fails half-way has no game to work on: it is said, then the editor ends.
    if (!corvane::ReportFailure(dialogs, [&] { started = window.FormCreate(); })) {
        return 1;
    }
    return started ? QApplication::exec() : 0;
}
