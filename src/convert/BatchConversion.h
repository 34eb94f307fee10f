// Converting every alignment of several LandXML files in one run: the rules
// that pick each alignment's profile and surface and each file's points, the
// names of the files written, one job per LandXML file on a pool of threads,
// and the report of the whole run. Each job has its own document, catalogue,
// user interface and report; the jobs share only the stop flag and the
// progress callback, which is called under a lock.
#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "alignment/HorizontalAlignmentReader.h"
#include "convert/ConversionReport.h"
#include "landxml/Catalogue.h"
#include "ui/UserInterface.h"

namespace chainforge {

// How an item is picked from a list: the first listed, none, the first whose
// name matches a pattern (MatchesPattern: "*" and "?"), every one (point
// groups), or the corridor's finished surface "Corridor Top" (surfaces).
struct ItemRule {
    enum class Kind { First, None, Pattern, All, Corridor };
    Kind kind = Kind::First;
    std::string pattern;
};

// A rule's option text: "first", "none", "all" or "corridor" where allowed
// (words in lower case), anything else a pattern.
ItemRule ReadItemRule(const std::string& text, bool allowAll, bool allowCorridor);

// The profile and the surface the rules pick for an alignment: profiles are
// matched as named, surfaces in any letter case, as convert finds them.
std::optional<std::string> PickProfile(const AlignmentEntry& alignment, const ItemRule& rule);
std::optional<std::string> PickSurface(const AlignmentEntry& alignment, const ItemRule& rule);
// The point groups the rule picks, in list order.
std::vector<std::string> PickPointGroups(const CCatalogue& catalogue, const ItemRule& rule);

struct BatchOptions {
    std::vector<std::string> inputs;
    std::string outDir;
    ItemRule points{ItemRule::Kind::All, {}};
    ItemRule profile;
    ItemRule surface;
    SpiralOptions spirals;
    unsigned jobs = 1;
    // A file that exists is replaced when replace is set; otherwise it is
    // kept, and the message that names it ends with keptHint, which says how
    // to replace it.
    bool replace = false;
    std::string keptHint;
};

enum class BatchStatus { NotStarted, Converted, WithMessages, Failed };

// "not started", "converted", "with messages", "failed".
std::string BatchStatusText(BatchStatus status);

struct BatchAlignment {
    std::string name;  // as the catalogue lists it
    std::string path;  // its chain file
    std::optional<std::string> profile;
    std::optional<std::string> surface;
    BatchStatus status = BatchStatus::NotStarted;
    ConversionReport report;  // the messages of the rules first
};

struct BatchFile {
    std::string input;
    std::string folder;  // where its files go
    std::string pointsPath;
    BatchStatus status = BatchStatus::NotStarted;
    std::vector<std::string> messages;  // of the load, and of a folder not made
    ConversionReport points;            // of the point file; none when its groups are none
    std::vector<BatchAlignment> alignments;
};

struct BatchReport {
    std::vector<BatchFile> files;  // in the order of the inputs
    bool stopped = false;          // the stop flag ended the run early
};

// The files planned before any is converted: inputs in order, each with its
// folder (outDir and the distinct safe name of its stem) and point file.
BatchReport PlanBatch(const BatchOptions& options);

// Tells that a file's job started or ended; done counts the files ended.
struct BatchProgress {
    std::size_t file = 0;
    bool finished = false;
    std::size_t done = 0;
    std::size_t total = 0;
};
using BatchProgressFunction = std::function<void(const BatchProgress&)>;

// The user interface of a file's job: questions and save dialogs are answered
// without asking (a save dialog's request names, in initialName, the file the
// batch writes), and messages are kept for the file.
using BatchUserInterfaces = std::function<CUserInterface&(std::size_t file)>;

// Converts the planned files on options.jobs threads, each file in one job:
// its point groups, then every alignment in list order to its own chain
// file, their vertices numbered on through one point list, then the point
// file of that list. A file not begun when stop is set is left NotStarted
// (one being loaded too); a file begun is finished.
void RunBatch(const BatchOptions& options, BatchReport& report, const BatchUserInterfaces& uis,
              const BatchProgressFunction& progress, const std::atomic<bool>& stop);

// How many have each status.
struct BatchCounts {
    std::size_t converted = 0;
    std::size_t withMessages = 0;
    std::size_t failed = 0;
    std::size_t notStarted = 0;

    void Count(BatchStatus status);
    std::size_t Total() const { return converted + withMessages + failed + notStarted; }
};

// The summary: files and alignments by status.
struct BatchSummary {
    BatchCounts files;
    BatchCounts alignments;
};
BatchSummary SummarizeBatch(const BatchReport& report);

// "2 files (...), 7 alignments: 5 converted, 1 with messages, 1 failed, 0 not started".
std::string BatchSummaryText(const BatchSummary& summary);

// The report as JSON: every file with its alignments, each alignment's
// conversion report as ReportJson writes it, and the summary.
std::string BatchReportJson(const BatchReport& report);

// Each alignment's line "NAME -> PATH (STATUS)" of one file, ended by line feeds.
std::string BatchFileText(const BatchFile& file);

}  // namespace chainforge
