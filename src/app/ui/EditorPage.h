#pragma once

#include "app/CommandLineSwitches.h"
#include "app/Settings.h"
#include "app/ui/PageTable.h"
#include "platform/Dialogs.h"
#include "platform/Progress.h"
#include "platform/Registry.h"
#include "sim/Document.h"

#include <QPixmap>
#include <QWidget>

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class QFrame;
class QGroupBox;

namespace corvane {

class TSkinSelectPanel;

// Whether the busy window offers its Cancel button.
enum class BusyCancel { NotOffered, Offered };

// The main window as its pages see it.
class PageHost {
public:
    virtual ~PageHost() = default;
    // Disables every group box for a long operation; locks nest, and only the
    // outermost unlock enables them again.
    virtual void LockPages() = 0;
    virtual void UnlockPages() = 0;
    // The small pictures of the pages: hearts, the missing-picture mark, careers.
    virtual const std::vector<QPixmap>& heartPictures() const = 0;
    virtual const std::vector<QPixmap>& jobPictures() const = 0;
    // The placeholder of a picture that cannot be made.
    virtual QPixmap missingPicture() const = 0;
    // Draws the preview anew for the page on show.
    virtual void RefreshPreview() = 0;
    // The selection panel the skin pages share.
    virtual TSkinSelectPanel& skinPanel() = 0;
    // Builds the skin catalogue when it is missing; false when an archive
    // could not be read.
    virtual bool LoadSkinData() = 0;
    // Renders the current character's pictures for the next save to take.
    virtual void MakeCharacterImages() = 0;
    // The registry the editor keeps its own choices in (the profiles' folder).
    virtual Registry& registry() = 0;
    // The editor's command line (the makeover's "/skinage" and "/teens").
    virtual const CommandLineSwitches& switches() const = 0;
    // Shows the busy window, as wide as the preview, with `status` until the
    // returned window is let go; with `cancel` Offered it has a Cancel button,
    // and the returned window says when it was pressed.
    std::unique_ptr<CancellableProgress> ShowBusy(const std::string& status) {
        return ShowBusy(status, BusyCancel::NotOffered);
    }
    virtual std::unique_ptr<CancellableProgress> ShowBusy(const std::string& status, BusyCancel cancel) = 0;
    // Asks about and saves the open neighbourhood's modified characters; false
    // when the question was closed without an answer.
    virtual bool SaveModifiedCharacters() = 0;
    // Lists the game's neighbourhood folders in the header anew, selecting
    // `folder` (letter case ignored) or else the first; the open
    // neighbourhood's path follows the selection. Nothing is loaded.
    virtual void RelistNeighbourhoods(const std::string& folder) = 0;
    // The neighbourhood as the header's list shows it (its number).
    virtual std::string neighbourhoodShown() const = 0;
    // Opens the neighbourhood selected in the header's list.
    virtual void OpenSelectedNeighbourhood() = 0;
    // Shows in the preview what a skin tool's page is making (a texture being
    // imported, a skin being exported, a character file being built).
    virtual void ShowSkinToolPreview(const SkinToolPreview& preview) = 0;
    // The panel below the preview where the skin tools name the files they
    // will write; hidden at every page change.
    virtual QFrame& lowCenterPanel() = 0;
};

// Holds the pages locked for as long as it lives, whatever ends the work.
class PageLock {
public:
    explicit PageLock(PageHost& host) : host_(host) { host_.LockPages(); }
    ~PageLock() { host_.UnlockPages(); }
    PageLock(const PageLock&) = delete;
    PageLock& operator=(const PageLock&) = delete;

private:
    PageHost& host_;
};

// What every page is made with.
struct PageServices {
    Document& document;
    Dialogs& dialogs;
    const Settings& settings;
    PageHost& host;
};

// One page of the main window: the group boxes of its row in the page table,
// with the page's own controls inside. A page shows the current character
// when its button is clicked, and shows it anew after every edit, undo and
// redo while it is on show.
class EditorPage : public QWidget {
    Q_OBJECT

public:
    EditorPage(const PageServices& services, const PageInfo& row, QWidget* parent);

    PageKind kind() const { return kind_; }
    // One of the row's group boxes by its name; nullptr for another name.
    QGroupBox* group(std::string_view name) const;
    const std::vector<QGroupBox*>& groups() const { return groups_; }

    // The page's button was clicked: fill the page from the current character.
    virtual void showPage() {}
    // Every page change first puts every page back to rest (its trees
    // emptied, its profile buttons disabled, its hand markers hidden).
    virtual void restPage() {}
    // Another page replaces this one on show (the import page lets go of its drop target).
    virtual void leavePage() {}
    // Which hands the preview shows while the page is on show.
    virtual HandMarkers handMarkers() const { return {}; }
    // A file was dropped on the preview while the page is on show; only the
    // skin tools take one.
    virtual void fileDropped(const std::filesystem::path& file) { (void)file; }

protected:
    // The records changed while the page is on show; by default the page is
    // filled again.
    virtual void refresh() { showPage(); }

    Sim* current() const { return services_.document.current(); }
    Document& document() const { return services_.document; }
    Dialogs& dialogs() const { return services_.dialogs; }
    const Settings& settings() const { return services_.settings; }
    PageHost& host() const { return services_.host; }

    // Whether a handler of a control in `box` may store: the box is enabled
    // and the page is not filling itself from the record.
    bool storing(const QGroupBox* box) const;

private:
    void documentChanged(const DocumentChange& change);

    PageServices services_;
    PageKind kind_;
    std::vector<QGroupBox*> groups_;
    int refreshing_ = 0;
    Document::Subscription subscription_;
};

// The page factory of a page class, for its row of the page table.
template <typename Page>
EditorPage* MakePage(const PageServices& services, const PageInfo& row, QWidget* parent) {
    return new Page(services, row, parent);
}

}  // namespace corvane
