#include "talents/ui/TalentSlotCell.h"

#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include "shell/ui/QtText.h"
#include "talents/ui/QuietText.h"
#include "talents/ui/SlotNames.h"

namespace kelvane {
namespace {

// The cell is laid out by hand: at this size a layout's margins would not leave the IDs room.
constexpr int kLeft = 4;
constexpr int kFieldHeight = 16;
constexpr int kCaptionHeight = 12;
constexpr int kIdWidth = 35;
constexpr int kRankWidth = 17;
constexpr int kCommitWidth = 26;
constexpr int kRanksWidth = 18;
constexpr int kGap = 3;
constexpr int kTalentTop = 14;
constexpr int kReqTalentTop = 46;
constexpr int kReqRankTop = 67;

}  // namespace

TalentSlotCell::TalentSlotCell(const SlotNames& names, QWidget* parent) : QWidget(parent) {
    setFixedSize(Side, Side);
    // A field's usual padding would eat most of its 35 pixels.
    setStyleSheet("QLineEdit { padding: 0px; }");
    constexpr int buttonLeft = kLeft + kIdWidth + kGap;

    AddCaption("Talent", QRect(kLeft, kTalentTop - kCaptionHeight, Side - kLeft, kCaptionHeight));
    AddField(SlotField::Talent, names.Talent, kLeft, kTalentTop, kIdWidth);
    QToolButton* commit = AddButton(names.Commit, "OK", buttonLeft, kTalentTop, kCommitWidth);
    connect(commit, &QToolButton::clicked, this, &TalentSlotCell::CommitClicked);

    AddCaption("Req. Talent",
               QRect(kLeft, kReqTalentTop - kCaptionHeight, Side - kLeft, kCaptionHeight));
    AddField(SlotField::ReqTalent, names.ReqTalent, kLeft, kReqTalentTop, kIdWidth);
    QToolButton* ranks = AddButton(names.Ranks, "S", buttonLeft, kReqTalentTop, kRanksWidth);
    connect(ranks, &QToolButton::clicked, this, &TalentSlotCell::RanksClicked);

    AddField(SlotField::ReqRank, names.ReqRank, kLeft, kReqRankTop, kRankWidth);
    constexpr int reqRankCaptionLeft = kLeft + kRankWidth + kGap;
    AddCaption("Req. N",
               QRect(reqRankCaptionLeft, kReqRankTop, Side - reqRankCaptionLeft, kFieldHeight));
}

void TalentSlotCell::ShowTexts(const SlotTexts& texts) {
    SetTextQuietly(FieldFor(SlotField::Talent), ToQt(texts.Talent));
    SetTextQuietly(FieldFor(SlotField::ReqTalent), ToQt(texts.ReqTalent));
    SetTextQuietly(FieldFor(SlotField::ReqRank), ToQt(texts.ReqRank));
}

void TalentSlotCell::AddField(SlotField field, const char* name, int x, int y, int width) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setGeometry(x, y, width, kFieldHeight);
    connect(edit, &QLineEdit::textEdited, this,
            [this, field](const QString& text) { emit TextEdited(field, text); });
    fields_[static_cast<size_t>(field)] = edit;
}

QToolButton* TalentSlotCell::AddButton(const char* name, const char* caption, int x, int y,
                                       int width) {
    auto* button = new QToolButton(this);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(QString::fromLatin1(caption));
    button->setGeometry(x, y, width, kFieldHeight);
    return button;
}

void TalentSlotCell::AddCaption(const char* caption, const QRect& geometry) {
    auto* label = new QLabel(QString::fromLatin1(caption), this);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label->setGeometry(geometry);
}

}  // namespace kelvane
