#include "cli/CommandFlags.h"

#include <algorithm>

namespace kelvane::cli {

bool TakeFlag(Arguments& args, std::string_view flag) {
    const auto removed = std::remove(args.begin(), args.end(), flag);
    const bool found = removed != args.end();
    args.erase(removed, args.end());
    return found;
}

}  // namespace kelvane::cli
