#include "app/ui/FieldSettingsDialog.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QShowEvent>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/FieldSettingsFill.h"
#include "core/workspace/Workspace.h"
#include "shell/CommandGuard.h"
#include "shell/ui/CentreOnScreen.h"
#include "shell/ui/QtText.h"

namespace kelvane {
namespace {

constexpr int kIndexColumn = 0;
constexpr int kNameColumn = 1;
constexpr int kKindColumn = 2;
constexpr int kHexColumn = 3;
constexpr int kSizeColumn = 4;
constexpr int kColumnCount = 5;

QPushButton* MakeButton(const char* objectName, const char* text, QWidget* parent) {
    auto* button = new QPushButton(QString::fromLatin1(text), parent);
    button->setObjectName(QString::fromLatin1(objectName));
    // Enter always means OK, also while another button has the focus.
    button->setAutoDefault(false);
    return button;
}

}  // namespace

FieldSettingsDialog::FieldSettingsDialog(Workspace& work, UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent),
      work_(work),
      dialogs_(dialogs),
      grid_(new QTableWidget(0, kColumnCount, this)) {
    setObjectName("FormFieldSettings");
    setWindowTitle("Fields Settings");

    grid_->setObjectName("sg");
    grid_->setHorizontalHeaderLabels({"Index", "Name", "Kind", "Hex", "Bits"});
    QHeaderView* header = grid_->horizontalHeader();
    QFont headerFont = header->font();
    headerFont.setBold(true);
    header->setFont(headerFont);
    header->setDefaultAlignment(Qt::AlignCenter);
    grid_->verticalHeader()->hide();
    const int widths[kColumnCount] = {46, 352, 101, 79, 64};
    for (int column = 0; column < kColumnCount; ++column) {
        grid_->setColumnWidth(column, widths[column]);
    }

    kindList_ = MakeInplaceList("cbInplaceComboBox", {"ftInteger", "ftString", "ftFloat"});
    hexList_ = MakeInplaceList("hexbox", {"True", "False"});
    sizeList_ = MakeInplaceList("sizebox", {AutoFieldSizeText, "32", "16", "8"});
    // Rows as high as the lists, so a list laid over a cell covers it exactly.
    const int rowHeight = kindList_->sizeHint().height();
    grid_->verticalHeader()->setMinimumSectionSize(rowHeight);
    grid_->verticalHeader()->setDefaultSectionSize(rowHeight);

    // Tab leaves the grid for the buttons; the arrow keys move between cells.
    grid_->setTabKeyNavigation(false);
    connect(grid_, &QTableWidget::currentCellChanged, this,
            [this](int row, int column) { ShowInplaceList(row, column); });
    connect(grid_, &QTableWidget::cellClicked, this,
            [this](int row, int column) { ShowInplaceList(row, column); });
    // The kind list is left behind by a scroll, while the hex list moves on with its cell.
    for (QScrollBar* bar : {grid_->verticalScrollBar(), grid_->horizontalScrollBar()}) {
        connect(bar, &QScrollBar::valueChanged, kindList_, &QWidget::hide);
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(grid_);
    // What the last fill did, so a button that changed nothing visible still answers.
    result_ = new QLabel(this);
    result_->setObjectName("FillResult");
    result_->setWordWrap(true);
    result_->setContentsMargins(6, 2, 6, 0);
    layout->addWidget(result_);
    layout->addWidget(MakeBottomPanel());
    resize(658, 555);
}

QComboBox* FieldSettingsDialog::MakeInplaceList(const char* objectName, const QStringList& items) {
    auto* list = new QComboBox(grid_->viewport());
    list->setObjectName(QString::fromLatin1(objectName));
    list->addItems(items);
    list->hide();
    connect(list, &QComboBox::activated, this,
            [this, list](int index) { TakeChosenItem(*list, index); });
    return list;
}

QWidget* FieldSettingsDialog::MakeBottomPanel() {
    auto* panel = new QWidget(this);
    panel->setObjectName("Panel1");
    auto* loadPreset = MakeButton("SpeedButton1", "Load Preset", panel);
    loadPreset->setFlat(true);
    auto* fromDefinitions = MakeButton("FromDefinitionsButton", "From definitions", panel);
    auto* guess = MakeButton("GuessButton", "Guess", panel);
    progressBar_ = new QProgressBar(panel);
    progressBar_->setObjectName("ProgressBar1");
    progressBar_->setTextVisible(false);
    auto* ok = MakeButton("BitBtn1", "OK", panel);
    auto* cancel = MakeButton("BitBtn2", "Cancel", panel);
    ok->setDefault(true);
    connect(loadPreset, &QPushButton::clicked, this, &FieldSettingsDialog::LoadPresetRequested);
    connect(fromDefinitions, &QPushButton::clicked, this,
            [this] { FillRows([this] { return FieldSettingsRowsFromDbd(work_); }); });
    connect(guess, &QPushButton::clicked, this, [this] {
        const std::vector<FieldSettingsRow> before = GridRows();
        if (FillRows([&] { return FieldSettingsRowsWithGuessedKinds(before, work_); })) {
            result_->setText(ToQt(GuessedKindsText(before, GridRows())));
        }
    });
    connect(ok, &QPushButton::clicked, this, &FieldSettingsDialog::OkClicked);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QHBoxLayout(panel);
    layout->addWidget(loadPreset);
    layout->addWidget(fromDefinitions);
    layout->addWidget(guess);
    layout->addWidget(progressBar_, 1);
    layout->addWidget(ok);
    layout->addWidget(cancel);
    return panel;
}

void FieldSettingsDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Refilled at every showing, so edits of a cancelled dialog are gone.
    if (!event->spontaneous()) {
        result_->clear();
        ShowRows(FieldSettingsRows(work_.Table, work_.Defs));
        CentreOnScreen(*this);
    }
}

bool FieldSettingsDialog::FillRows(const std::function<std::vector<FieldSettingsRow>()>& fill) {
    std::vector<FieldSettingsRow> rows;
    if (!RunGuarded(dialogs_, [&] { rows = fill(); })) {
        return false;
    }
    ShowRows(rows);
    return true;
}

void FieldSettingsDialog::ShowRows(const std::vector<FieldSettingsRow>& rows) {
    listCell_ = nullptr;  // the items go with the rows
    grid_->setRowCount(0);
    grid_->setRowCount(static_cast<int>(rows.size()));
    for (int row = 0; row < grid_->rowCount(); ++row) {
        const FieldSettingsRow& field = rows[static_cast<size_t>(row)];
        const std::string* texts[kColumnCount] = {&field.Index, &field.Name, &field.Kind,
                                                  &field.Hex, &field.Bits};
        for (int column = 0; column < kColumnCount; ++column) {
            auto* item = new QTableWidgetItem(ToQt(*texts[column]));
            // Kind, Hex and Bits take what their lists offer, never typed text.
            if (InplaceListOf(column) != nullptr) {
                item->setFlags(item->flags() & ~Qt::ItemIsEditable);
            }
            grid_->setItem(row, column, item);
        }
        grid_->item(row, kIndexColumn)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    HideInplaceLists();
    progressBar_->setValue(progressBar_->minimum());
}

std::vector<FieldSettingsRow> FieldSettingsDialog::GridRows() const {
    const auto text = [this](int row, int column) {
        const QTableWidgetItem* item = grid_->item(row, column);
        return item == nullptr ? std::string() : FromQt(item->text());
    };
    std::vector<FieldSettingsRow> rows;
    for (int row = 0; row < grid_->rowCount(); ++row) {
        rows.push_back({text(row, kIndexColumn), text(row, kNameColumn), text(row, kKindColumn),
                        text(row, kHexColumn), text(row, kSizeColumn)});
    }
    return rows;
}

QComboBox* FieldSettingsDialog::InplaceListOf(int column) const {
    switch (column) {
        case kKindColumn:
            return kindList_;
        case kHexColumn:
            return hexList_;
        case kSizeColumn:
            return sizeList_;
        default:
            return nullptr;
    }
}

void FieldSettingsDialog::HideInplaceLists() {
    // A focused widget that is hidden hands the focus on as if Tab were pressed, and the grid
    // would take that for a move to the next cell, opening that cell's list in turn. The
    // focus goes back to the grid first, so hiding moves nothing.
    for (QComboBox* list : {kindList_, hexList_, sizeList_}) {
        if (focusWidget() == list) {
            grid_->setFocus();
        }
        list->hide();
    }
}

void FieldSettingsDialog::ShowInplaceList(int row, int column) {
    HideInplaceLists();
    QComboBox* list = InplaceListOf(column);
    QTableWidgetItem* item = grid_->item(row, column);
    if (list == nullptr || item == nullptr) {
        return;
    }
    listCell_ = item;
    list->setGeometry(grid_->visualItemRect(item));
    list->setCurrentIndex(list->findText(item->text()));
    list->show();
    list->setFocus();
}

void FieldSettingsDialog::TakeChosenItem(QComboBox& list, int index) {
    if (listCell_ != nullptr) {
        listCell_->setText(list.itemText(index));
    }
    HideInplaceLists();
    grid_->setFocus();
}

// Nothing is taken over here: the command that showed the dialog takes the definitions over
// once it goes ahead, so a Cancel after OK leaves the definitions and their file as they were.
void FieldSettingsDialog::OkClicked() {
    const std::vector<FieldSettingsRow> rows = GridRows();
    progressBar_->setMaximum(static_cast<int>(rows.size()));
    const bool read = RunGuarded(dialogs_, [&] {
        confirmed_ = FieldDefsOfRows(rows, [this](int row) { progressBar_->setValue(row); });
    });
    if (read) {
        accept();
    }
}

}  // namespace kelvane
