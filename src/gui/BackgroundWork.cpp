#include "gui/BackgroundWork.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QThread>
#include <QTimer>
#include <exception>
#include <future>
#include <thread>

namespace chainforge {
namespace {

constexpr int kPollMs = 20;
constexpr std::uint64_t kMegabyte = 1u << 20;

}  // namespace

CProgressPanel::CProgressPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("progressPanel"));
    bar_ = new QProgressBar(this);
    bar_->setObjectName(QStringLiteral("progressBar"));
    bar_->setAccessibleName(QStringLiteral("Progress"));
    cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    cancel_->setObjectName(QStringLiteral("cancelButton"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(bar_, 1);
    layout->addWidget(cancel_);
    connect(cancel_, &QPushButton::clicked, this, &CProgressPanel::Cancel);
    hide();
}

void CProgressPanel::Cancel() {
    if (progress_ != nullptr) {
        progress_->cancel = true;
    }
}

void CProgressPanel::Update(const WorkProgress& progress) {
    const std::uint64_t total = progress.total;
    if (total == 0) {
        bar_->setRange(0, 0);
        return;
    }
    if (progress.unit == WorkUnit::Files) {
        bar_->setRange(0, static_cast<int>(total));
        bar_->setValue(static_cast<int>(progress.done));
        bar_->setFormat(QStringLiteral("%1 of %2 files").arg(progress.done.load()).arg(total));
        return;
    }
    // In megabytes, so that the range fits an int for any file.
    bar_->setRange(0, static_cast<int>((total + kMegabyte - 1) / kMegabyte));
    bar_->setValue(static_cast<int>(progress.done / kMegabyte));
    bar_->setFormat(
        QStringLiteral("%1 of %2 MB").arg(progress.done / kMegabyte).arg(bar_->maximum()));
}

void CProgressPanel::Run(const std::function<void(WorkProgress&)>& work, WorkProgress& progress,
                         int delayMs) {
    progress_ = &progress;
    running_ = true;
    std::atomic<bool> finished{false};
    std::exception_ptr failure;
    std::thread worker([&] {
        try {
            work(progress);
        } catch (...) {
            failure = std::current_exception();
        }
        finished = true;
    });
    QEventLoop loop;
    QElapsedTimer clock;
    clock.start();
    QTimer poll;
    connect(&poll, &QTimer::timeout, &loop, [&] {
        if (finished) {
            loop.quit();
            return;
        }
        if (clock.elapsed() >= delayMs) {
            Update(progress);
            show();
        }
    });
    poll.start(kPollMs);
    if (delayMs <= 0) {
        Update(progress);
        show();
    }
    loop.exec();
    worker.join();
    hide();
    running_ = false;
    progress_ = nullptr;
    if (failure) {
        std::rethrow_exception(failure);
    }
}

// The worker waits on a std::promise rather than Qt's blocking connection:
// the hand-over is then one that ThreadSanitizer sees, and an exception of
// the call reaches the worker instead of the window's event loop.
void CForwardingUserInterface::OnContextThread(const std::function<void()>& call) {
    if (QThread::currentThread() == context_.thread()) {
        call();
        return;
    }
    std::promise<void> done;
    QMetaObject::invokeMethod(
        &context_,
        [&] {
            try {
                call();
                done.set_value();
            } catch (...) {
                done.set_exception(std::current_exception());
            }
        },
        Qt::QueuedConnection);
    done.get_future().get();
}

void CForwardingUserInterface::ShowMessage(const std::string& text) {
    OnContextThread([&] { target_.ShowMessage(text); });
}

bool CForwardingUserInterface::AskYesNo(const std::string& text) {
    bool yes = false;
    OnContextThread([&] { yes = target_.AskYesNo(text); });
    return yes;
}

std::optional<std::string> CForwardingUserInterface::AskOpenFileName(
    const FileDialogRequest& request) {
    std::optional<std::string> name;
    OnContextThread([&] { name = target_.AskOpenFileName(request); });
    return name;
}

std::optional<std::string> CForwardingUserInterface::AskSaveFileName(
    const FileDialogRequest& request) {
    std::optional<std::string> name;
    OnContextThread([&] { name = target_.AskSaveFileName(request); });
    return name;
}

bool CForwardingUserInterface::FileExists(const std::string& path) {
    bool exists = false;
    OnContextThread([&] { exists = target_.FileExists(path); });
    return exists;
}

}  // namespace chainforge
