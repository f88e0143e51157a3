#include "exchange/ui/CompareWindow.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>
#include <utility>

#include "exchange/TableComparison.h"
#include "exchange/ui/CompareRecordsModel.h"
#include "shell/CommandGuard.h"
#include "shell/ui/QtText.h"

namespace kelvane {
namespace {

enum Tab { kChangedTab, kAddedTab, kRemovedTab };

QString TabCaption(const char* what, size_t count) {
    return QStringLiteral("%1 (%2)").arg(QString::fromLatin1(what)).arg(count);
}

}  // namespace

CompareWindow::CompareWindow(SavePatchAction savePatch, UserDialogs& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window), savePatch_(std::move(savePatch)), dialogs_(dialogs) {
    setObjectName("CompareForm");
    setWindowTitle("Compare");
    summary_ = new QLabel(this);
    summary_->setObjectName("CompareSummary");
    summary_->setWordWrap(true);
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName("CompareTabs");
    changed_ = new CompareRecordsModel(this);
    added_ = new CompareRecordsModel(this);
    removed_ = new CompareRecordsModel(this);
    AddRecordsTab("ChangedRecords", changed_);
    AddRecordsTab("AddedRecords", added_);
    AddRecordsTab("RemovedRecords", removed_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary_);
    layout->addWidget(tabs_, 1);
    layout->addWidget(BuildButtons());
    resize(760, 480);
}

CompareWindow::~CompareWindow() {
    Release();
}

QTableView* CompareWindow::AddRecordsTab(const char* objectName, CompareRecordsModel* model) {
    auto* view = new QTableView(tabs_);
    view->setObjectName(QString::fromLatin1(objectName));
    view->setModel(model);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Rows of one height: the view never measures the records it does not show.
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    tabs_->addTab(view, QString());
    return view;
}

QWidget* CompareWindow::BuildButtons() {
    auto* panel = new QWidget(this);
    auto* layout = new QHBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* swap = new QPushButton("Swap older and newer", panel);
    swap->setObjectName("SwapSidesButton");
    auto* save = new QPushButton("Save as patch...", panel);
    save->setObjectName("SavePatchButton");
    layout->addWidget(swap);
    layout->addStretch(1);
    layout->addWidget(save);
    connect(swap, &QPushButton::clicked, this, [this] {
        RunGuarded(dialogs_, [this] {
            // The models show the lists the swap replaces.
            changed_->Clear();
            added_->Clear();
            removed_->Clear();
            comparison_->Swap();
            ShowDiff();
        });
    });
    connect(save, &QPushButton::clicked, this,
            [this] { RunGuarded(dialogs_, [this] { savePatch_(*comparison_); }); });
    return panel;
}

void CompareWindow::Show(std::unique_ptr<TableComparison> comparison) {
    Release();
    comparison_ = std::move(comparison);
    ShowDiff();
    show();
    raise();
    activateWindow();
}

void CompareWindow::ShowDiff() {
    const TableDiff& diff = comparison_->Diff();
    summary_->setText(QStringLiteral("From %1 (older) to %2 (newer): %3.")
                          .arg(ToQt(comparison_->OlderName()), ToQt(comparison_->NewerName()),
                               ToQt(DiffCountsText(diff))));
    changed_->ShowChanges(comparison_->Older(), comparison_->Newer(), diff.Changed);
    added_->ShowRecords(comparison_->Newer(), diff.AddedRows);
    removed_->ShowRecords(comparison_->Older(), diff.RemovedRows);
    tabs_->setTabText(kChangedTab, TabCaption("Changed", diff.Changed.size()));
    tabs_->setTabText(kAddedTab, TabCaption("Added", diff.AddedRows.size()));
    tabs_->setTabText(kRemovedTab, TabCaption("Removed", diff.RemovedRows.size()));
}

// Two copies of a big table are worth giving back once nobody looks at them.
void CompareWindow::Release() {
    changed_->Clear();
    added_->Clear();
    removed_->Clear();
    comparison_.reset();
}

void CompareWindow::closeEvent(QCloseEvent* event) {
    Release();
    event->accept();
}

}  // namespace kelvane
