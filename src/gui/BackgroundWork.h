// Long work off the window's thread: loading, scanning and converting run on
// a worker while the window keeps turning, and after a moment a progress bar
// with Cancel shows what has been done. The core is Qt-free and keeps no
// shared state, so the worker needs nothing but the work's own objects.
#pragma once

#include <QObject>
#include <QProgressBar>
#include <QPushButton>
#include <QWidget>
#include <atomic>
#include <cstdint>
#include <functional>

#include "ui/UserInterface.h"

namespace chainforge {

// What done and total count: bytes of a file read, or files converted.
enum class WorkUnit { Bytes, Files };

// What the worker reports and what the window asks of it.
struct WorkProgress {
    std::atomic<std::uint64_t> done{0};
    std::atomic<std::uint64_t> total{0};  // 0: not known, a busy bar
    std::atomic<bool> cancel{false};
    WorkUnit unit = WorkUnit::Bytes;  // set before the work starts
};

// The bar with its Cancel button, hidden until work has gone on a while.
class CProgressPanel : public QWidget {
    Q_OBJECT

  public:
    explicit CProgressPanel(QWidget* parent = nullptr);

    // Runs work on a worker thread, turning the event loop until it ends;
    // the panel shows after delayMs (at once for 0). Cancel, or Escape while
    // it shows, sets progress.cancel.
    void Run(const std::function<void(WorkProgress&)>& work, WorkProgress& progress, int delayMs);
    bool Running() const { return running_; }
    void Cancel();

  private:
    void Update(const WorkProgress& progress);

    QProgressBar* bar_ = nullptr;
    QPushButton* cancel_ = nullptr;
    WorkProgress* progress_ = nullptr;
    bool running_ = false;
};

// The user-interface operations of a worker, carried out on the thread of
// context (the window's) while the worker waits: message boxes and file
// dialogs stay on the window's thread.
class CForwardingUserInterface : public CUserInterface {
  public:
    CForwardingUserInterface(CUserInterface& target, QObject& context)
        : target_(target), context_(context) {}

    void ShowMessage(const std::string& text) override;
    bool AskYesNo(const std::string& text) override;
    std::optional<std::string> AskOpenFileName(const FileDialogRequest& request) override;
    std::optional<std::string> AskSaveFileName(const FileDialogRequest& request) override;
    bool FileExists(const std::string& path) override;

  private:
    void OnContextThread(const std::function<void()>& call);

    CUserInterface& target_;
    QObject& context_;
};

}  // namespace chainforge
