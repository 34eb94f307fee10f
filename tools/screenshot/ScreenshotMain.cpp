// Saves pictures of the main dialog and the About box as PNG files for a
// person to look at: empty, loaded with the bundled example and an alignment
// chosen, widened, the About box, the summary after Create, a load in
// progress, and the preview's three views for the bundled example and for
// two real samples (spirals; corridor cross-sections) when they are there.
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <cstdio>
#include <thread>

#include "gui/AboutDialog.h"
#include "gui/AppIcons.h"
#include "gui/ListBox.h"
#include "gui/MainDialog.h"
#include "gui/PreviewWindow.h"
#include "ui/ScriptedUserInterface.h"

namespace {

bool Save(QWidget& widget, const QDir& folder, const char* name) {
    const QString path = folder.filePath(QString::fromLatin1(name));
    const bool saved = widget.grab().save(path);
    std::printf("%s %s\n", saved ? "saved" : "could not save", qPrintable(path));
    return saved;
}

void Select(chainforge::CMainDialog& dialog, const char* listName, const char* entry) {
    auto* list = dialog.findChild<chainforge::CListBox*>(QString::fromLatin1(listName));
    const QList<QListWidgetItem*> found =
        list->findItems(QString::fromUtf8(entry), Qt::MatchExactly);
    if (!found.isEmpty()) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(found.constFirst()).center());
    }
}

// What the preview shows for one file: the selections, by list entry.
struct PreviewCase {
    const char* prefix;
    QString path;
    const char* points;
    const char* alignment;
    const char* profile;
    const char* surface;
};

bool SavePreviews(chainforge::CMainDialog& dialog, const QDir& folder, const PreviewCase& shown) {
    if (!QFileInfo(shown.path).isFile()) {
        std::printf("skipped %s: %s is missing\n", shown.prefix, qPrintable(shown.path));
        return true;
    }
    dialog.OpenFile(shown.path);
    Select(dialog, "pointsList", shown.points);
    Select(dialog, "alignmentsList", shown.alignment);
    Select(dialog, "profilesList", shown.profile);
    Select(dialog, "crossSectionsList", shown.surface);
    dialog.activateWindow();
    if (!QTest::qWaitForWindowActive(&dialog)) {
        std::fprintf(stderr, "the main dialog never became the active window\n");
    }
    auto* alignments = dialog.findChild<chainforge::CListBox*>(QStringLiteral("alignmentsList"));
    alignments->setFocus();
    QTest::keyClick(alignments, Qt::Key_P, Qt::ControlModifier);
    auto* preview = dialog.findChild<chainforge::CPreviewWindow*>();
    if (preview == nullptr) {
        std::fprintf(stderr, "Ctrl+P opened no preview\n");
        return false;
    }
    preview->resize(1000, 680);
    QCoreApplication::processEvents();
    auto* tabs = preview->findChild<QTabWidget*>(QStringLiteral("previewTabs"));
    bool saved = true;
    for (const char* view : {"plan", "profile", "section"}) {
        QCoreApplication::processEvents();
        const std::string name = std::string(shown.prefix) + "-" + view + ".png";
        saved = Save(*preview, folder, name.c_str()) && saved;
        tabs->setCurrentIndex(tabs->currentIndex() + 1);
    }
    tabs->setCurrentIndex(0);
    return saved;
}

bool SaveAll(const QDir& folder, const QDir& samples) {
    chainforge::CScriptedUserInterface ui;
    chainforge::CMainDialog dialog(&ui);
    dialog.show();
    dialog.activateWindow();
    if (!QTest::qWaitForWindowActive(&dialog)) {
        std::fprintf(stderr, "the main dialog never became the active window\n");
    }
    bool saved = Save(dialog, folder, "main-dialog-empty.png");
    auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    edit->setFocus();
    QTest::keyClicks(edit, QDir::toNativeSeparators(QStringLiteral(CHAINFORGE_EXAMPLE)));
    QTest::keyClick(edit, Qt::Key_Tab);
    Select(dialog, "pointsList", "Control Survey");
    Select(dialog, "alignmentsList", "MC01 - Main carriageway");
    Select(dialog, "profilesList", "Design FG - Finished grade");
    saved = Save(dialog, folder, "main-dialog-loaded.png") && saved;
    dialog.resize(dialog.size() + QSize(240, 120));
    QCoreApplication::processEvents();
    saved = Save(dialog, folder, "main-dialog-widened.png") && saved;
    chainforge::CAboutDialog about(&dialog);
    about.show();
    QCoreApplication::processEvents();
    saved = Save(about, folder, "about-box.png") && saved;
    about.hide();

    // Create, writing into the screenshots folder: the summary.
    Select(dialog, "crossSectionsList", "Design Surface");
    ui.QueueFileName(folder.filePath(QStringLiteral("sample-road.asc")).toStdString());
    ui.QueueFileName(folder.filePath(QStringLiteral("sample-road.ch")).toStdString());
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("createButton")),
                      Qt::LeftButton);
    auto* summary = dialog.findChild<QDialog*>(QStringLiteral("summaryDialog"));
    saved = summary != nullptr && Save(*summary, folder, "summary.png") && saved;

    // A load held part-way: the progress bar with Cancel.
    std::atomic<bool> release{false};
    dialog.SetProgressDelay(0);
    dialog.SetReaderHook([&release] {
        while (!release) {
            std::this_thread::yield();
        }
    });
    QTimer::singleShot(100, [&] {
        saved = Save(dialog, folder, "main-dialog-loading.png") && saved;
        release = true;
    });
    dialog.OpenFile(QString());
    dialog.OpenFile(QDir::toNativeSeparators(QStringLiteral(CHAINFORGE_EXAMPLE)));
    dialog.SetReaderHook({});

    const PreviewCase previews[] = {
        {"preview-sample-road", QStringLiteral(CHAINFORGE_EXAMPLE), "Control Survey",
         "MC01 - Main carriageway", "Design FG - Finished grade", "Design Surface"},
        {"preview-spirals",
         samples.filePath(QStringLiteral("provi_bc001_alignments_spirals_bom.xml")), "", "A50068A",
         "T50068A", ""},
        {"preview-corridor",
         samples.filePath(QStringLiteral("civil3d2014_gsg_corridors_crosssects.xml")), "",
         "Basic_Road", "Layout (2)", "Corridor Top"}};
    for (const PreviewCase& shown : previews) {
        if (!QFileInfo::exists(shown.path)) {
            std::fprintf(stderr, "%s skipped: real-export corpus not found at %s; set %s\n",
                         shown.prefix, qPrintable(samples.path()), "CHAINFORGE_SAMPLES");
            continue;
        }
        saved = SavePreviews(dialog, folder, shown) && saved;
    }
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
    // The corpus of real exports, unless named second.
    const QString samples = argc > 2 ? QString::fromLocal8Bit(argv[2])
                            : qEnvironmentVariableIsEmpty("CHAINFORGE_SAMPLES")
                                ? QStringLiteral(CHAINFORGE_SAMPLES)
                                : qEnvironmentVariable("CHAINFORGE_SAMPLES");
    return SaveAll(QDir(target), QDir(samples)) ? 0 : 1;
}
