#include "app/qt/ChainforgeApp.h"

#include "app/Version.h"
#include "app/qt/AppIcons.h"
#include "app/qt/MainDialog.h"

namespace chainforge {

CChainforgeApp::CChainforgeApp(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QString::fromLatin1(kProgramName));
    setOrganizationName(QStringLiteral("Marlowick"));
    setApplicationVersion(QString::fromLatin1(kVersionText));
    // Wayland finds the window's icon through the desktop entry of this name.
    setDesktopFileName(QString::fromLatin1(kDesktopFileId));
    setWindowIcon(ApplicationIcon());
}

int CChainforgeApp::InitInstance() {
    CMainDialog dialog;
    dialog.exec();
    return 0;
}

}  // namespace chainforge
