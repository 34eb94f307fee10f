#include "convert/BatchConversion.h"

#include <algorithm>
#include <exception>
#include <filesystem>
#include <map>
#include <mutex>
#include <thread>
#include <utility>

#include "convert/BatchNames.h"
#include "convert/OpenDocument.h"
#include "convert/RunConversion.h"
#include "io/Platform.h"

namespace chainforge {
namespace {

// Passes everything on to the job's interface, with the planned name in each
// save request unless it names a file to keep, and keeps the questions
// answered No for the report.
class CBatchAnswers : public CUserInterface {
  public:
    CBatchAnswers(CUserInterface& ui, const BatchOptions& options)
        : ui_(ui), replace_(options.replace), keptHint_(options.keptHint) {}

    void Plan(const std::string& extension, std::string path) {
        planned_[extension] = std::move(path);
    }
    // The questions answered No since the last call, each followed by " [no]".
    std::vector<std::string> TakeRefusals() { return std::exchange(refusals_, {}); }

    // Keeps the messages shown from now on in kept too; nullptr: no more.
    void KeepMessagesIn(std::vector<std::string>* kept) { kept_ = kept; }

    void ShowMessage(const std::string& text) override {
        if (kept_ != nullptr) {
            kept_->push_back(text);
        }
        ui_.ShowMessage(text);
    }
    bool AskYesNo(const std::string& text) override {
        const bool yes = ui_.AskYesNo(text);
        if (!yes) {
            refusals_.push_back(text + " [no]");
        }
        return yes;
    }
    std::optional<std::string> AskOpenFileName(const FileDialogRequest&) override {
        return std::nullopt;
    }
    // Only a regular file is kept: the writer refuses any other kind itself.
    std::optional<std::string> AskSaveFileName(const FileDialogRequest& request) override {
        FileDialogRequest planned = request;
        planned.initialName = planned_[request.defaultExtension];
        if (planned.askBeforeReplacing && !replace_ &&
            StatusOf(planned.initialName).kind == FileKind::Regular) {
            ui_.ShowMessage("File " + planned.initialName + " already exists; " + keptHint_);
            return std::nullopt;
        }
        planned.askBeforeReplacing = false;
        return ui_.AskSaveFileName(planned);
    }
    bool FileExists(const std::string& path) override { return ui_.FileExists(path); }

