#pragma once

#include <QScrollArea>

#include <vector>

class QCheckBox;
class QLabel;

namespace corvane {

class TACImage;

// The profile page's preview: the files a profile carries, for leaving some
// out. Pictures of the textures in rows of four, each with its check box,
// then a check box per character file and per mesh; everything checked at
// first. It grows with its items and scrolls.
class TframeCVPPreview : public QScrollArea {
    Q_OBJECT

public:
    explicit TframeCVPPreview(QWidget* parent);

    // Each item carries `tag`: where its file stands in the caller's list.
    void addImage(const QPixmap& picture, const QString& fileName, int tag);
    void addCmx(const QString& fileName, int tag);
    void addSkn(const QString& fileName, int tag);
    // Takes every item away and shrinks the frame.
    void clearItems();
    // btnCVPUncheckAllClick.
    void uncheckAll();

    struct Item {
        QCheckBox* box;
        int tag;
    };
    const std::vector<Item>& images() const { return imageBoxes_; }
    const std::vector<Item>& cmxFiles() const { return cmxBoxes_; }
    const std::vector<Item>& sknFiles() const { return sknBoxes_; }
    const std::vector<TACImage*>& imageCells() const { return cells_; }

    static constexpr int kCellSize = 60;

private:
    QCheckBox* fileBox(const QString& fileName, int tag, std::vector<Item>& into);
    // Places every item where the layout puts it, and the sizer below the last.
    void layOut();

    QWidget* content_;
    QLabel* lblCVPPreviewSizer_;
    std::vector<TACImage*> cells_;
    std::vector<Item> imageBoxes_;
    std::vector<Item> cmxBoxes_;
    std::vector<Item> sknBoxes_;
};

}  // namespace corvane
