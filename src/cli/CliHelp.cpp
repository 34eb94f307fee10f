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
constexpr std::string_view kConvertAllUsage =
    "chainforge-cli convert-all FILE.xml... --out-dir DIR [--points GROUP|all|none]\n"
    "           [--profile NAME|first|none] [--surface NAME|first|corridor|none]\n"
    "           [--jobs N] [--report-json OUT.json] [--spirals arcs|ignore]\n"
    "           [--spiral-tolerance T] [--yes] [--force]\n";
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
constexpr std::string_view kConvertAllCommand =
    "  convert-all FILE.xml... --out-dir DIR\n"
    "                          write every alignment of every FILE to a chain file\n"
    "                          of its own, DIR/STEM/ALIGNMENT.ch, and each FILE's\n"
    "                          points to DIR/STEM/STEM.asc\n";
constexpr std::string_view kConvertAllDescription =
    "\nWrites every alignment of every FILE to DIR/STEM/ALIGNMENT.ch and each\n"
    "FILE's points, with the vertices its alignments add, to DIR/STEM/STEM.asc;\n"
    "the alignments of a FILE number their vertices on through that one point\n"
    "file. Names are made safe for Windows and Linux (reserved characters as\n"
    "\"_\", device names such as CON given a \"_\"), and names the same but for\n"
    "letter case numbered \"NAME (2)\", in list order. A NAME may hold the\n"
    "wildcards * and ?; the first match in list order is taken, and an\n"
    "alignment without one is converted without it, with a message. Standard\n"
    "output lists each alignment and its file, then a summary. The exit status\n"
    "is 1 too when a file or an alignment is not written. Ctrl+C stops the run\n"
    "after the files begun, writes the report and ends as Ctrl+C ends convert;\n"
    "a second Ctrl+C ends it at once.\n\nOptions:\n";
constexpr std::string_view kConvertAllOptions =
    "  --out-dir DIR           the folder to write into (made when missing)\n"
    "  --points GROUP|all|none the points: the first group matching GROUP, all\n"
    "                          groups in list order (the default), or none\n"
    "  --profile NAME|first|none\n"
    "                          each alignment's profile (default: first)\n"
    "  --surface NAME|first|corridor|none\n"
    "                          each alignment's cross-section surface (default:\n"
    "                          first; corridor: \"Corridor Top\"), letter case\n"
    "                          ignored\n"
    "  --jobs N                files converted side by side (default: one per core)\n"
    "  --report-json OUT.json  also write the report of every file and alignment\n"
    "  --yes                   convert an alignment with a surface but no profile\n"
    "                          (vertical control from the sections); without it\n"
    "                          such an alignment is not written\n";
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
    return Join({"Usage: ", kListUsage, "       ", kConvertUsage, "       ", kConvertAllUsage,
                 "       ", kPreviewUsage, "       chainforge-cli --help | --version\n",
                 "       chainforge-cli COMMAND --help\n"});
}

std::string HelpText() {
    return Join({kCommandsHeading,
                 kListCommand,
                 kConvertCommand,
                 kConvertAllCommand,
                 "  preview FILE.xml        ",
                 kPreviewDescription,
                 kPreviewPictures,
                 kPictureOptions,
                 "\nOptions of convert:\n",
                 kPointsOption,
                 kAsciiPointsOption,
                 kItemOptions,
                 kOutputOptions,
                 kSpiralOptions,
                 kUnitOption,
                 kForceOption,
                 "\nOptions of convert-all (and those of spirals and --force):\n",
                 kConvertAllOptions,
                 kGeneralOptions,
                 kStatus});
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
    if (command == "convert-all") {
        return Join({"Usage: ", kConvertAllUsage, kConvertAllDescription, kConvertAllOptions,
                     kSpiralOptions, kForceOption, kCommandHelpOption, "\n", kStatus});
    }
    if (command == "preview") {
        return Join({"Usage: ", kPreviewUsage, kPreviewCommandDescription, kPointsOption,
                     kItemOptions, kSpiralOptions, kUnitOption, kPictureOptions, kCommandHelpOption,
                     "\n", kStatus});
    }
    return {};
}

}  // namespace chainforge
