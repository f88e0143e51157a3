#include <algorithm>
#include <exception>
#include <iostream>
#include <new>
#include <optional>
#include <string>
#include <string_view>

#include "cli/CliCommand.h"
#include "cli/CliCommands.h"
#include "cli/CommandHelp.h"
#include "cli/CommandTable.h"
#include "cli/DefinitionFlags.h"
#include "core/base/HelpFlag.h"
#include "core/base/KelvaneError.h"

namespace {

using kelvane::IsHelpFlag;
using kelvane::cli::Arguments;
using kelvane::cli::CliCommand;

int PrintUsage(std::ostream& err) {
    kelvane::cli::PrintUsage(kelvane::cli::CliCommandTable(), err);
    return 2;
}

// --help, --version and COMMAND --help are answered before the global flags are taken, so
// asking for help neither needs a command's arguments nor remembers a flag.
std::optional<int> AnswerHelpOrVersion(const Arguments& arguments) {
    Arguments words = arguments;
    try {
        kelvane::cli::TakeDefinitionFlagValues(words);
    } catch (const kelvane::cli::UsageError&) {
        return std::nullopt;
    }
    if (words.empty()) {
        return std::nullopt;
    }
    if (IsHelpFlag(words.front())) {
        kelvane::cli::PrintProgramHelp(kelvane::cli::CliCommandTable(), std::cout);
        return 0;
    }
    if (words.front() == "--version") {
        kelvane::cli::PrintVersion(std::cout);
        return 0;
    }
    const CliCommand* command = kelvane::cli::CommandNamed(words.front());
    if (command != nullptr && std::ranges::any_of(words, IsHelpFlag)) {
        kelvane::cli::PrintCommandHelp(*command, std::cout);
        return 0;
    }
    return std::nullopt;
}

int RunCommand(const CliCommand& command, const Arguments& args) {
    try {
        return command.Run(args, std::cout, std::cerr);
    } catch (const kelvane::cli::UsageError& error) {
        std::cerr << "kelvane-cli: " << error.what() << '\n'
                  << "usage: kelvane-cli " << command.Usage << '\n';
        return 2;
    } catch (const kelvane::KelvaneError& error) {
        std::cerr << error.what() << '\n';
        return 1;
    } catch (const std::bad_alloc&) {
        std::cerr << "Not enough memory to finish the command.\n";
        return 1;
    } catch (const std::exception& error) {
        std::cerr << "Unexpected failure: " << error.what() << '\n';
        return 1;
    }
}

// Takes the global flags out of args for every command: tables load with them.
bool TakeGlobalFlags(Arguments& args, int& status) {
    try {
        kelvane::cli::UseDefinitionSettings(kelvane::cli::TakeDefinitionFlags(args, std::cerr));
        return true;
    } catch (const kelvane::cli::UsageError& error) {
        std::cerr << "kelvane-cli: " << error.what() << '\n';
        status = PrintUsage(std::cerr);
    } catch (const kelvane::KelvaneError& error) {
        std::cerr << error.what() << '\n';
        status = 1;
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    Arguments args(argv + 1, argv + argc);
    if (const std::optional<int> status = AnswerHelpOrVersion(args)) {
        return *status;
    }
    int status = 0;
    if (!TakeGlobalFlags(args, status)) {
        return status;
    }
    if (args.empty()) {
        return PrintUsage(std::cerr);
    }
    const std::string name = args.front();
    args.erase(args.begin());
    if (const CliCommand* command = kelvane::cli::CommandNamed(name)) {
        return RunCommand(*command, args);
    }
    std::cerr << "kelvane-cli: unknown command '" << name << "'\n";
    return PrintUsage(std::cerr);
}
