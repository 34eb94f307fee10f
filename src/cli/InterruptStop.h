// Ctrl+C, SIGTERM and SIGHUP (on Windows Ctrl+C and Ctrl+Break) as a request
// to stop, for a command that ends its work cleanly: the first sets the stop
// flag, and a second ends the program at once as the first would have ended
// it, without the temporary files of the writes under way. A signal ignored
// when the object is made (as under nohup) stays ignored.
#pragma once

#include <atomic>
#include <thread>

#ifndef _WIN32
#include <signal.h>
#endif

namespace chainforge {

class CInterruptStop {
  public:
    explicit CInterruptStop(std::atomic<bool>& stop);
    ~CInterruptStop();
    CInterruptStop(const CInterruptStop&) = delete;
    CInterruptStop& operator=(const CInterruptStop&) = delete;

    // The interruption that set the flag; 0 for none.
    int Interruption() const;

  private:
    std::atomic<bool>& stop_;
#ifndef _WIN32
    std::atomic<int> interruption_{0};
    void Wait();

    sigset_t waited_;  // the signals taken here
    sigset_t saved_;   // the thread's signal mask before
    int wakeUp_ = 0;   // a waited signal, sent to end the waiter
    std::atomic<bool> finishing_{false};
    std::thread waiter_;
#endif
};

}  // namespace chainforge
