#include "talents/ui/TalentRanksWindow.h"

#include <QCloseEvent>
#include <QFormLayout>
#include <QLineEdit>

#include "shell/CommandGuard.h"
#include "shell/ui/QtText.h"
#include "talents/TalentEditor.h"
#include "talents/ui/QuietText.h"

namespace kelvane {

TalentRanksWindow::TalentRanksWindow(TalentEditor& editor, UserDialogs& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window), editor_(editor), dialogs_(dialogs) {
    setObjectName("Form18");
    setWindowTitle("Ranks");
    auto* layout = new QFormLayout(this);
    for (int rank = 0; rank < RankCount; ++rank) {
        auto* field = new QLineEdit(this);
        field->setObjectName(QStringLiteral("Edit%1").arg(rank + 1));
        connect(field, &QLineEdit::textEdited, this, [this, rank](const QString& text) {
            RunGuarded(dialogs_, [this, rank, &text] { editor_.SetRankText(rank, FromQt(text)); });
        });
        layout->addRow(QStringLiteral("Rank %1").arg(rank + 1), field);
        fields_[static_cast<size_t>(rank)] = field;
    }
    setFixedSize(134, 175);

    editor_.OnRanksWindow(
        [this] {
            ShowRanks();
            show();
            raise();
            activateWindow();
        },
        // Hidden, not closed: closing is the user's way of storing the values.
        [this] {
            ShowRanks();
            hide();
        });
}

void TalentRanksWindow::closeEvent(QCloseEvent* event) {
    RunGuarded(dialogs_, [this] { editor_.CloseRanks(); });
    // The window closes whether or not the values could be stored.
    event->accept();
}

void TalentRanksWindow::ShowRanks() {
    for (int rank = 0; rank < RankCount; ++rank) {
        SetTextQuietly(*fields_[static_cast<size_t>(rank)],
                       ToQt(editor_.Ranks()[static_cast<size_t>(rank)]));
    }
}

}  // namespace kelvane
