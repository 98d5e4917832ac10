#include "profiles/ui/TCVPsPage.h"

#include "platform/LanguageModule.h"
#include "profiles/ui/TframeCVPPreview.h"

#include <QApplication>
#include <QEventLoop>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

namespace corvane {

namespace {

constexpr int kHyphens = 153;

template <typename Widget>
Widget* named(Widget* widget, const char* name, QRect bounds) {
    widget->setObjectName(name);
    widget->setGeometry(bounds);
    return widget;
}

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

std::string joined(std::initializer_list<int> ids) {
    std::string text;
    for (const int id : ids) text += (text.empty() ? "" : " ") + LangStr(id);
    return text;
}

// The page's introduction, as lines.
std::string introduction() {
    std::string text = joined({6101, 6102}) + "\n\n" + LangStr(6103) + "\n";
    for (const int id : {6104, 6105, 6106, 6107, 6108}) text += "  " + LangStr(id) + "\n";
    return text + "\n" + joined({6109, 6110, 6111, 6112}) + "\n\n" + joined({6113, 6114});
}

}  // namespace

std::string FramedStepText(const std::string& text) {
    const std::string rule(kHyphens, '-');
    return rule + "\n" + text + "\n" + rule + "\n";
}

TCVPsPage::TCVPsPage(const PageServices& services, const PageInfo& row, QWidget* parent)
    : EditorPage(services, row, parent), box_(group("grpCVPs")) {
    createControls(box_);
}

void TCVPsPage::createControls(QGroupBox* box) {
    const int width = box->width();
    lblCVPs = named(new QLabel(box), "lblCVPs", QRect(10, 16, width - 20, 330));
    lblCVPs->setWordWrap(true);
    lblCVPs->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    btnExportCVP = named(new QPushButton(box), "btnExportCVP", QRect(10, box->height() - 36, 180, 26));
    btnImportCVP = named(new QPushButton(box), "btnImportCVP", QRect(width - 190, box->height() - 36, 180, 26));

    pnlCVPPreview = named(new QFrame(box), "pnlCVPPreview", QRect(4, 14, width - 8, box->height() - 54));
    lblCVPMessage = named(new QLabel(pnlCVPPreview), "lblCVPMessage", QRect(6, 4, width - 20, 200));
    lblCVPMessage->setWordWrap(true);
    lblCVPMessage->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    memCVPCredit = named(new QPlainTextEdit(pnlCVPPreview), "memCVPCredit", QRect(6, 120, width - 20, 200));
    const int ratingTop = 330;
    ratingControls_.push_back(named(new QLabel(pnlCVPPreview), "lblRating", QRect(6, ratingTop, 60, 18)));
    ratingControls_.push_back(named(new QLabel(pnlCVPPreview), "lblRequired", QRect(66, ratingTop, 80, 18)));
    const struct {
        QRadioButton** button;
        const char* name;
        const char* label;
        int left;
    } ratings[] = {{&rbEveryone, "rbEveryone", "lblEveryone", 6},
                   {&rbTeen, "rbTeen", "lblTeen", 98},
                   {&rbMature, "rbMature", "lblMature", 190},
                   {&rbAdult, "rbAdult", "lblAdultRate", 282}};
    for (const auto& rating : ratings) {
        *rating.button = named(new QRadioButton(pnlCVPPreview), rating.name, QRect(rating.left, ratingTop + 22, 20, 20));
        auto* caption = named(new QLabel(pnlCVPPreview), rating.label, QRect(rating.left + 20, ratingTop + 23, 70, 18));
        caption->setBuddy(*rating.button);
        ratingControls_.push_back(*rating.button);
        ratingControls_.push_back(caption);
    }
    frameCVPPreview = new TframeCVPPreview(pnlCVPPreview);

    btnCVPUncheckAll = named(new QPushButton(box), "btnCVPUncheckAll", QRect(10, box->height() - 36, 110, 26));
    btnCVPContinue = named(new QPushButton(box), "btnCVPContinue", QRect(width - 240, box->height() - 36, 110, 26));
    btnCVPCancel = named(new QPushButton(box), "btnCVPCancel", QRect(width - 120, box->height() - 36, 110, 26));

    connect(btnExportCVP, &QPushButton::clicked, this, &TCVPsPage::btnExportCVPClick);
    connect(btnImportCVP, &QPushButton::clicked, this, &TCVPsPage::btnImportCVPClick);
    connect(btnCVPContinue, &QPushButton::clicked, this, &TCVPsPage::btnCVPContinueClick);
    connect(btnCVPCancel, &QPushButton::clicked, this, &TCVPsPage::btnCVPCancelClick);
    connect(btnCVPUncheckAll, &QPushButton::clicked, this, &TCVPsPage::btnCVPUncheckAllClick);
}

void TCVPsPage::showPage() {
    resetPage();
}

void TCVPsPage::restPage() {
    frameCVPPreview->clearItems();
}

void TCVPsPage::resetPage() {
    btnCVPContinue->setEnabled(false);
    btnCVPCancel->setEnabled(false);
    btnCVPContinue->hide();
    btnCVPCancel->hide();
    btnExportCVP->setEnabled(true);
    btnImportCVP->setEnabled(true);
    btnExportCVP->show();
    btnImportCVP->show();
    btnCVPUncheckAll->hide();
    frameCVPPreview->hide();
    pnlCVPPreview->hide();
    memCVPCredit->clear();
    memCVPCredit->hide();
    showRating(false);
    frameCVPPreview->setGeometry(pnlCVPPreview->rect());
    QFont font = lblCVPs->font();
    font.setPointSize(settings().UIFontSize + 2);
    font.setBold(false);
    lblCVPs->setFont(font);
    lblCVPs->setText(qt(introduction()));
    lblCVPs->show();
}

void TCVPsPage::btnCVPContinueClick() {
    btnCVPContinue->setEnabled(false);
}

void TCVPsPage::btnCVPCancelClick() {
    btnCVPCancel->setEnabled(false);
    QApplication::processEvents();
}

void TCVPsPage::btnCVPUncheckAllClick() {
    frameCVPPreview->uncheckAll();
}

bool TCVPsPage::waitForAnswer() {
    QApplication::restoreOverrideCursor();
    QEventLoop loop;
    const auto answered = [&] {
        if (!btnCVPContinue->isEnabled() || (btnCVPCancel->isVisible() && !btnCVPCancel->isEnabled())) loop.quit();
    };
    const auto continued = connect(btnCVPContinue, &QPushButton::clicked, &loop, answered, Qt::QueuedConnection);
    const auto cancelled = connect(btnCVPCancel, &QPushButton::clicked, &loop, answered, Qt::QueuedConnection);
    emit stepWaiting();
    loop.exec();
    disconnect(continued);
    disconnect(cancelled);
    const bool wentOn = !btnCVPCancel->isVisible() || btnCVPCancel->isEnabled();
    btnCVPContinue->hide();
    btnCVPCancel->hide();
    return wentOn;
}

bool TCVPsPage::step(const std::string& text, bool offerCancel, bool largeFont) {
    lblCVPs->hide();
    QFont font = lblCVPMessage->font();
    font.setPointSize(settings().UIFontSize + (largeFont ? 2 : 0));
    lblCVPMessage->setFont(font);
    lblCVPMessage->setText(qt(text));
    lblCVPMessage->show();
    pnlCVPPreview->show();
    btnCVPContinue->setText(qt(LangStr(5030)));
    btnCVPCancel->setText(qt(LangStr(5011)));
    btnCVPContinue->setEnabled(true);
    btnCVPContinue->show();
    btnCVPCancel->setEnabled(offerCancel);
    btnCVPCancel->setVisible(offerCancel);
    const bool wentOn = waitForAnswer();
    lblCVPMessage->hide();
    pnlCVPPreview->hide();
    box_->repaint();
    return wentOn;
}

bool TCVPsPage::waitInPreview() {
    lblCVPs->hide();
    lblCVPMessage->hide();
    btnCVPUncheckAll->setText(qt(LangStr(5027)));
    btnCVPContinue->setText(qt(LangStr(5030)));
    btnCVPCancel->setText(qt(LangStr(5011)));
    btnCVPUncheckAll->show();
    pnlCVPPreview->show();
    frameCVPPreview->setGeometry(pnlCVPPreview->rect());
    frameCVPPreview->show();
    btnCVPContinue->setEnabled(true);
    btnCVPContinue->show();
    btnCVPCancel->setEnabled(true);
    btnCVPCancel->show();
    const bool wentOn = waitForAnswer();
    btnCVPUncheckAll->hide();
    frameCVPPreview->hide();
    pnlCVPPreview->hide();
    return wentOn;
}

void TCVPsPage::showRating(bool shown) {
    for (QWidget* control : ratingControls_) control->setVisible(shown);
}

char TCVPsPage::ratingLetter() const {
    if (rbEveryone->isChecked()) return 'E';
    if (rbMature->isChecked()) return 'M';
    if (rbAdult->isChecked()) return 'A';
    return 'T';
}

void TCVPsPage::checkRating(char letter) {
    QRadioButton* button = letter == 'E' ? rbEveryone : letter == 'T' ? rbTeen : letter == 'M' ? rbMature
                           : letter == 'A' ? rbAdult : nullptr;
    if (button != nullptr) button->setChecked(true);
}

}  // namespace corvane
