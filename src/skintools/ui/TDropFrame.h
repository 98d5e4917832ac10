#pragma once

#include <QFrame>

#include <filesystem>
#include <functional>

class QLabel;

namespace corvane {

// The import page's frame that takes a bitmap dropped from a file manager:
// its label asks for one, its picture shows the one accepted.
class TDropFrame : public QFrame {
    Q_OBJECT

public:
    explicit TDropFrame(QWidget* parent);

    // The first dropped file goes here; no handler, no drops.
    void setDropHandler(std::function<void(const std::filesystem::path&)> handler);
    // Shows `picture` stretched over the frame in place of the label.
    void showPicture(const QPixmap& picture);
    // Shows the label again, asking for a bitmap.
    void clearPicture();

    QLabel* lblDropFrame = nullptr;
    QLabel* imgImportBMP = nullptr;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    std::function<void(const std::filesystem::path&)> dropped_;
};

}  // namespace corvane
