#pragma once

#include <QGroupBox>
#include <QPixmap>

#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace corvane {

class EditorPage;

// The selection panel every skin page shares (grpSelectSkins): the meshes
// that fit the slot on show (cbMesh) and the chosen mesh's textures, each
// with its 40-pixel picture (lbTexture), with a Delete button under each list.
// The page on show owns it; the others leave its signals alone.
class TSkinSelectPanel : public QGroupBox {
    Q_OBJECT

public:
    explicit TSkinSelectPanel(QWidget* parent);

    // The skin page the panel serves now.
    void setOwner(const EditorPage* page) { owner_ = page; }
    bool ownedBy(const EditorPage* page) const { return owner_ == page; }

    // Fills cbMesh with `names` and selects `selected` (-1: nothing).
    void showMeshes(const std::vector<std::string>& names, int selected);
    // Fills lbTexture with `names`, entry i drawn with `pictures[i]`.
    void showTextures(const std::vector<std::string>& names, std::vector<QPixmap> pictures, int selected);
    void clearLists();

    std::string meshText() const;
    std::string selectedTexture() const;  // empty when nothing is selected
    int textureCount() const;

    QLabel* lblCurMesh = nullptr;
    QComboBox* cbMesh = nullptr;
    QPushButton* btnDeleteMesh = nullptr;
    QLabel* lblCurTexture = nullptr;
    QListWidget* lbTexture = nullptr;
    QPushButton* btnDeleteTexture = nullptr;
    // One picture per lbTexture entry, in entry order.
    std::vector<QPixmap> imgListSkins;

signals:
    // The user chose another mesh, or clicked a texture.
    void meshChanged();
    void textureClicked();
    void deleteMeshClicked();
    void deleteTextureClicked();

private:
    const EditorPage* owner_ = nullptr;
};

}  // namespace corvane
