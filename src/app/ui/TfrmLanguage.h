#pragma once

#include <QDialog>
#include <QString>

class QListWidget;

namespace corvane {

// Asked at start-up when the game's language is not recorded: the player
// picks the language the game uses.
class TfrmLanguage : public QDialog {
    Q_OBJECT

public:
    explicit TfrmLanguage(QWidget* parent = nullptr);

    // The chosen entry, stored when the dialog closes.
    QString SelectedLanguage;

    QListWidget* lbLanguages = nullptr;

protected:
    void done(int result) override;
};

}  // namespace corvane
