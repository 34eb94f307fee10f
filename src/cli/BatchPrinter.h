// What convert-all prints while its files are converted: each file's lines
// on standard output and its messages on standard error, in the order of the
// inputs whatever order the jobs end in, and on a terminal a progress line,
// written over in place, once the run has lasted a second.
#pragma once

#include <chrono>
#include <iosfwd>
#include <memory>
#include <sstream>
#include <vector>

#include "cli/CommandLineUserInterface.h"
#include "convert/BatchConversion.h"

namespace chainforge {

class CBatchPrinter {
  public:
    // answerYes: what every file's interface answers to the questions. The
    // batch itself decides whether an existing file is replaced.
    CBatchPrinter(const BatchReport& report, bool answerYes, std::ostream& out, std::ostream& err,
                  bool terminal);

    // The interface of a file's job; its messages wait for the file's turn.
    CUserInterface& Interface(std::size_t file) { return jobs_[file]->ui; }
    // Told by the batch, one call at a time.
    void Tell(const BatchProgress& progress);
    // Prints the files left: those not started.
    void Finish();
    // Whether any file's interface met an error or a question answered No.
    bool HadTrouble() const;

  private:
    struct Job {
        std::ostringstream messages;
        CCommandLineUserInterface ui{messages};
        bool finished = false;
    };

    void PrintReady();
    void Print(std::size_t file);
    void ShowProgress(const BatchProgress& progress);
    void EraseProgress();

    const BatchReport& report_;
    std::ostream& out_;
    std::ostream& err_;
    bool terminal_;
    std::chrono::steady_clock::time_point start_;
    std::vector<std::unique_ptr<Job>> jobs_;
    std::size_t printed_ = 0;
    std::size_t current_ = 0;  // the file begun last
    std::size_t progressWidth_ = 0;
};

}  // namespace chainforge
