#include "gui/ChainforgeApp.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>

#include "convert/Version.h"
#include "gui/AppIcons.h"
#include "gui/MainDialog.h"

namespace chainforge {

CChainforgeApp::CChainforgeApp(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QString::fromLatin1(kProgramName));
    setOrganizationName(QStringLiteral("Marlowick"));
    setApplicationVersion(QString::fromLatin1(kVersionText));
    // Wayland finds the window's icon through the desktop entry of this name.
    setDesktopFileName(QString::fromLatin1(kDesktopFileId));
    setWindowIcon(ApplicationIcon());
    // Qt's own dialogs and buttons in the desktop's language; the program's
    // texts stay as they are.
    auto* translator = new QTranslator(this);
    if (translator->load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        installTranslator(translator);
    }
}

int CChainforgeApp::InitInstance() {
    CMainDialog dialog;
    // "chainforge FILE", as the desktop's "Open with" starts it: FILE is
    // loaded once the dialog shows, as if typed and committed.
    const QStringList args = arguments();
    if (args.size() > 1) {
        QTimer::singleShot(0, &dialog, [&dialog, name = args.at(1)] { dialog.OpenFile(name); });
    }
    dialog.exec();
    return 0;
}

}  // namespace chainforge
