#include "cli/Cli.h"

#include <ostream>

#include "app/Version.h"
#include "cli/CliSupport.h"
#include "cli/ConvertCommand.h"
#include "cli/ListCommand.h"

namespace chainforge {
namespace {

constexpr const char* kUsage =
    "Usage: chainforge-cli list FILE.xml [--tsv | --json]\n"
    "       chainforge-cli convert FILE.xml [--points GROUP | --ascii-points IN.asc]\n"
    "           [--alignment NAME] [--profile NAME] [--surface NAME]\n"
    "           [--ascii-out OUT.asc] [--chain-out OUT.ch] [--report-json OUT.json]\n"
    "           [--spirals arcs|ignore] [--spiral-tolerance T] [--yes] [--force]\n"
    "       chainforge-cli preview FILE.xml [--points GROUP] [--alignment NAME]\n"
    "           [--profile NAME] [--surface NAME] [--spirals arcs|ignore]\n"
    "           [--spiral-tolerance T] [--plan-svg OUT.svg] [--profile-svg OUT.svg]\n"
    "           [--section-svg STATION:OUT.svg]...\n"
    "       chainforge-cli --help | --version\n";

constexpr const char* kHelp =
    "chainforge-cli converts LandXML files for road design.\n"
    "\n"
    "Commands:\n"
    "  list FILE.xml [--tsv | --json]\n"
    "                          show the point groups, alignments, profiles and\n"
    "                          cross-section surfaces that FILE holds; --tsv prints\n"
    "                          them as tab-separated rows, --json as JSON\n"
    "  convert FILE.xml        write the ASCII point file and the chain file for\n"
    "                          the named items (names as list prints them)\n"
    "  preview FILE.xml        describe what convert would write, asking nothing\n"
    "                          and writing no chain or point file; a surface\n"
    "                          without a profile gives the vertical control from\n"
    "                          the sections. It takes the options of convert that\n"
    "                          select items and spirals, and draws SVG pictures:\n"
    "  --plan-svg OUT.svg      the horizontal control and the points\n"
    "  --profile-svg OUT.svg   the vertical control (vertical exaggeration 10x)\n"
    "  --section-svg STATION:OUT.svg\n"
    "                          the templates at the section nearest STATION;\n"
    "                          may be given more than once\n"
    "\n"
    "Options of convert:\n"
    "  --points GROUP          points from the point group GROUP\n"
    "  --ascii-points IN.asc   points from the ASCII point file IN.asc instead\n"
    "  --alignment NAME        the alignment (horizontal control)\n"
    "  --profile NAME          a profile of that alignment (vertical control)\n"
    "  --surface NAME          a cross-section surface of that alignment (templates)\n"
    "  --ascii-out OUT.asc     the ASCII point file to write (default: FILE's stem .asc)\n"
    "  --chain-out OUT.ch      the chain file to write (default: FILE's stem .ch)\n"
    "  --yes                   answer Yes to the question about cross-sections\n"
    "                          without a profile (otherwise No)\n"
    "  --report-json OUT.json  also write the conversion report as JSON\n"
    "  --spirals arcs|ignore   spirals as circular arcs (the default) or left out\n"
    "  --spiral-tolerance T    largest distance of the arcs from a spiral, in the\n"
    "                          file's units, 1e-6 to 1 (default 0.001)\n"
    "  --force                 replace output files that exist\n"
    "\n"
    "Options:\n"
    "  --help                  show this help\n"
    "  --version               show the program's version\n"
    "\n"
    "Messages go to standard error as \"chainforge: TEXT\". Exit status: 0 done,\n"
    "1 done with an error message, 2 usage error.\n";

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        err << kUsage;
        return 2;
    }
    const std::string& command = args[0];
    if (command == "--help" || command == "-h") {
        out << kUsage << '\n' << kHelp;
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
    if (command == "preview") {
        return RunPreviewCommand(rest, out, err);
    }
    return UsageError(err, "unknown command '" + command + "'");
}

}  // namespace chainforge
