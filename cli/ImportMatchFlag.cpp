#include "cli/ImportMatchFlag.h"

#include "cli/CommandFlags.h"

namespace kelvane::cli {

ImportMatch TakeImportMatch(Arguments& args) {
    return TakeFlag(args, "--by-position") ? ImportMatch::ByPosition : ImportMatch::ByKey;
}

}  // namespace kelvane::cli
