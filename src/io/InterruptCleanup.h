// Temporary files that an interruption removes before the program ends:
// SIGINT, SIGTERM and SIGHUP on POSIX, Ctrl+C, Ctrl+Break and a closed
// console on Windows. The program still ends as the interruption would end it
// (the signal's default action, re-raised), only without the files.
#pragma once

#include <string>

#ifndef _WIN32
#include <signal.h>
#endif

namespace chainforge {

// Handles those interruptions from now on: on POSIX only the signals still at
// their default action (one ignored, as under nohup, stays ignored, and a
// handler of the program's own stays in place). Called before each write.
void InstallInterruptCleanup();

// Blocks the three signals in this thread for the object's life (nothing on
// Windows), so that a file is created and recorded, or moved and forgotten,
// in one step as an interruption sees it.
class CInterruptsHeld {
  public:
    CInterruptsHeld();
    ~CInterruptsHeld();
    CInterruptsHeld(const CInterruptsHeld&) = delete;
    CInterruptsHeld& operator=(const CInterruptsHeld&) = delete;

#ifndef _WIN32
  private:
    sigset_t saved_;  // the thread's signal mask before
#endif
};

// Records path for removal on an interruption; returns its slot, or -1 when
// all slots are taken or the path is too long to keep (the file is then
// written unguarded).
int ArmCleanup(const std::string& path);
// Forgets the path of slot (nothing for -1).
void DisarmCleanup(int slot);

// Removes every recorded file: what an interruption does before the program
// ends. Uses only async-signal-safe calls on POSIX.
void RemoveArmedFiles();

// Ends the program as the interruption (a signal's number, on Windows the
// console event) ends it when nothing handles it: on POSIX the default
// action restored and the signal raised again. Async-signal-safe on POSIX.
[[noreturn]] void EndAsInterrupted(int interruption);

}  // namespace chainforge
