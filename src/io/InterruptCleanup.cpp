#include "io/InterruptCleanup.h"

#include <array>
#include <atomic>
#include <cstdlib>
#include <cstring>

#ifdef _WIN32
#include <windows.h>
#include <mutex>
#else
#include <pthread.h>
#include <unistd.h>
#endif

namespace chainforge {
namespace {

// Fixed slots of static memory: a signal handler may read them, but may not
// allocate. A slot is free, being filled, or armed. One for each file written
// at once: convert-all writes one per job, and takes up to 256 jobs.
enum SlotState : int { kFree, kFilling, kArmed };
constexpr std::size_t kSlots = 256;
constexpr std::size_t kPathBytes = 4096;

struct Slot {
    std::atomic<int> state{kFree};
    char path[kPathBytes] = {};
};
static_assert(std::atomic<int>::is_always_lock_free, "a signal handler reads the slots' states");

std::array<Slot, kSlots> slots;

#ifdef _WIN32

void RemoveFileNamed(const char* path) {
    static wchar_t wide[kPathBytes];
    if (::MultiByteToWideChar(CP_UTF8, 0, path, -1, wide, static_cast<int>(kPathBytes)) > 0) {
        ::DeleteFileW(wide);
    }
}

// Runs on a thread of its own; FALSE passes the event on to the default
// handler, which ends the program.
BOOL WINAPI OnConsoleEvent(DWORD) {
    RemoveArmedFiles();
    return FALSE;
}

#else

void RemoveFileNamed(const char* path) {
    ::unlink(path);
}

constexpr std::array<int, 3> kSignals{SIGINT, SIGTERM, SIGHUP};

sigset_t HandledSignals() {
    sigset_t set;
    ::sigemptyset(&set);
    for (const int signal : kSignals) {
        ::sigaddset(&set, signal);
    }
    return set;
}

// Removes the files, then ends the program as the signal's default action
// would.
void OnSignal(int signal) {
    RemoveArmedFiles();
    EndAsInterrupted(signal);
}

#endif

}  // namespace

#ifdef _WIN32

void InstallInterruptCleanup() {
    static std::once_flag installed;
    std::call_once(installed, [] { ::SetConsoleCtrlHandler(&OnConsoleEvent, TRUE); });
}

CInterruptsHeld::CInterruptsHeld() = default;
CInterruptsHeld::~CInterruptsHeld() = default;

void EndAsInterrupted(int) {
    ::ExitProcess(STATUS_CONTROL_C_EXIT);
}

#else

void InstallInterruptCleanup() {
    struct sigaction ours {};
    ours.sa_handler = &OnSignal;
    ours.sa_mask = HandledSignals();
    for (const int signal : kSignals) {
        struct sigaction current {};
        if (::sigaction(signal, nullptr, &current) == 0 && (current.sa_flags & SA_SIGINFO) == 0 &&
            current.sa_handler == SIG_DFL) {
            ::sigaction(signal, &ours, nullptr);
        }
    }
}

CInterruptsHeld::CInterruptsHeld() {
    const sigset_t handled = HandledSignals();
    ::pthread_sigmask(SIG_BLOCK, &handled, &saved_);
}

CInterruptsHeld::~CInterruptsHeld() {
    ::pthread_sigmask(SIG_SETMASK, &saved_, nullptr);
}

// The signal is blocked in its own handler and may be blocked in the thread
// that ends the program: unblocked, it is delivered before raise returns.
void EndAsInterrupted(int interruption) {
    struct sigaction fallback {};
    fallback.sa_handler = SIG_DFL;
    ::sigemptyset(&fallback.sa_mask);
    ::sigaction(interruption, &fallback, nullptr);
    sigset_t only;
    ::sigemptyset(&only);
    ::sigaddset(&only, interruption);
    ::pthread_sigmask(SIG_UNBLOCK, &only, nullptr);
    ::raise(interruption);
    std::_Exit(128 + interruption);
}

#endif

int ArmCleanup(const std::string& path) {
    if (path.size() >= kPathBytes) {
        return -1;
    }
    for (std::size_t i = 0; i < kSlots; ++i) {
        int expected = kFree;
        if (slots[i].state.compare_exchange_strong(expected, kFilling)) {
            std::memcpy(slots[i].path, path.c_str(), path.size() + 1);
            slots[i].state.store(kArmed, std::memory_order_release);
            return static_cast<int>(i);
        }
    }
    return -1;
}

void DisarmCleanup(int slot) {
    if (slot >= 0) {
        slots[static_cast<std::size_t>(slot)].state.store(kFree, std::memory_order_release);
    }
}

void RemoveArmedFiles() {
    for (Slot& slot : slots) {
        if (slot.state.load(std::memory_order_acquire) == kArmed) {
            RemoveFileNamed(slot.path);
        }
    }
}

}  // namespace chainforge
