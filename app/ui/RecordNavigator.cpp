#include "app/ui/RecordNavigator.h"

#include <QHBoxLayout>
#include <QToolButton>
#include <utility>

#include "app/DeleteRecordAfterAsking.h"
#include "app/ui/RecordTableModel.h"
#include "app/ui/RecordViewModel.h"
#include "core/table/RecordTable.h"
#include "shell/CommandGuard.h"

namespace kelvane {

RecordNavigator::RecordNavigator(RecordViewModel& view, UserDialogs& dialogs,
                                 std::function<bool()> commitTypedEdit, QWidget* parent)
    : QWidget(parent),
      view_(view),
      dialogs_(dialogs),
      commitTypedEdit_(std::move(commitTypedEdit)) {
    setObjectName(QStringLiteral("DBNavigator1"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    AddButton("NavFirst", QStringLiteral("\u21E4"), "First",
              [this](RecordTable&) { view_.MoveToShownRow(0); });
    AddButton("NavPrior", QStringLiteral("\u25C0"), "Prior",
              [this](RecordTable& t) { StepAmongShown(t, -1); });
    AddButton("NavNext", QStringLiteral("\u25B6"), "Next",
              [this](RecordTable& t) { StepAmongShown(t, 1); });
    AddButton("NavLast", QStringLiteral("\u21E5"), "Last",
              [this](RecordTable&) { view_.MoveToShownRow(view_.ShownCount() - 1); });
    AddButton("NavInsert", QStringLiteral("+"), "Insert", [](RecordTable& t) { t.Insert(); });
    AddButton("NavDelete", QStringLiteral("\u2212"), "Delete",
              [this](RecordTable& t) { DeleteRecordAfterAsking(t, dialogs_); });
    AddButton("NavEdit", QStringLiteral("\u25B2"), "Edit", [](RecordTable& t) { t.Edit(); });
    AddButton("NavPost", QStringLiteral("\u2714"), "Post", [](RecordTable& t) { t.Post(); });
    AddButton("NavCancel", QStringLiteral("\u2716"), "Cancel", [](RecordTable& t) { t.Cancel(); });
    AddButton("NavRefresh", QStringLiteral("\u21BB"), "Refresh",
              [this](RecordTable&) { view_.Source().Reload(); });
    layout->addStretch();

    FollowTableOpenState();
    connect(&view, &QAbstractItemModel::modelReset, this, &RecordNavigator::FollowTableOpenState);
}

void RecordNavigator::AddButton(const char* objectName, const QString& glyph, const char* toolTip,
                                std::function<void(RecordTable&)> command) {
    auto* button = new QToolButton(this);
    button->setObjectName(QString::fromLatin1(objectName));
    button->setText(glyph);
    button->setToolTip(QString::fromLatin1(toolTip));
    button->setAutoRaise(true);
    // The buttons leave the focus where it is, so an open cell editor is still there for Run to
    // commit, and a value it refuses stops the command.
    button->setFocusPolicy(Qt::NoFocus);
    connect(button, &QToolButton::clicked, this,
            [this, command = std::move(command)] { Run(command); });
    layout()->addWidget(button);
}

void RecordNavigator::Run(const std::function<void(RecordTable&)>& command) {
    if (!commitTypedEdit_()) {
        return;
    }
    RunGuarded(dialogs_, [&] { command(view_.Table()); });
    emit CommandFinished();
}

// A record not shown (one being inserted is always shown) steps to the first shown one.
void RecordNavigator::StepAmongShown(RecordTable& table, int step) {
    const int shownRow = view_.ShownRowOf(table.CurrentRow());
    view_.MoveToShownRow(shownRow < 0 ? 0 : shownRow + step);
}

void RecordNavigator::FollowTableOpenState() {
    setEnabled(view_.Table().Active());
}

}  // namespace kelvane
