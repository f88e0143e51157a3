#include "app/ui/RecordNavigator.h"

#include <QHBoxLayout>
#include <QToolButton>
#include <utility>

#include "app/DeleteRecordAfterAsking.h"
#include "app/ui/RecordTableModel.h"
#include "core/RecordTable.h"
#include "shell/CommandGuard.h"

namespace kelvane {

RecordNavigator::RecordNavigator(RecordTableModel& model, UserDialogs& dialogs,
                                 std::function<bool()> commitTypedEdit, QWidget* parent)
    : QWidget(parent),
      model_(model),
      dialogs_(dialogs),
      commitTypedEdit_(std::move(commitTypedEdit)) {
    setObjectName(QStringLiteral("DBNavigator1"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    AddButton("NavFirst", QStringLiteral("\u21E4"), "First", [](RecordTable& t) { t.First(); });
    AddButton("NavPrior", QStringLiteral("\u25C0"), "Prior", [](RecordTable& t) { t.Prior(); });
    AddButton("NavNext", QStringLiteral("\u25B6"), "Next", [](RecordTable& t) { t.Next(); });
    AddButton("NavLast", QStringLiteral("\u21E5"), "Last", [](RecordTable& t) { t.Last(); });
    AddButton("NavInsert", QStringLiteral("+"), "Insert", [](RecordTable& t) { t.Insert(); });
    AddButton("NavDelete", QStringLiteral("\u2212"), "Delete",
              [this](RecordTable& t) { DeleteRecordAfterAsking(t, dialogs_); });
    AddButton("NavEdit", QStringLiteral("\u25B2"), "Edit", [](RecordTable& t) { t.Edit(); });
    AddButton("NavPost", QStringLiteral("\u2714"), "Post", [](RecordTable& t) { t.Post(); });
    AddButton("NavCancel", QStringLiteral("\u2716"), "Cancel", [](RecordTable& t) { t.Cancel(); });
    AddButton("NavRefresh", QStringLiteral("\u21BB"), "Refresh",
              [this](RecordTable&) { model_.Reload(); });
    layout->addStretch();

    FollowTableOpenState();
    connect(&model, &QAbstractItemModel::modelReset, this, &RecordNavigator::FollowTableOpenState);
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
    RunGuarded(dialogs_, [&] { command(model_.Table()); });
    emit CommandFinished();
}

void RecordNavigator::FollowTableOpenState() {
    setEnabled(model_.Table().Active());
}

}  // namespace kelvane
