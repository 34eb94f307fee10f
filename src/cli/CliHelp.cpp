#include "cli/CliHelp.h"

namespace chainforge {
namespace {

constexpr std::string_view kListUsage = "chainforge-cli list FILE.xml [--tsv | --json]\n";
constexpr std::string_view kConvertUsage =
    "chainforge-cli convert FILE.xml [--points GROUP | --ascii-points IN.asc]\n"
    "           [--alignment NAME] [--profile NAME] [--surface NAME]\n"
    "           [--ascii-out OUT.asc] [--chain-out OUT.ch] [--report-json OUT.json]\n"
    "           [--spirals arcs|ignore] [--spiral-tolerance T]\n"
    "           [--linear-unit metre|foot|us-foot] [--yes] [--force]\n";
constexpr std::string_view kPreviewUsage =
    "chainforge-cli preview FILE.xml [--points GROUP] [--alignment NAME]\n"
    "           [--profile NAME] [--surface NAME] [--spirals arcs|ignore]\n"
    "           [--spiral-tolerance T] [--linear-unit metre|foot|us-foot]\n"
    "           [--plan-svg OUT.svg] [--profile-svg OUT.svg]\n"
    "           [--section-svg STATION:OUT.svg]...\n";

constexpr std::string_view kPreviewDescription =
    "describe what convert would write, asking nothing\n"
    "                          and writing no chain or point file; a surface\n"
    "                          without a profile gives the vertical control from\n"
    "                          the sections.";

// Option lines, each group in the order the whole help lists them.
constexpr std::string_view kPointsOption =
    "  --points GROUP          points from the point group GROUP\n";
constexpr std::string_view kAsciiPointsOption =
    "  --ascii-points IN.asc   points from the ASCII point file IN.asc instead\n";
constexpr std::string_view kItemOptions =
    "  --alignment NAME        the alignment (horizontal control)\n"
    "  --profile NAME          a profile of that alignment (vertical control)\n"
    "  --surface NAME          a cross-section surface of that alignment (templates)\n";
constexpr std::string_view kOutputOptions =
    "  --ascii-out OUT.asc     the ASCII point file to write (default: FILE's stem .asc)\n"
    "  --chain-out OUT.ch      the chain file to write (default: FILE's stem .ch)\n"
    "  --yes                   answer Yes to the question about cross-sections\n"
    "                          without a profile (otherwise No)\n"
    "  --report-json OUT.json  also write the conversion report as JSON\n";
constexpr std::string_view kSpiralOptions =
    "  --spirals arcs|ignore   spirals as circular arcs (the default) or left out\n"
    "  --spiral-tolerance T    largest distance of the arcs from a spiral, in the\n"
    "                          unit written, 1e-6 to 1 (default 0.001)\n";
constexpr std::string_view kUnitOption =
    "  --linear-unit metre|foot|us-foot\n"
    "                          write coordinates, stations, elevations, offsets\n"
    "                          and lengths in metres, international feet or US\n"
    "                          survey feet, converted from the unit the file\n"
    "                          states (default: the file's own numbers)\n";
constexpr std::string_view kForceOption =
    "  --force                 replace output files that exist\n";
constexpr std::string_view kPictureOptions =
    "  --plan-svg OUT.svg      the horizontal control and the points\n"
    "  --profile-svg OUT.svg   the vertical control (vertical exaggeration 10x)\n"
    "  --section-svg STATION:OUT.svg\n"
    "                          the templates at the section nearest STATION;\n"
    "                          may be given more than once\n";
constexpr std::string_view kListOptions =
    "  --tsv                   tab-separated rows: group, alignment, profile and\n"
    "                          surface, each with its name and position\n"
    "  --json                  JSON: the groups with their point counts, the\n"
    "                          alignments with start station, length, counts of\n"
    "                          lines, curves and spirals, profiles and surfaces\n";
constexpr std::string_view kCommandHelpOption = "  -h, --help              show this help\n";
constexpr std::string_view kStatus =
    "Messages go to standard error as \"chainforge: TEXT\". Exit status: 0 done,\n"
    "1 done with an error message, 2 usage error.\n";

constexpr std::string_view kCommandsHeading =
    "chainforge-cli converts LandXML files for road design.\n\nCommands:\n";
constexpr std::string_view kListCommand =
    "  list FILE.xml [--tsv | --json]\n"
    "                          show the point groups, alignments, profiles and\n"
    "                          cross-section surfaces that FILE holds; --tsv prints\n"
    "                          them as tab-separated rows, --json as JSON\n";
constexpr std::string_view kConvertCommand =
    "  convert FILE.xml        write the ASCII point file and the chain file for\n"
    "                          the named items (names as list prints them)\n";
constexpr std::string_view kPreviewPictures =
    " It takes the options of convert that\n"
    "                          select items and spirals, and draws SVG pictures:\n";
constexpr std::string_view kGeneralOptions =
    "\nOptions:\n"
    "  --help                  show this help (after a command: that command's)\n"
    "  --version               show the program's version\n\n";
constexpr std::string_view kListDescription =
    "\nShows the point groups, alignments (with their start stations), profiles\n"
    "and cross-section surfaces that FILE holds.\n\nOptions:\n";
constexpr std::string_view kConvertDescription =
    "\nWrites the ASCII point file and the chain file for the named items\n"
    "(names as list prints them).\n\nOptions:\n";
constexpr std::string_view kPreviewCommandDescription =
    "\nDescribes what convert would write, asking nothing and writing no chain\n"
    "or point file; a surface without a profile gives the vertical control\n"
    "from the sections.\n\nOptions:\n";

std::string Join(std::initializer_list<std::string_view> parts) {
    std::string text;
    for (const std::string_view part : parts) {
        text += part;
    }
    return text;
}

}  // namespace

std::string UsageText() {
    return Join({"Usage: ", kListUsage, "       ", kConvertUsage, "       ", kPreviewUsage,
                 "       chainforge-cli --help | --version\n",
                 "       chainforge-cli COMMAND --help\n"});
}

std::string HelpText() {
    return Join({kCommandsHeading, kListCommand, kConvertCommand, "  preview FILE.xml        ",
                 kPreviewDescription, kPreviewPictures, kPictureOptions, "\nOptions of convert:\n",
                 kPointsOption, kAsciiPointsOption, kItemOptions, kOutputOptions, kSpiralOptions,
                 kUnitOption, kForceOption, kGeneralOptions, kStatus});
}

std::string CommandHelpText(std::string_view command) {
    if (command == "list") {
        return Join({"Usage: ", kListUsage, kListDescription, kListOptions, kCommandHelpOption,
                     "\n", kStatus});
    }
    if (command == "convert") {
        return Join({"Usage: ", kConvertUsage, kConvertDescription, kPointsOption,
                     kAsciiPointsOption, kItemOptions, kOutputOptions, kSpiralOptions, kUnitOption,
                     kForceOption, kCommandHelpOption, "\n", kStatus});
    }
    if (command == "preview") {
        return Join({"Usage: ", kPreviewUsage, kPreviewCommandDescription, kPointsOption,
                     kItemOptions, kSpiralOptions, kUnitOption, kPictureOptions, kCommandHelpOption,
                     "\n", kStatus});
    }
    return {};
}

}  // namespace chainforge
