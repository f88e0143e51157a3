#include "talents/ui/TalentTreeWindow.h"

#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QStyle>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "shell/CommandGuard.h"
#include "shell/ui/CentreOnScreen.h"
#include "shell/ui/QtText.h"
#include "talents/TalentClasses.h"
#include "talents/TalentEditor.h"
#include "talents/ui/QuietText.h"
#include "talents/ui/SlotNames.h"
#include "talents/ui/TalentSlotCell.h"

namespace kelvane {
namespace {

constexpr int kWidth = 372;
constexpr int kHeight = 762;
constexpr int kTabCount = 5;
// Room for the title bar and borders the window manager adds, which Qt learns of only once
// the window is on screen.
constexpr int kFrameAllowance = 40;
// Small enough for five-digit IDs to fit the slots' narrow fields.
constexpr int kPointSize = 7;

}  // namespace

TalentTreeWindow::TalentTreeWindow(TalentEditor& editor, UserDialogs& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window), editor_(editor), dialogs_(dialogs) {
    setObjectName("Form17");
    setWindowTitle("Talents Editor");
    QFont small = font();
    small.setPointSize(kPointSize);
    setFont(small);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(BuildClassBar());
    layout->addWidget(BuildTabControl(), 1);
    setMinimumWidth(kWidth);
    resize(kWidth, kHeight);

    editor_.OnViewChanged([this] { ShowEditorState(); });
    ShowEditorState();
}

QWidget* TalentTreeWindow::BuildClassBar() {
    auto* bar = new QWidget(this);
    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel("Classes", bar));
    classes_ = new QComboBox(bar);
    classes_->setObjectName("ComboBox1");
    for (const TalentClass& talentClass : TalentClasses) {
        classes_->addItem(ToQt(talentClass.Name));
    }
    layout->addWidget(classes_);
    layout->addStretch(1);
    // activated: only the user's picks, never the redraw's.
    connect(classes_, &QComboBox::activated, this,
            [this](int index) { Run([this, index] { editor_.SelectClass(index); }); });
    return bar;
}

// The tab control: one page that every tab shares, with the tabs along its bottom edge.
// Picking a tab changes no controls, only what the editor loads into them.
QWidget* TalentTreeWindow::BuildTabControl() {
    auto* control = new QWidget(this);
    control->setObjectName("TabControl1");
    auto* page = new QFrame(control);
    page->setFrameShape(QFrame::StyledPanel);
    auto* pageLayout = new QVBoxLayout(page);
    pageLayout->setContentsMargins(3, 3, 3, 3);
    pageLayout->setSpacing(0);
    for (int row = 0; row < SlotRowCount; ++row) {
        pageLayout->addWidget(BuildSlotRow(row, page), 0, Qt::AlignHCenter);
    }
    pageLayout->addStretch(1);
    // On a screen too low for the whole tree the slots scroll, while the class list, the tab's
    // name and buttons and the tabs stay in sight.
    auto* scroller = new QScrollArea(control);
    scroller->setObjectName("TreeScroller");
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setWidgetResizable(true);
    scroller->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroller->setWidget(page);

    tabs_ = new QTabBar(control);
    tabs_->setShape(QTabBar::RoundedSouth);
    tabs_->setExpanding(false);
    for (int tab = 1; tab <= kTabCount; ++tab) {
        tabs_->addTab(QString::number(tab));
    }
    // Redraws set the tab with signals blocked, so this is the user's change only.
    connect(tabs_, &QTabBar::currentChanged, this,
            [this](int index) { Run([this, index] { editor_.SelectTab(index); }); });

    auto* layout = new QVBoxLayout(control);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(scroller, 1);
    layout->addSpacing(4);
    layout->addWidget(BuildTabButtons(control));
    layout->addWidget(tabs_);
    return control;
}

