#include "cli/Cli.h"

#include <ostream>

#include "cli/CliHelp.h"
#include "cli/CliSupport.h"
#include "cli/ConvertAllCommand.h"
#include "cli/ConvertCommand.h"
#include "cli/ListCommand.h"
#include "cli/PreviewCommand.h"
#include "convert/Version.h"

namespace chainforge {

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        err << UsageText();
        return 2;
    }
    const std::string& command = args[0];
    if (IsHelpOption(command)) {
        out << UsageText() << '\n' << HelpText();
        return 0;
    }
    if (command == "--version") {
        out << "chainforge-cli " << kVersionText << '\n';
        return 0;
    }
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (command == "list") {
        return RunListCommand(rest, out, err);
    }
    if (command == "convert") {
        return RunConvertCommand(rest, out, err);
    }
    if (command == "convert-all") {
        return RunConvertAllCommand(rest, out, err);
    }
    if (command == "preview") {
        return RunPreviewCommand(rest, out, err);
    }
    return UsageError(err, "unknown command '" + command + "'");
}

}  // namespace chainforge
