#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "landxml/Catalogue.h"

namespace chainforge {

// "list FILE.xml [--tsv]": prints the catalogue of FILE.
int RunListCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The catalogue as tab-separated rows, in catalogue order.
void PrintCatalogueTsv(const CCatalogue& catalogue, std::ostream& out);

// The catalogue as JSON: groups with their point counts, alignments with
// their start station text, length, element counts, profiles and surfaces.
void PrintCatalogueJson(const CCatalogue& catalogue, std::ostream& out);

// The catalogue for a person to read.
void PrintCatalogueText(const CCatalogue& catalogue, std::ostream& out);

}  // namespace chainforge