  private:
    CUserInterface& ui_;
    const bool replace_;
    const std::string keptHint_;
    std::map<std::string, std::string> planned_;
    std::vector<std::string> refusals_;
    std::vector<std::string>* kept_ = nullptr;
};

// name in folder, with "/" between as every system takes it, so that the
// paths printed and reported are the same on each; the folder as given.
std::string InFolder(const std::string& folder, const std::string& name) {
    constexpr bool kBackslashSeparates = std::filesystem::path::preferred_separator == '\\';
    if (folder.empty() || folder.ends_with('/') ||
        (kBackslashSeparates && folder.ends_with('\\'))) {
        return folder + name;
    }
    return folder + "/" + name;
}

// The first name that the rule picks; patterns compared in any letter case
// when noCase. Only surfaces are read with the corridor rule.
std::optional<std::string> PickName(const std::vector<std::string>& names, const ItemRule& rule,
                                    bool noCase) {
    for (const std::string& name : names) {
        const bool picked =
            rule.kind == ItemRule::Kind::First ||
            (rule.kind == ItemRule::Kind::Pattern && MatchesPattern(name, rule.pattern, noCase)) ||
            (rule.kind == ItemRule::Kind::Corridor && name == kCorridorSurface);
        if (picked) {
            return name;
        }
    }
    return std::nullopt;
}

std::vector<std::string> ProfileNames(const AlignmentEntry& alignment) {
    std::vector<std::string> names;
    for (const ProfileEntry& profile : alignment.profiles) {
        names.push_back(profile.name);
    }
    return names;
}

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

// What a rule that picked nothing tells, for an item ("profile",
// "cross-section surface") of the alignment; nothing when none was asked.
std::optional<std::string> NothingPicked(const std::string& alignment, const ItemRule& rule,
                                         const std::string& item) {
    const std::string without = "; converted without one";
    switch (rule.kind) {
        case ItemRule::Kind::First:
            return "Alignment " + Quoted(alignment) + " has no " + item + without;
        case ItemRule::Kind::Pattern:
            return "No " + item + " of alignment " + Quoted(alignment) + " matches " +
                   Quoted(rule.pattern) + without;
        case ItemRule::Kind::Corridor:
            return "Alignment " + Quoted(alignment) + " has no " + item + " " +
                   Quoted(std::string(kCorridorSurface)) + without;
        default:
            return std::nullopt;
    }
}

// The rules' notes of the alignment, shown before its conversion.
std::vector<std::string> RuleNotes(const BatchOptions& options, const BatchAlignment& alignment) {
    std::vector<std::string> notes;
    if (!alignment.profile) {
        if (auto note = NothingPicked(alignment.name, options.profile, "profile")) {
            notes.push_back(std::move(*note));
        }
    }
    if (!alignment.surface) {
        if (auto note = NothingPicked(alignment.name, options.surface, "cross-section surface")) {
            notes.push_back(std::move(*note));
        }
    }
    return notes;
}

BatchStatus AlignmentStatus(const ConversionReport& report) {
    if (report.files.empty()) {
        return BatchStatus::Failed;
    }
    return report.messages.empty() ? BatchStatus::Converted : BatchStatus::WithMessages;
}

// The alignments of the catalogue with their chain files and picked items.
std::vector<BatchAlignment> PlanAlignments(const BatchOptions& options, const std::string& folder,
                                           const CCatalogue& catalogue) {
    std::vector<std::string> names;
    for (const AlignmentEntry& entry : catalogue.Alignments()) {
        names.push_back(entry.name);
    }
    const std::vector<std::string> fileNames = DistinctFileNames(names);
    std::vector<BatchAlignment> alignments;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const AlignmentEntry& entry = catalogue.Alignments()[i];
        BatchAlignment alignment;
        alignment.name = entry.name;
        alignment.path = InFolder(folder, fileNames[i] + ".ch");
        alignment.profile = PickProfile(entry, options.profile);
        alignment.surface = PickSurface(entry, options.surface);
        alignments.push_back(std::move(alignment));
    }
    return alignments;
}

// What the jobs of a file share: the loaded file and its answers.
struct FileJob {
    const BatchOptions& options;
    BatchFile& file;
    CDocumentBuffer& document;
    const CCatalogue& catalogue;
    CBatchAnswers& ui;
};

void ConvertAlignment(const FileJob& job, BatchAlignment& alignment, PointList& points) {
    ConversionSelections selections;
    selections.documentPath = job.file.input;
    selections.spirals = job.options.spirals;
    selections.alignment = alignment.name;
    selections.profile = alignment.profile;
    selections.surface = alignment.surface;
    std::vector<std::string> messages = RuleNotes(job.options, alignment);
    for (const std::string& note : messages) {
        job.ui.ShowMessage(note);
    }
    job.ui.Plan("CH", alignment.path);
    bool spiralWarning = true;
    alignment.report =
        RunChainConversion(selections, job.document, job.catalogue, spiralWarning, points, job.ui);
    for (std::string& refusal : job.ui.TakeRefusals()) {
        messages.push_back(std::move(refusal));
    }
    std::vector<std::string>& shown = alignment.report.messages;
    shown.insert(shown.begin(), messages.begin(), messages.end());
    alignment.status = AlignmentStatus(alignment.report);
}

// A file gone through is converted when neither it, nor its point file, nor
// any alignment said anything.
BatchStatus ConvertedFileStatus(const BatchFile& file) {
    const bool clean = file.messages.empty() && file.points.messages.empty() &&
                       std::all_of(file.alignments.begin(), file.alignments.end(),
                                   [](const BatchAlignment& alignment) {
                                       return alignment.status == BatchStatus::Converted;
                                   });
    return clean ? BatchStatus::Converted : BatchStatus::WithMessages;
}

// The file's point groups, its alignments and its point file, in that order.
void ConvertLoaded(const FileJob& job) {
    BatchFile& file = job.file;
    ConversionSelections selections;
    selections.documentPath = file.input;
    const std::vector<std::string> groups = PickPointGroups(job.catalogue, job.options.points);
    if (groups.empty() && job.options.points.kind == ItemRule::Kind::Pattern) {
        file.messages.push_back("No point group matches " + Quoted(job.options.points.pattern) +
                                "; the point file holds only the alignments' vertices");
        job.ui.ShowMessage(file.messages.back());
    }
    PointList points;
    file.points =
        GatherPointGroups(selections, groups, job.document, job.catalogue, points, job.ui);
    if (ReadWasCutOff(file.points)) {
        file.status = BatchStatus::Failed;
        return;
    }
    file.alignments = PlanAlignments(job.options, file.folder, job.catalogue);
    for (BatchAlignment& alignment : file.alignments) {
        ConvertAlignment(job, alignment, points);
    }
    job.ui.Plan("ASC", file.pointsPath);
    WritePointFile(selections, points, file.points, job.ui);
    file.status = ConvertedFileStatus(file);
}

void FailFile(BatchFile& file, const std::string& message, CUserInterface& ui) {
    file.messages.push_back(message);
    ui.ShowMessage(message);
    file.status = BatchStatus::Failed;
}

// Loads and converts one file; a load that the stop flag ends leaves it not
// started, as nothing of it has been written.
void ConvertFile(const BatchOptions& options, BatchFile& file, CUserInterface& userInterface,
                 const std::atomic<bool>& stop) {
    CBatchAnswers ui(userInterface, options);
    CDocumentBuffer document;
    CCatalogue catalogue;
    ui.KeepMessagesIn(&file.messages);
    const LoadResult loaded = OpenAndScan(file.input, document, catalogue, ui,
                                          [&stop](std::uint64_t, std::uint64_t) { return !stop; });
    ui.KeepMessagesIn(nullptr);
    if (loaded.status == LoadStatus::Stopped) {
        return;
    }
    if (loaded.status != LoadStatus::Loaded) {
        FailFile(file, loaded.message, ui);
        return;
    }
    std::error_code error;
    std::filesystem::create_directories(PathFromUtf8(file.folder), error);
    if (error) {
        FailFile(file, "Cannot create folder " + file.folder, ui);
        return;
    }
    ConvertLoaded({options, file, document, catalogue, ui});
}

// Nothing may end the program from a job's thread: a failure such as running
// out of memory ends that file with the message.
void ConvertFileGuarded(const BatchOptions& options, BatchFile& file, CUserInterface& ui,
                        const std::atomic<bool>& stop) {
    try {
        ConvertFile(options, file, ui, stop);
    } catch (const std::exception& failure) {
        FailFile(file, std::string("Error: ") + failure.what(), ui);
    }
}

}  // namespace

