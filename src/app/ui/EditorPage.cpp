#include "app/ui/EditorPage.h"

#include <QGroupBox>

#include <algorithm>

namespace corvane {

namespace {

QRect unionOf(const std::vector<PageGroup>& groups) {
    QRect area;
    for (const PageGroup& group : groups) {
        area = area.united(QRect(group.bounds.left, group.bounds.top, group.bounds.width, group.bounds.height));
    }
    return area;
}

}  // namespace

EditorPage::EditorPage(const PageServices& services, const PageInfo& row, QWidget* parent)
    : QWidget(parent), services_(services), kind_(row.kind) {
    const QRect area = unionOf(row.groups);
    setGeometry(area);
    for (const PageGroup& entry : row.groups) {
        auto* box = new QGroupBox(this);
        box->setObjectName(QString::fromUtf8(entry.name.data(), static_cast<qsizetype>(entry.name.size())));
        box->setGeometry(entry.bounds.left - area.left(), entry.bounds.top - area.top(), entry.bounds.width,
                         entry.bounds.height);
        groups_.push_back(box);
    }
    hide();
    subscription_ = services_.document.subscribe([this](const DocumentChange& change) { documentChanged(change); });
}

QGroupBox* EditorPage::group(std::string_view name) const {
    auto found = std::find_if(groups_.begin(), groups_.end(),
                              [&](const QGroupBox* box) { return box->objectName().toStdString() == name; });
    return found == groups_.end() ? nullptr : *found;
}

bool EditorPage::storing(const QGroupBox* box) const {
    return refreshing_ == 0 && box->isEnabled();
}

void EditorPage::documentChanged(const DocumentChange& change) {
    if (change.kind != DocumentChange::Kind::Edited || isHidden() || current() == nullptr) return;
    ++refreshing_;
    refresh();
    --refreshing_;
}

}  // namespace corvane
