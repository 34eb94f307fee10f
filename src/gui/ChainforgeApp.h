// The application: names itself to the desktop and runs the main dialog until
// the user closes it. Nothing is kept between starts.
#pragma once

#include <QApplication>

namespace chainforge {

class CChainforgeApp : public QApplication {
    Q_OBJECT

  public:
    CChainforgeApp(int& argc, char** argv);

    // Runs the main dialog; the exit status of the program.
    int InitInstance();
};

}  // namespace chainforge
