// Runs every GUI test class in one application, offscreen unless another
// platform was chosen.
#include <QApplication>

namespace chainforge::test {
int RunMainDialogTests(int argc, char** argv);
int RunIconButtonTests(int argc, char** argv);
int RunQtUserInterfaceTests(int argc, char** argv);
}  // namespace chainforge::test

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    int failures = 0;
    failures += chainforge::test::RunIconButtonTests(argc, argv);
    failures += chainforge::test::RunQtUserInterfaceTests(argc, argv);
    failures += chainforge::test::RunMainDialogTests(argc, argv);
    return failures == 0 ? 0 : 1;
}