QWidget* TalentTreeWindow::BuildSlotRow(int row, QWidget* parent) {
    auto* frame = new QFrame(parent);
    frame->setFrameShape(QFrame::Box);
    frame->setFrameShadow(QFrame::Sunken);
    auto* layout = new QHBoxLayout(frame);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);
    for (int column = 0; column < SlotColumnCount; ++column) {
        const int slot = row * SlotColumnCount + column + 1;
        auto* cell = new TalentSlotCell(SlotNameTable[static_cast<size_t>(slot - 1)], frame);
        connect(
            cell, &TalentSlotCell::TextEdited, this,
            [this, slot](SlotField field, const QString& text) {
                Run([this, slot, field, &text] { editor_.SetSlotText(slot, field, FromQt(text)); });
            });
        connect(cell, &TalentSlotCell::RanksClicked, this,
                [this, slot] { Run([this, slot] { editor_.ShowRanks(slot); }); });
        connect(cell, &TalentSlotCell::CommitClicked, this,
                [this, slot] { Run([this, slot] { editor_.CommitSlot(slot); }); });
        layout->addWidget(cell);
        cells_[static_cast<size_t>(slot - 1)] = cell;
    }
    return frame;
}

QWidget* TalentTreeWindow::BuildTabButtons(QWidget* parent) {
    auto* bar = new QWidget(parent);
    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(0, 0, 0, 0);
    tabName_ = new QLineEdit(bar);
    tabName_->setObjectName("TabName");
    // textEdited: only what the user types; the view load names the tab itself.
    connect(tabName_, &QLineEdit::textEdited, this, [this](const QString& text) {
        Run([this, &text] { editor_.SetTabName(FromQt(text)); });
    });
    layout->addWidget(tabName_, 1);
    connect(AddButton("SpeedButton31", "Delete Tab", bar), &QToolButton::clicked, this,
            [this] { Run([this] { editor_.DeleteTab(); }); });
    connect(AddButton("SpeedButton32", "Delete Talent", bar), &QToolButton::clicked, this,
            &TalentTreeWindow::DeleteTalentRequested);
    connect(AddButton("SpeedButton30", "SAVE", bar), &QToolButton::clicked, this,
            [this] { Run([this] { editor_.SaveTables(); }); });
    return bar;
}

QToolButton* TalentTreeWindow::AddButton(const char* name, const char* caption, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(QString::fromLatin1(caption));
    parent->layout()->addWidget(button);
    return button;
}

void TalentTreeWindow::ShowInFront() {
    show();
    raise();
    activateWindow();
}

void TalentTreeWindow::ShowEditorState() {
    {
        const QSignalBlocker block(classes_);
        classes_->setCurrentIndex(editor_.ClassIndex());
    }
    {
        const QSignalBlocker block(tabs_);
        tabs_->setCurrentIndex(editor_.TabIndex());
    }
    SetTextQuietly(*tabName_, ToQt(editor_.TabName()));
    for (int slot = 1; slot <= SlotCount; ++slot) {
        cells_[static_cast<size_t>(slot - 1)]->ShowTexts(editor_.Slot(slot));
    }
}

void TalentTreeWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Each time the window appears it asks for both tables again; queued, so the window is on
    // screen before the file dialogs open over it.
    if (!event->spontaneous()) {
        FitOnScreen();
        QMetaObject::invokeMethod(this, &TalentTreeWindow::LoadOrClose, Qt::QueuedConnection);
    }
}

// A window with no tree to show (its files not chosen, or the table's unsaved changes kept)
// closes rather than standing empty.
void TalentTreeWindow::LoadOrClose() {
    Run([this] { editor_.ChooseFilesAndLoad(); });
    if (!editor_.HasTree()) {
        close();
    }
}

// The window opens at the size the whole tree needs, or as high as the screen allows, and the
// user may resize it: the slots scroll, everything else stays in sight.
void TalentTreeWindow::FitOnScreen() {
    const QScreen* screen = OwnerScreen(*this);
    if (screen == nullptr) {
        return;
    }
    const int height = std::min(kHeight, screen->availableGeometry().height() - kFrameAllowance);
    // A shortened tree scrolls, and its scroll bar takes room beside the slots.
    const int width =
        height < kHeight ? kWidth + style()->pixelMetric(QStyle::PM_ScrollBarExtent) : kWidth;
    resize(std::max(width, this->width()), std::min(height, this->height()));
    CentreOnScreen(*this);
}

void TalentTreeWindow::Run(const std::function<void()>& action) {
    RunGuarded(dialogs_, action);
    ShowEditorState();
}

}  // namespace kelvane
