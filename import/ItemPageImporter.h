#pragma once

#include <string>

#include "import/RecordImport.h"

namespace kelvane {

// itempages.tt: the "Line" lines of a page are joined with CR LF into the string column
// "PageText", set at the end of every section (also to the empty text); other keys go by
// AssignByKind. Empty lines before the first text leave no trace.
class ItemPageImporter : public SectionImporter {
  public:
    bool KeyAddsUp(std::string_view key) const override;
    void StartSection() override { pageText_.clear(); }
    void HandleLine(RecordTable& table, std::string_view key, std::string_view line) override;
    void EndSection(RecordTable& table) override;

  private:
    std::string pageText_;
};

}  // namespace kelvane
