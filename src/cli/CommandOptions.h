// The options that convert and preview share (the LandXML file, the items
// selected, the spirals) and the parsing of a command's arguments over them.
#pragma once

#include <functional>
#include <iosfwd>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "cli/CommandLineUserInterface.h"
#include "convert/RunConversion.h"
#include "landxml/Catalogue.h"
#include "landxml/DocumentBuffer.h"
#include "ui/UserInterface.h"

namespace chainforge {

struct SelectionOptions {
    std::string command;  // the command's name, as usage problems show it
    std::string input;
    ConversionSelections selections;
    std::optional<std::string> spirals;
    std::optional<std::string> spiralTolerance;
    std::optional<std::string> linearUnit;
    bool help = false;
};

// The options of one command beyond the shared ones: flags, options whose
// last value counts, and options that may be given more than once.
struct CommandOwnOptions {
    std::map<std::string, bool*> flags;
    std::map<std::string, std::optional<std::string>*> values;
    std::map<std::string, std::vector<std::string>*> lists;
    // Takes every LandXML file named, for a command that takes several.
    std::vector<std::string>* inputs = nullptr;
};

// Fills options and own from args; returns the usage problem, or the empty
// text. Stops at --help.
std::string ParseArguments(const std::vector<std::string>& args, SelectionOptions& options,
                           const CommandOwnOptions& own);

// The usage problem of the shared options taken together: the LandXML file
// missing, items given without those they need; or the empty text.
std::string CheckCombination(const SelectionOptions& options);

// Fills the spiral options; returns the usage problem, or the empty text.
std::string ReadSpiralOptions(const SelectionOptions& options, SpiralOptions& spirals);

// Fills the unit to write lengths in; returns the usage problem, or the
// empty text.
std::string ReadLinearUnitOption(const SelectionOptions& options, ConversionSelections& selections);

// An option and the file it names.
using Name = std::pair<std::string, std::string>;

// The first output without a name, or that names a file already taken, by
// an input or an output before it, as a usage problem; the empty text when
// there is none.
std::string FirstClash(const std::vector<Name>& outputs, std::vector<Name> taken);

// Loads the file and checks the selected names and that its unit can be
// written in the one chosen; false after the message.
bool LoadSelected(const SelectionOptions& options, CDocumentBuffer& document, CCatalogue& catalogue,
                  CUserInterface& ui);

// The work of a command on the file loaded and scanned; returns the exit
// status.
using CommandBody =
    std::function<int(CCommandLineUserInterface& ui, CDocumentBuffer& document, const CCatalogue&)>;

// Runs a command whose options were read with the usage problem given (exit
// status 2 when there is one), shows its help (0) when asked, loads and checks
// the selected file (1 when that fails) and then runs body.
int RunSelectionCommand(SelectionOptions& options, const std::string& problem, std::ostream& out,
                        std::ostream& err, const CommandBody& body);

}  // namespace chainforge
