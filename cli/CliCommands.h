#pragma once

#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace kelvane::cli {

// Wrong arguments: main prints the usage text and exits with status 2.
class UsageError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

using Arguments = std::vector<std::string>;

// Each command gets the arguments after its name, returns the exit status and reports
// failures by throwing KelvaneError (status 1) or UsageError (status 2).
int RunInfo(const Arguments& args, std::ostream& out, std::ostream& err);
int RunDefs(const Arguments& args, std::ostream& out, std::ostream& err);
int RunResave(const Arguments& args, std::ostream& out, std::ostream& err);
int RunPreset(const Arguments& args, std::ostream& out, std::ostream& err);
int RunExportCsv(const Arguments& args, std::ostream& out, std::ostream& err);
int RunExportSql(const Arguments& args, std::ostream& out, std::ostream& err);
int RunExportPatch(const Arguments& args, std::ostream& out, std::ostream& err);
int RunImportCsv(const Arguments& args, std::ostream& out, std::ostream& err);
int RunApplyPatch(const Arguments& args, std::ostream& out, std::ostream& err);
int RunImport(const Arguments& args, std::ostream& out, std::ostream& err);
int RunImportLoot(const Arguments& args, std::ostream& out, std::ostream& err);
int RunDat(const Arguments& args, std::ostream& out, std::ostream& err);
int RunDiff(const Arguments& args, std::ostream& out, std::ostream& err);
int RunExportSqlite(const Arguments& args, std::ostream& out, std::ostream& err);
int RunImportSqlite(const Arguments& args, std::ostream& out, std::ostream& err);

}  // namespace kelvane::cli
