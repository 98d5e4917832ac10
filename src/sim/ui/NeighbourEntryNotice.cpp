#include "sim/ui/NeighbourEntryNotice.h"

#include "platform/LanguageModule.h"
#include "sim/Sim.h"

#include <QGroupBox>
#include <QLabel>

namespace corvane {

namespace {

constexpr int kNoticeId = 7192;
constexpr int kNoticeHeight = 20;

QLabel* noticeOf(QGroupBox* box) {
    if (auto* existing = box->findChild<QLabel*>("lblNoNeighbourEntry", Qt::FindDirectChildrenOnly)) return existing;
    auto* notice = new QLabel(box);
    notice->setObjectName("lblNoNeighbourEntry");
    notice->setWordWrap(true);
    notice->setGeometry(8, box->height() - kNoticeHeight - 34, box->width() - 16, kNoticeHeight);
    return notice;
}

}  // namespace

void ShowNeighbourEntryNotice(QGroupBox* box, const Sim& sim) {
    QLabel* notice = noticeOf(box);
    const bool storable = sim.hasNeighbourEntry();
    for (QWidget* control : box->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (control != notice) control->setEnabled(storable);
    }
    notice->setText(QString::fromStdString(LangStr(kNoticeId)));
    notice->setVisible(!storable);
    notice->raise();
}

}  // namespace corvane
