#include "cli/BatchPrinter.h"

#include <ostream>
#include <string>

#include "io/Platform.h"
#include "landxml/NumberText.h"

namespace chainforge {

CBatchPrinter::CBatchPrinter(const BatchReport& report, bool answerYes, std::ostream& out,
                             std::ostream& err, bool terminal)
    : report_(report),
      out_(out),
      err_(err),
      terminal_(terminal),
      start_(std::chrono::steady_clock::now()) {
    for (std::size_t i = 0; i < report.files.size(); ++i) {
        jobs_.push_back(std::make_unique<Job>());
        jobs_.back()->ui.SetAnswer(answerYes);
    }
}

void CBatchPrinter::Tell(const BatchProgress& progress) {
    if (progress.finished) {
        jobs_[progress.file]->finished = true;
        PrintReady();
    } else {
        current_ = progress.file;
    }
    if (terminal_ && progress.done < progress.total &&
        std::chrono::steady_clock::now() - start_ >= std::chrono::seconds(1)) {
        ShowProgress(progress);
    }
}

void CBatchPrinter::Finish() {
    EraseProgress();
    for (; printed_ < jobs_.size(); ++printed_) {
        Print(printed_);
    }
}

bool CBatchPrinter::HadTrouble() const {
    for (const auto& job : jobs_) {
        if (job->ui.HadTrouble()) {
            return true;
        }
    }
    return false;
}

void CBatchPrinter::PrintReady() {
    for (; printed_ < jobs_.size() && jobs_[printed_]->finished; ++printed_) {
        EraseProgress();
        Print(printed_);
    }
}

void CBatchPrinter::Print(std::size_t file) {
    err_ << jobs_[file]->messages.str();
    err_.flush();
    out_ << BatchFileText(report_.files[file]);
    out_.flush();
}

// "convert-all: 3/12 files, converting road.xml", the file begun last.
void CBatchPrinter::ShowProgress(const BatchProgress& progress) {
    const std::string name = Utf8FromPath(PathFromUtf8(report_.files[current_].input).filename());
    const std::string line = "convert-all: " + FormatInt(static_cast<std::int64_t>(progress.done)) +
                             "/" + FormatInt(static_cast<std::int64_t>(progress.total)) +
                             " files, converting " + name;
    EraseProgress();
    err_ << line << '\r';
    err_.flush();
    progressWidth_ = line.size();
}

void CBatchPrinter::EraseProgress() {
    if (progressWidth_ > 0) {
        err_ << std::string(progressWidth_, ' ') << '\r';
        err_.flush();
        progressWidth_ = 0;
    }
}

}  // namespace chainforge
