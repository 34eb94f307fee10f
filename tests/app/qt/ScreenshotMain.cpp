// Saves pictures of the main dialog and the About box as PNG files for a
// person to look at: empty, loaded with an alignment chosen, widened, and
// the About box.
#include <QApplication>
#include <QDir>
#include <QTimer>
#include <cstdio>

#include "GuiTestSupport.h"
#include "app/qt/AboutDialog.h"
#include "app/qt/AppIcons.h"

namespace {

bool Save(QWidget& widget, const QDir& folder, const char* name) {
    const QString path = folder.filePath(QString::fromLatin1(name));
    const bool saved = widget.grab().save(path);
    std::printf("%s %s\n", saved ? "saved" : "could not save", qPrintable(path));
    return saved;
}

bool SaveAll(const QDir& folder) {
    using chainforge::test::DialogFixture;
    DialogFixture fixture;
    bool saved = Save(fixture.Dialog(), folder, "main-dialog-empty.png");
    fixture.LoadRoad();
    fixture.Select("pointsList", QStringLiteral("Survey"));
    fixture.Select("alignmentsList", QStringLiteral("Main Road"));
    fixture.Select("profilesList", QStringLiteral("Design"));
    saved = Save(fixture.Dialog(), folder, "main-dialog-loaded.png") && saved;
    fixture.Dialog().resize(fixture.Dialog().size() + QSize(240, 120));
    QCoreApplication::processEvents();
    saved = Save(fixture.Dialog(), folder, "main-dialog-widened.png") && saved;
    chainforge::CAboutDialog about(&fixture.Dialog());
    about.show();
    QCoreApplication::processEvents();
    saved = Save(about, folder, "about-box.png") && saved;
    return saved;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    QApplication::setWindowIcon(chainforge::ApplicationIcon());
    const QString target =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshots");
    if (!QDir().mkpath(target)) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(target));
        return 1;
    }
    return SaveAll(QDir(target)) ? 0 : 1;
}
