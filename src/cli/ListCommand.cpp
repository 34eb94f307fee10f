#include "cli/ListCommand.h"

#include <ostream>

#include "cli/CliSupport.h"
#include "cli/CommandLineUserInterface.h"

namespace chainforge {

void PrintCatalogueTsv(const Catalogue& catalogue, std::ostream& out) {
    for (const PointGroupEntry& group : catalogue.PointGroups()) {
        out << "group\t" << group.name << '\t' << group.position << '\n';
    }
    for (const AlignmentEntry& alignment : catalogue.Alignments()) {
        out << "alignment\t" << alignment.name << '\t' << alignment.stationStart << '\t'
            << alignment.position << '\n';
        for (const ProfileEntry& profile : alignment.profiles) {
            out << "profile\t" << alignment.name << '\t' << profile.name << '\t' << profile.position
                << '\n';
        }
        for (const std::string& surface : alignment.surfaces) {
            out << "surface\t" << alignment.name << '\t' << surface << '\n';
        }
    }
}

void PrintCatalogueText(const Catalogue& catalogue, std::ostream& out) {
    out << "Point groups (" << catalogue.PointGroups().size() << ")\n";
    for (const PointGroupEntry& group : catalogue.PointGroups()) {
        out << "  " << group.name << '\n';
    }
    out << "Alignments (" << catalogue.Alignments().size() << ")\n";
    for (const AlignmentEntry& alignment : catalogue.Alignments()) {
        out << "  " << alignment.name << "  (start station " << alignment.stationStart << ")\n";
        for (const ProfileEntry& profile : alignment.profiles) {
            out << "    profile: " << profile.name << '\n';
        }
        for (const std::string& surface : alignment.surfaces) {
            out << "    cross-section surface: " << surface << '\n';
        }
    }
}

int RunListCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::string path;
    bool tsv = false;
    for (const std::string& arg : args) {
        if (arg == "--tsv") {
            tsv = true;
        } else if (arg.starts_with("--")) {
            return UsageError(err, "unknown option '" + arg + "'");
        } else if (path.empty()) {
            path = arg;
        } else {
            return UsageError(err, "list takes one file");
        }
    }
    if (path.empty()) {
        return UsageError(err, "list needs a LandXML file");
    }
    CommandLineUserInterface ui(err);
    CDocumentBuffer document;
    Catalogue catalogue;
    if (!LoadAndScan(path, document, catalogue, ui)) {
        return 1;
    }
    if (tsv) {
        PrintCatalogueTsv(catalogue, out);
    } else {
        PrintCatalogueText(catalogue, out);
    }
    out.flush();
    return 0;
}

}  // namespace chainforge
