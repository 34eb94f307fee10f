#include "cli/InterruptStop.h"

#include "io/InterruptCleanup.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <pthread.h>
#include <unistd.h>
#endif

namespace chainforge {

#ifdef _WIN32

namespace {

// A console handler is a plain function: it finds the object through this
// pointer, set for the object's life.
std::atomic<bool>* currentFlag = nullptr;
std::atomic<int> currentEvent{0};

BOOL WINAPI OnConsoleEvent(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) {
        return FALSE;
    }
    int none = 0;
    if (currentEvent.compare_exchange_strong(none, static_cast<int>(event) + 1)) {
        currentFlag->store(true);
        return TRUE;
    }
    RemoveArmedFiles();
    return FALSE;
}

}  // namespace

// Registered after the writes' own handler, so that it is asked first.
CInterruptStop::CInterruptStop(std::atomic<bool>& stop) : stop_(stop) {
    InstallInterruptCleanup();
    currentFlag = &stop_;
    currentEvent = 0;
    ::SetConsoleCtrlHandler(&OnConsoleEvent, TRUE);
}

CInterruptStop::~CInterruptStop() {
    ::SetConsoleCtrlHandler(&OnConsoleEvent, FALSE);
}

int CInterruptStop::Interruption() const {
    return currentEvent.load();
}

#else

namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};

bool IsIgnored(int signal) {
    struct sigaction current {};
    return ::sigaction(signal, nullptr, &current) == 0 && (current.sa_flags & SA_SIGINFO) == 0 &&
           current.sa_handler == SIG_IGN;
}

// The waiter's own wake-up at the end, sent by this process to that thread
// (some kernels give it as sent by kill, not by tgkill).
bool IsWakeUp(const siginfo_t& info) {
    return (info.si_code == SI_TKILL || info.si_code == SI_USER) && info.si_pid == ::getpid();
}

}  // namespace

// Every thread started from here on inherits the mask, so the signals reach
// only the waiter.
CInterruptStop::CInterruptStop(std::atomic<bool>& stop) : stop_(stop) {
    ::sigemptyset(&waited_);
    int wakeUp = 0;
    for (const int signal : kSignals) {
        if (!IsIgnored(signal)) {
            ::sigaddset(&waited_, signal);
            wakeUp = signal;
        }
    }
    ::pthread_sigmask(SIG_BLOCK, &waited_, &saved_);
    if (wakeUp != 0) {
        wakeUp_ = wakeUp;
        waiter_ = std::thread([this] { Wait(); });
    }
}

CInterruptStop::~CInterruptStop() {
    finishing_ = true;
    if (waiter_.joinable()) {
        ::pthread_kill(waiter_.native_handle(), wakeUp_);
        waiter_.join();
    }
    ::pthread_sigmask(SIG_SETMASK, &saved_, nullptr);
}

int CInterruptStop::Interruption() const {
    return interruption_;
}

void CInterruptStop::Wait() {
    for (;;) {
        siginfo_t info{};
        const int signal = ::sigwaitinfo(&waited_, &info);
        if (signal < 0) {
            continue;
        }
        if (IsWakeUp(info) && finishing_) {
            return;
        }
        if (interruption_ == 0) {
            interruption_ = signal;
            stop_ = true;
        } else {
            RemoveArmedFiles();
            EndAsInterrupted(signal);
        }
    }
}

#endif

}  // namespace chainforge
