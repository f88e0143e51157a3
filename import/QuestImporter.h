#pragma once

#include <array>

#include "import/RecordImport.h"

namespace kelvane {

// quests.tt: list keys that recur in a quest fill numbered column pairs ('reward_item_1',
// 'reward_item_1_amount', then 'reward_item_2', ...), "Location" fills ma, mx, my and mz, the
// word keys become numbers and masks, and other keys go by AssignByKind.
class QuestImporter : public SectionImporter {
  public:
    // The lists whose lines are numbered, each with its own count within a quest.
    enum List { Reputation, RewardItem, RewardChoice, Deliver, Kill, ListCount };

    bool KeyAddsUp(std::string_view key) const override;
    void StartSection() override { nextNumbers_.fill(1); }
    void HandleLine(RecordTable& table, std::string_view key, std::string_view line) override;

  private:
    std::array<int, ListCount> nextNumbers_{};
};

}  // namespace kelvane