ItemRule ReadItemRule(const std::string& text, bool allowAll, bool allowCorridor) {
    if (text == "first") {
        return {ItemRule::Kind::First, {}};
    }
    if (text == "none") {
        return {ItemRule::Kind::None, {}};
    }
    if (allowAll && text == "all") {
        return {ItemRule::Kind::All, {}};
    }
    if (allowCorridor && text == "corridor") {
        return {ItemRule::Kind::Corridor, {}};
    }
    return {ItemRule::Kind::Pattern, text};
}

std::optional<std::string> PickProfile(const AlignmentEntry& alignment, const ItemRule& rule) {
    return PickName(ProfileNames(alignment), rule, false);
}

std::optional<std::string> PickSurface(const AlignmentEntry& alignment, const ItemRule& rule) {
    return PickName(alignment.surfaces, rule, true);
}

std::vector<std::string> PickPointGroups(const CCatalogue& catalogue, const ItemRule& rule) {
    std::vector<std::string> names;
    for (const PointGroupEntry& group : catalogue.PointGroups()) {
        names.push_back(group.name);
    }
    if (rule.kind == ItemRule::Kind::All) {
        return names;
    }
    const std::optional<std::string> picked = PickName(names, rule, false);
    return picked ? std::vector<std::string>{*picked} : std::vector<std::string>{};
}

std::string BatchStatusText(BatchStatus status) {
    switch (status) {
        case BatchStatus::Converted:
            return "converted";
        case BatchStatus::WithMessages:
            return "with messages";
        case BatchStatus::Failed:
            return "failed";
        default:
            return "not started";
    }
}

BatchReport PlanBatch(const BatchOptions& options) {
    std::vector<std::string> stems;
    for (const std::string& input : options.inputs) {
        stems.push_back(Utf8FromPath(PathFromUtf8(input).stem()));
    }
    const std::vector<std::string> folders = DistinctFileNames(stems);
    BatchReport report;
    for (std::size_t i = 0; i < options.inputs.size(); ++i) {
        BatchFile file;
        file.input = options.inputs[i];
        file.folder = InFolder(options.outDir, folders[i]);
        file.pointsPath = InFolder(file.folder, folders[i] + ".asc");
        report.files.push_back(std::move(file));
    }
    return report;
}

void RunBatch(const BatchOptions& options, BatchReport& report, const BatchUserInterfaces& uis,
              const BatchProgressFunction& progress, const std::atomic<bool>& stop) {
    std::vector<BatchFile>& files = report.files;
    if (files.empty()) {
        return;
    }
    std::atomic<std::size_t> next{0};
    std::mutex told;
    std::size_t done = 0;
    const auto tell = [&](std::size_t file, bool finished) {
        const std::lock_guard lock(told);
        done += finished ? 1 : 0;
        if (progress) {
            progress({file, finished, done, files.size()});
        }
    };
    const auto work = [&] {
        for (std::size_t i = next++; i < files.size() && !stop; i = next++) {
            tell(i, false);
            ConvertFileGuarded(options, files[i], uis(i), stop);
            tell(i, true);
        }
    };
    const std::size_t threads = std::clamp<std::size_t>(options.jobs, 1, files.size());
    std::vector<std::jthread> pool;
    for (std::size_t t = 1; t < threads; ++t) {
        pool.emplace_back(work);
    }
    work();
    pool.clear();  // joins
    report.stopped = stop;
}

}  // namespace chainforge
