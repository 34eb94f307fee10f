// The busy cursor for the length of a scope: loading a file and a conversion
// run can take a while on large documents.
#pragma once

#include <QGuiApplication>

namespace chainforge {

class CWaitCursor {
  public:
    CWaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~CWaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
};

// The ordinary cursor while a message box or file dialog waits for the user
// inside a busy scope; outside one it changes nothing.
class CArrowCursorWhileAsking {
  public:
    CArrowCursorWhileAsking() : busy_(QGuiApplication::overrideCursor() != nullptr) {
        if (busy_) {
            QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
        }
    }
    ~CArrowCursorWhileAsking() {
        if (busy_) {
            QGuiApplication::restoreOverrideCursor();
        }
    }
    CArrowCursorWhileAsking(const CArrowCursorWhileAsking&) = delete;
    CArrowCursorWhileAsking& operator=(const CArrowCursorWhileAsking&) = delete;

  private:
    bool busy_;
};

}  // namespace chainforge
