// The desktop program as the user drives it, offscreen: the main dialog with
// a scripted user interface, the Qt message boxes and file dialogs, the icon
// button. data/gui-road.xml holds groups "Survey" and "base"; alignments
// "Main Road" (profiles "Design", "alternative"; surfaces "Finished Grade",
// "existing ground") and "access", with decimals throughout so that a reader
// that depends on the locale gives itself away.
#include <QApplication>
#include <QCheckBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <atomic>
#include <clocale>
#include <filesystem>
#include <functional>
#include <map>
#include <thread>

#include "gui/AboutDialog.h"
#include "gui/IconButton.h"
#include "gui/ListBox.h"
#include "gui/MainDialog.h"
#include "gui/PreviewWindow.h"
#include "gui/QtUserInterface.h"
#include "gui/SummaryDialog.h"
#include "support/TestSupport.h"
#include "ui/ScriptedUserInterface.h"

namespace chainforge {
namespace {

using Kind = CScriptedUserInterface::EventKind;
using Texts = std::vector<std::string>;
using test::CrLf;

// A locale whose decimal separator is a comma, by the C library's name for it.
#ifdef _WIN32
constexpr const char* kCommaLocale = "German_Germany.1252";
#else
constexpr const char* kCommaLocale = "de_DE.UTF-8";
#endif

// The next modal window that opens within a while is handed to look, which
// closes it. One that a failed check inside look leaves open is rejected
// here, so that the failure is reported instead of the run hanging on it.
void WhenModalOpens(std::function<void(QWidget&)> look) {
    auto* poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout,
                     [poll, look = std::move(look), deadline = QDeadlineTimer(20000)] {
                         QWidget* modal = QApplication::activeModalWidget();
                         if (modal == nullptr && !deadline.hasExpired()) {
                             return;
                         }
                         poll->stop();
                         poll->deleteLater();
                         if (modal == nullptr) {
                             return;
                         }
                         const QPointer<QWidget> opened(modal);
                         look(*modal);
                         if (auto* dialog = qobject_cast<QDialog*>(opened.data());
                             dialog != nullptr && dialog->isVisible()) {
                             dialog->reject();
                         }
                     });
    poll->start();
}

// Types a name into a file dialog's name field, as a user would: selectFile
// leaves the field as it is while the field has the keyboard focus.
void TypeFileName(QFileDialog& dialog, const QString& name) {
    auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    QVERIFY(edit != nullptr);
    edit->setText(name);
}

QStringList Entries(const CListBox& list) {
    QStringList texts;
    for (int i = 0; i < list.count(); ++i) {
        texts.append(list.item(i)->text());
    }
    return texts;
}

// The main dialog shown and active, its controls by name.
struct Fixture {
    test::TempDir folder;
    CScriptedUserInterface ui;
    CMainDialog dialog{&ui};

    Fixture() {
        dialog.show();
        dialog.activateWindow();
        if (!QTest::qWaitForWindowActive(&dialog)) {
            qFatal("the main dialog never became the active window");
        }
    }
    template <typename Widget = QWidget>
    Widget& Control(const char* name) {
        return *dialog.findChild<Widget*>(QString::fromLatin1(name));
    }
    QLineEdit& Edit() { return Control<QLineEdit>("fileNameEdit"); }
    CListBox& List(const char* name) { return Control<CListBox>(name); }
    int Count(const char* name) { return List(name).count(); }
    // Types the name into the emptied field and leaves it with Tab.
    void TypeAndLeave(const QString& name) {
        Edit().setFocus();
        Edit().selectAll();
        QTest::keyClick(&Edit(), Qt::Key_Delete);
        QTest::keyClicks(&Edit(), name);
        QTest::keyClick(&Edit(), Qt::Key_Tab);
    }
    std::string Write(const char* name, const std::string& bytes) {
        test::WriteFileBytes(folder.File(name), bytes);
        return folder.File(name);
    }
    QString LoadRoad(const char* name = "road.xml") {
        const std::string path =
            Write(name, test::ReadFileBytes(std::string(CHAINFORGE_TEST_DATA) + "/gui-road.xml"));
        TypeAndLeave(QString::fromStdString(path));
        return QString::fromStdString(path);
    }
    void Select(const char* listName, const QString& entry) {
        CListBox& list = List(listName);
        const QList<QListWidgetItem*> found = list.findItems(entry, Qt::MatchExactly);
        QCOMPARE(found.size(), 1);
        list.scrollToItem(found.constFirst());
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                          list.visualItemRect(found.constFirst()).center());
    }
    void Click(const char* button) {
        QTest::mouseClick(&Control<QPushButton>(button), Qt::LeftButton);
    }
};

// Whether the window's frame lies within the available area of its screen.
bool OnScreen(const QWidget& window) {
    return window.screen()->availableGeometry().contains(window.frameGeometry());
}

QRect AreaOf(const QImage& image, const std::function<bool(QRgb)>& wanted, QRect within) {
    QRect area;
    for (int y = within.top(); y <= within.bottom(); ++y) {
        for (int x = within.left(); x <= within.right(); ++x) {
            if (wanted(image.pixel(x, y))) {
                area |= QRect(x, y, 1, 1);
            }
        }
    }
    return area;
}

}  // namespace

class GuiTest : public QObject {
    Q_OBJECT

  private slots:
    void startsEmptyAndResizesByTheAnchors();
    void loadsWhatTheFieldNames();
    void listsFollowTheChoices();
    void listKeysSelectAndCreateSaysWhatIsMissing();
    void createAndEnterWriteTheFiles();
    void summaryNamesItsFileAndGoesWithIt();
    void convertAllWritesEveryAlignmentAndSummarizes();
    void previewFollowsTheSelections();
    void escapeClosesThePreviewFirst();
    void contextMenuOpensFromTheKeyboard();
    void qtMessageBoxesAndFileDialogs();
    void iconButtonPlacesIconAndCaption();
};

void GuiTest::startsEmptyAndResizesByTheAnchors() {
    Fixture f;
    QCOMPARE(f.dialog.windowTitle(), QStringLiteral("Chainforge"));
    QCOMPARE(QApplication::focusWidget(), &f.Edit());
    for (const char* list : {"pointsList", "alignmentsList", "profilesList", "crossSectionsList"}) {
        QCOMPARE(f.Count(list), 0);
    }
    QWidget* widget = &f.Edit();
    QStringList order;
    for (int i = 0; i < 10; ++i) {
        order.append(widget->objectName());
        do {
            widget = widget->nextInFocusChain();
        } while (widget->focusPolicy() == Qt::NoFocus || !widget->isVisibleTo(&f.dialog));
    }
    QCOMPARE(order, (QStringList{"fileNameEdit", "browseButton", "pointsList", "alignmentsList",
                                 "profilesList", "crossSectionsList", "asciiPointsCheck",
                                 "previewButton", "createButton", "closeButton"}));
    // Each label is its control's Alt mnemonic and accessible name.
    for (const auto& [label, control] :
         std::map<std::string, std::string>{{"fileLabel", "fileNameEdit"},
                                            {"pointsLabel", "pointsList"},
                                            {"alignmentsLabel", "alignmentsList"},
                                            {"profilesLabel", "profilesList"},
                                            {"crossSectionsLabel", "crossSectionsList"}}) {
        QCOMPARE(f.Control<QLabel>(label.c_str()).buddy(), &f.Control(control.c_str()));
        QVERIFY(f.Control<QLabel>(label.c_str()).text().contains(QLatin1Char('&')));
        QVERIFY(!f.Control(control.c_str()).accessibleName().isEmpty());
    }

    // Left, top, right and bottom of each control follow its anchors.
    const QSize start = f.dialog.size();
    QCOMPARE(f.dialog.minimumSize(), start);
    const int dx = 57;
    const int dy = 31;
    // clang-format off
    const std::map<std::string, std::string> shifts = {  // "x" by dx, "y" by dy
        {"fileLabel", "...."}, {"pointsLabel", "...."}, {"fileNameEdit", "..x."},
        {"browseButton", "x.x."}, {"pointsList", "...y"}, {"alignmentsList", "..xy"},
        {"alignmentsLabel", "..x."}, {"profilesList", "x.xy"}, {"profilesLabel", "x.x."},
        {"crossSectionsList", "x.xy"}, {"crossSectionsLabel", "x.x."},
        {"asciiPointsCheck", ".y.y"}, {"previewButton", "xyxy"}, {"createButton", "xyxy"},
        {"closeButton", "xyxy"},
        {"sizeGrip", "xyxy"}};
    // clang-format on
    const auto by = [&](char c) { return c == 'x' ? dx : c == 'y' ? dy : 0; };
    std::map<std::string, QRect> before;
    for (const auto& [name, shift] : shifts) {
        before[name] = f.Control(name.c_str()).geometry();
    }
    const auto resize = [&f](QSize size) {
        f.dialog.resize(size);
        QCoreApplication::processEvents();
    };
    resize(start - QSize(100, 50));
    QCOMPARE(f.dialog.size(), start);
    resize(start + QSize(dx, dy));
    QCOMPARE(f.dialog.size(), start + QSize(dx, dy));
    for (const auto& [name, s] : shifts) {
        QVERIFY2(f.Control(name.c_str()).geometry() ==
                     before[name].adjusted(by(s[0]), by(s[1]), by(s[2]), by(s[3])),
                 name.c_str());
    }
    const QRect grip = f.Control("sizeGrip").geometry();
    QCOMPARE(grip.bottomRight() + QPoint(1, 1), QPoint(f.dialog.width(), f.dialog.height()));
    resize(start + QSize(400, 5));
    resize(start);
    for (const auto& [name, shift] : shifts) {
        QVERIFY2(f.Control(name.c_str()).geometry() == before[name], name.c_str());
    }

    // F1 opens the About box over the dialog.
    QString title;
    QString version;
    QString details;
    WhenModalOpens([&](QWidget& modal) {
        title = qobject_cast<CAboutDialog*>(&modal) != nullptr ? modal.windowTitle() : QString();
        version = modal.findChild<QLabel*>(QStringLiteral("aboutVersion"))->text();
        details = modal.findChild<QLabel*>(QStringLiteral("aboutDetails"))->text();
        modal.close();
    });
    QTest::keyClick(&f.List("pointsList"), Qt::Key_F1);
    QCOMPARE(title, QStringLiteral("About Chainforge"));
    QCOMPARE(version, QStringLiteral("Chainforge Version 0.9b1"));
    QVERIFY(details.contains(QString::fromLatin1(qVersion())));
    QVERIFY(details.contains(QStringLiteral("href=\"https://chainforge.marlowick.example\"")));
    QVERIFY(f.dialog.isVisible());
}

void GuiTest::loadsWhatTheFieldNames() {
    Fixture f;
    const QString road = f.LoadRoad("Road.xml");
    // Sorted without regard to letter case, as a list box sorts.
    QCOMPARE(Entries(f.List("pointsList")), (QStringList{"base", "Survey"}));
    QCOMPARE(Entries(f.List("alignmentsList")), (QStringList{"access", "Main Road"}));
    QVERIFY(f.ui.Events().empty());
    QCOMPARE(f.dialog.windowTitle(), QStringLiteral("Road.xml - Chainforge"));
    // The file changes on disk: committing its name again, in any letter
    // case, reads it again.
    f.Write("Road.xml", CrLf({"<LandXML version=\"1.1\">", "</LandXML>"}));
    f.TypeAndLeave(road.left(road.size() - 8) + QStringLiteral("ROAD.XML"));
    QCOMPARE(f.Count("alignmentsList"), 0);
    // F5 reads it again too, keeping the selections still listed.
    f.LoadRoad("Road.xml");
    f.Select("alignmentsList", QStringLiteral("Main Road"));
    f.Select("profilesList", QStringLiteral("Design"));
    QTest::keyClick(&f.List("profilesList"), Qt::Key_F5);
    QCOMPARE(f.List("alignmentsList").SelectedText().value_or(""), std::string("Main Road"));
    QCOMPARE(f.List("profilesList").SelectedText().value_or(""), std::string("Design"));
    // No ".xml" ending, or no such file: the lists never show an earlier file.
    const QString other = QString::fromStdString(f.folder.File("other.xml"));
    f.TypeAndLeave(other + QStringLiteral(" "));
    QCOMPARE(f.Count("alignmentsList"), 0);
    f.LoadRoad("Road.xml");
    f.TypeAndLeave(other);
    QCOMPARE(f.Count("alignmentsList"), 0);
    QCOMPARE(f.dialog.windowTitle(), QStringLiteral("Chainforge"));
    QCOMPARE(f.ui.Messages(), (Texts{"Cannot open file " + other.toStdString() + " ",
                                     "Cannot open file " + other.toStdString()}));
    // The file appears: committing the name again loads it; an empty name
    // empties the lists without a word.
    f.Write("other.xml", test::ReadFileBytes(road.toStdString()));
    f.TypeAndLeave(other);
    QCOMPARE(f.Count("alignmentsList"), 2);
    f.TypeAndLeave(QString());
    QCOMPARE(f.Count("alignmentsList"), 0);
    // A file that cannot be opened empties the lists.
    f.LoadRoad();
    f.ui.ClearEvents();
    const std::string folder = f.folder.File("folder.xml");
    std::filesystem::create_directory(folder);
    f.TypeAndLeave(QString::fromStdString(folder));
    QCOMPARE(f.Count("pointsList"), 0);
    QCOMPARE(f.ui.Messages(), Texts{"Cannot open file " + folder});

    // Browsing commits the chosen name; cancelling changes nothing.
    const std::string browsed = f.Write("browsed.xml", test::ReadFileBytes(road.toStdString()));
    f.LoadRoad("browsed.xml");
    f.TypeAndLeave(QString());
    f.ui.QueueFileName(browsed);
    f.Click("browseButton");
    QCOMPARE(f.Edit().text(), QString::fromStdString(browsed));
    QCOMPARE(f.Count("alignmentsList"), 2);
    QCOMPARE(f.ui.Events().back().request.defaultExtension, std::string("xml"));
    QCOMPARE(f.ui.Events().back().request.filter, std::string("*.XML"));
    f.Click("browseButton");
    QCOMPARE(f.Edit().text(), QString::fromStdString(browsed));

    // Dropping an XML file commits it.
    f.TypeAndLeave(QString());
    std::filesystem::copy_file(browsed, f.folder.File("dropped.XML"));
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(f.folder.File("dropped.XML")))});
    const QPoint where = f.List("pointsList").geometry().center();
    QDragEnterEvent enter(where, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&f.dialog, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(where, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&f.dialog, &drop);
    QCOMPARE(f.Edit().text(), QString::fromStdString(f.folder.File("dropped.XML")));
    QCOMPARE(f.Count("alignmentsList"), 2);

    // A load runs on a worker behind a slowed-down reader: the window turns
    // and shows the progress; Escape cancels, emptying the lists without a
    // word. The name stays: leaving the field does not load it again, editing
    // it and leaving does, and so do F5 and Enter.
    std::atomic<bool> release{false};
    f.dialog.SetProgressDelay(0);
    bool turned = false;
    const auto cancelled = [&](const std::function<void()>& start) {
        release = false;
        f.dialog.SetReaderHook([&release] {
            while (!release) {
                std::this_thread::yield();
            }
        });
        QTimer::singleShot(0, [&] {
            turned = f.Control("progressPanel").isVisible();
            QTest::keyClick(&f.dialog, Qt::Key_Escape);
            release = true;
        });
        start();
        f.dialog.SetReaderHook({});
        return f.Count("alignmentsList") == 0 && turned && f.dialog.isVisible();
    };
    f.ui.ClearEvents();
    QString slow;
    QVERIFY(cancelled([&] { slow = f.LoadRoad("slow.xml"); }));
    QVERIFY(f.ui.Events().empty());
    f.Edit().setFocus();
    QTest::keyClick(&f.Edit(), Qt::Key_Tab);
    QCOMPARE(f.Edit().text(), slow);
    QCOMPARE(f.Count("alignmentsList"), 0);
    QTest::keyClick(&f.List("pointsList"), Qt::Key_F5);
    QCOMPARE(f.Count("alignmentsList"), 2);
    QVERIFY(cancelled([&] { QTest::keyClick(&f.List("pointsList"), Qt::Key_F5); }));
    f.Edit().setFocus();
    QTest::keyClick(&f.Edit(), Qt::Key_End);
    QTest::keyClick(&f.Edit(), Qt::Key_Backspace);
    QTest::keyClick(&f.Edit(), Qt::Key_L);
    QTest::keyClick(&f.Edit(), Qt::Key_Tab);
    QCOMPARE(f.Count("alignmentsList"), 2);
    QVERIFY(cancelled([&] { QTest::keyClick(&f.List("pointsList"), Qt::Key_F5); }));
    f.Edit().setFocus();
    QTest::keyClick(&f.Edit(), Qt::Key_Return);
    QCOMPARE(f.Count("alignmentsList"), 2);
    // "chainforge FILE" opens FILE as if typed and committed.
    f.dialog.OpenFile(QString::fromStdString(browsed));
    QCOMPARE(f.dialog.windowTitle(), QStringLiteral("browsed.xml - Chainforge"));
}

void GuiTest::listsFollowTheChoices() {
    Fixture f;
    f.LoadRoad();
    f.Select("alignmentsList", QStringLiteral("Main Road"));
    QCOMPARE(Entries(f.List("profilesList")), (QStringList{"alternative", "Design"}));
    QCOMPARE(Entries(f.List("crossSectionsList")),
             (QStringList{"existing ground", "Finished Grade"}));
    QCOMPARE(f.List("profilesList").GetCurSel(), -1);
    f.Select("alignmentsList", QStringLiteral("access"));
    QCOMPARE(f.Count("profilesList") + f.Count("crossSectionsList"), 0);
    // A new load drops the narrowed lists.
    f.Select("alignmentsList", QStringLiteral("Main Road"));
    f.LoadRoad("again.xml");
    QCOMPARE(f.Count("profilesList"), 0);
    QCOMPARE(f.List("alignmentsList").GetCurSel(), -1);

    // The check box greys the points list and keeps its selection.
    f.Select("pointsList", QStringLiteral("Survey"));
    auto& check = f.Control<QCheckBox>("asciiPointsCheck");
    QTest::mouseClick(&check, Qt::LeftButton, {}, QPoint(6, check.height() / 2));
    QVERIFY(check.isChecked() && !f.List("pointsList").isEnabled());
    QTest::mouseClick(&check, Qt::LeftButton, {}, QPoint(6, check.height() / 2));
    QVERIFY(f.List("pointsList").isEnabled());
    QCOMPARE(f.List("pointsList").GetCurSel(), 1);

    // Windows-1252 shown where the bytes are not UTF-8; looked up by the bytes.
    f.TypeAndLeave(QString::fromStdString(
        f.Write("names.xml", CrLf({"<Alignments>", "<Alignment name=\"Caf\xE9\" staStart=\"0\">",
                                   "<ProfAlign name=\"p1\">", "</ProfAlign>", "</Alignment>",
                                   "<Alignment name=\"Stra\xC3\x9F"
                                   "e\" staStart=\"0\">",
                                   "</Alignment>", "</Alignments>"}))));
    QCOMPARE(Entries(f.List("alignmentsList")),
             (QStringList{QStringLiteral("Caf\u00E9"), QStringLiteral("Stra\u00DFe")}));
    f.Select("alignmentsList", QStringLiteral("Caf\u00E9"));
    QCOMPARE(Entries(f.List("profilesList")), QStringList{"p1"});
    QCOMPARE(f.List("alignmentsList").GetText(0), std::string("Caf\xE9"));
    QVERIFY(f.ui.Messages().empty());
}

void GuiTest::listKeysSelectAndCreateSaysWhatIsMissing() {
    Fixture f;
    f.LoadRoad();
    f.Click("createButton");
    QCOMPARE(f.dialog.findChild<CSummaryDialog*>()->Text().section(QLatin1Char('\n'), 0, 0),
             QStringLiteral("Nothing was written.  Choose a point group or an alignment."));
    // Alt and a list's letter selects its first entry when none is selected.
    f.Edit().setFocus();
    QTest::keyClick(&f.Edit(), Qt::Key_A, Qt::AltModifier);
    QCOMPARE(QApplication::focusWidget(), &f.List("alignmentsList"));
    QCOMPARE(f.List("alignmentsList").SelectedText().value_or(""), std::string("access"));
    // Tab makes the first entry current without selecting it: Home selects it.
    f.Control("browseButton").setFocus();
    QTest::keyClick(&f.Control("browseButton"), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), &f.List("pointsList"));
    QTest::keyClick(&f.List("pointsList"), Qt::Key_Home);
    QCOMPARE(f.List("pointsList").SelectedText().value_or(""), std::string("base"));
    QTest::keyClick(&f.List("pointsList"), Qt::Key_End);
    QCOMPARE(f.List("pointsList").SelectedText().value_or(""), std::string("Survey"));
}

void GuiTest::createAndEnterWriteTheFiles() {
    Fixture f;
    f.LoadRoad();
    f.Select("pointsList", QStringLiteral("Survey"));
    f.Select("alignmentsList", QStringLiteral("Main Road"));
    // Names that would replace the LandXML file, or the point file just
    // written, are refused and asked for again.
    for (const char* name : {"road.xml", "road.asc", "road.asc", "road.ch"}) {
        f.ui.QueueFileName(f.folder.File(name));
    }
    f.Click("createButton");
    QCOMPARE(
        f.ui.Messages(),
        (Texts{f.folder.File("road.xml") + " is an input of this conversion; choose another name",
               f.folder.File("road.asc") +
                   " is the ASCII point file of this conversion; choose another name"}));
    const auto& asked = f.ui.Events().front().request;
    QCOMPARE(asked.title + asked.suggestedName, std::string("Save ASCII Point Fileroad"));
    QCOMPARE(asked.suggestedFolder, f.folder.Path().string());
    // The summary tells what was written, with full paths.
    auto* summary = f.dialog.findChild<CSummaryDialog*>(QStringLiteral("summaryDialog"));
    QVERIFY(summary != nullptr && summary->isVisible() && !summary->isModal());
    QVERIFY(summary->Text().startsWith(QStringLiteral("Files written:\n  ") +
                                       QString::fromStdString(f.folder.File("road.asc")) +
                                       QStringLiteral(" (")));
    QVERIFY(summary->Text().contains(QString::fromStdString(f.folder.File("road.ch"))));
    QVERIFY(summary->Text().contains(QStringLiteral("\n\nunit: meter (metric)\npoints: ")));
    QCOMPARE(test::ReadFileBytes(f.folder.File("road.asc")),
             CrLf({"7,5000.1,2000.2,100.3,", "8,5010,2000,101,IP", "9,5000.250000,2000.500000,0,PI",
                   "10,5100.750000,2000.500000,0,PI"}));
    QCOMPARE(test::ReadFileBytes(f.folder.File("road.ch")).substr(0, 46),
             CrLf({"{", "@ Horizontal Control", "{9 1000.500000 10 }"}));
    QCOMPARE(f.List("alignmentsList").GetCurSel(), 1);

    // The same files under a comma-decimal locale, as QApplication sets it
    // with LANG=de_DE.UTF-8.
    f.Select("profilesList", QStringLiteral("Design"));
    f.Select("crossSectionsList", QStringLiteral("Finished Grade"));
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    for (const char* locale : {"C", kCommaLocale}) {
        QVERIFY2(std::setlocale(LC_ALL, locale) != nullptr, "run scripts/install-deps.sh");
        f.ui.QueueFileName(f.folder.File(std::string(locale) + ".asc"));
        f.ui.QueueFileName(f.folder.File(std::string(locale) + ".ch"));
        f.Click("createButton");
    }
    std::setlocale(LC_ALL, previous.c_str());
    for (const char* extension : {".asc", ".ch"}) {
        QCOMPARE(test::ReadFileBytes(f.folder.File(std::string(kCommaLocale) + extension)),
                 test::ReadFileBytes(f.folder.File(std::string("C") + extension)));
    }

    // Cancelled while it reads, a conversion writes no file, and the summary
    // says so.
    std::atomic<bool> release{false};
    f.dialog.SetProgressDelay(0);
    f.dialog.SetReaderHook([&release] {
        while (!release) {
            std::this_thread::yield();
        }
    });
    QTimer::singleShot(0, [&] {
        QTest::mouseClick(&f.Control<QPushButton>("cancelButton"), Qt::LeftButton);
        release = true;
    });
    const std::size_t dialogsBefore = f.ui.CountOf(Kind::SaveDialog);
    f.Click("createButton");
    QCOMPARE(f.ui.CountOf(Kind::SaveDialog), dialogsBefore);
    QVERIFY(f.dialog.findChild<CSummaryDialog*>()->Text().startsWith(
        "Nothing was written.  The conversion was cancelled.\n"));
    f.dialog.SetReaderHook({});

    // Enter runs Create and never closes; a name not yet committed is
    // committed first.
    f.ui.QueueFileName(f.folder.File("enter.asc"));
    f.Edit().setFocus();
    QTest::keyClick(&f.Edit(), Qt::Key_Return);
    QVERIFY(std::filesystem::exists(f.folder.File("enter.asc")));
    const std::size_t dialogs = f.ui.CountOf(Kind::SaveDialog);
    f.Edit().setText(QString::fromStdString(
        f.Write("spiral.xml",
                CrLf({"<Alignments>", "<Alignment name=\"Bend\" staStart=\"0\">", "<CoordGeom>",
                      "<Spiral length=\"20\" radiusStart=\"INF\" radiusEnd=\"50\">", "</Spiral>",
                      "</CoordGeom>", "</Alignment>", "</Alignments>"}))));
    QTest::keyClick(&f.Edit(), Qt::Key_Enter);
    QCOMPARE(f.Count("pointsList"), 0);
    QCOMPARE(f.ui.CountOf(Kind::SaveDialog), dialogs);
    QVERIFY(f.dialog.isVisible());

    // The spiral message shows once per commit of the name.
    f.ui.ClearEvents();
    f.Select("alignmentsList", QStringLiteral("Bend"));
    f.Click("createButton");
    f.Click("createButton");
    QCOMPARE(f.ui.Messages().size(), std::size_t{1});
    f.Edit().setFocus();
    QTest::keyClick(&f.Edit(), Qt::Key_Tab);
    f.Click("createButton");
    QCOMPARE(f.ui.Messages(), Texts(2, "Spiral Detected and Ignored.  This has not been finished"));
}

void GuiTest::summaryNamesItsFileAndGoesWithIt() {
    Fixture f;
    f.LoadRoad();
    f.Select("alignmentsList", QStringLiteral("access"));
    f.Click("createButton");  // the point file's save dialog cancelled
    auto* summary = f.dialog.findChild<CSummaryDialog*>();
    QVERIFY(summary->windowTitle().contains(QStringLiteral("road.xml")));
    QVERIFY(summary->windowTitle().contains(QStringLiteral("access")));
    QVERIFY(summary->Text().startsWith(
        QStringLiteral("Nothing was written.  No name was chosen for the ASCII point file.\n")));
    QVERIFY(OnScreen(*summary));
    // The same file loaded again keeps it; another file closes it.
    QTest::keyClick(&f.List("alignmentsList"), Qt::Key_F5);
    QVERIFY(summary->isVisible());
    f.LoadRoad("other.xml");
    QVERIFY(!summary->isVisible());
}

// Ctrl+Shift+A with the file loaded: the choices' dialog opens on the file's
// folder, and the run asks nothing, writes the files into a folder of the
// file's name and ends with the summary of every alignment.
void GuiTest::convertAllWritesEveryAlignmentAndSummarizes() {
    Fixture f;
    f.LoadRoad();
    f.ui.ClearEvents();
    const QString out = QString::fromStdString(f.folder.File("out"));
    QString offered;
    WhenModalOpens([&](QWidget& modal) {
        auto* folder = modal.findChild<QLineEdit*>(QStringLiteral("folderEdit"));
        QVERIFY(folder != nullptr);
        offered = folder->text();
        folder->setText(out);
        QTest::mouseClick(modal.findChild<QPushButton*>(QStringLiteral("okButton")),
                          Qt::LeftButton);
    });
    QTest::keyClick(&f.List("alignmentsList"), Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(offered, QDir::toNativeSeparators(QString::fromStdString(f.folder.Path().string())));
    const auto written = [&out](const char* name) {
        return QDir::toNativeSeparators(out + QStringLiteral("/road/") + QLatin1String(name));
    };
    for (const char* name : {"road.asc", "Main Road.ch", "access.ch"}) {
        QVERIFY2(QFileInfo(written(name)).isFile(), name);
    }
    QVERIFY(f.ui.Events().empty());
    auto* summary = f.dialog.findChild<CSummaryDialog*>();
    QVERIFY(summary != nullptr && summary->isVisible());
    QVERIFY(summary->windowTitle().contains(QStringLiteral("road.xml")));
    const QString text = summary->Text();
    QVERIFY(text.startsWith(QStringLiteral("Files written:\n  ") + written("road.asc") +
                            QStringLiteral(" (")));
    QVERIFY(text.contains(written("access.ch") + QStringLiteral(" (")));
    QVERIFY(text.contains(QStringLiteral(
        "  Main Road: with messages, profile \"Design\", surface \"Finished Grade\"\n")));
    QVERIFY(text.contains(QStringLiteral("  access: with messages, no profile, no surface\n")));
    QVERIFY(text.contains(
        QStringLiteral("\n  Alignment \"access\" has no profile; converted without one\n")));
}

void GuiTest::previewFollowsTheSelections() {
    Fixture f;
    QCOMPARE(f.Control("previewButton").size(), f.Control("createButton").size());
    f.LoadRoad();
    f.List("alignmentsList").setFocus();
    QTest::keyClick(&f.List("alignmentsList"), Qt::Key_P, Qt::ControlModifier);
    auto* preview = f.dialog.findChild<CPreviewWindow*>(QStringLiteral("previewWindow"));
    QVERIFY(preview != nullptr && preview->isVisible() && !preview->isModal());
    const auto& plan = *preview->findChild<CPlanView*>(QStringLiteral("planView"));
    const auto& section = *preview->findChild<CSectionView*>(QStringLiteral("sectionView"));
    QVERIFY(plan.Model().elements.empty());
    // The rebuild waits for the last change of one action.
    const auto select = [&f](const char* list, const char* entry) {
        f.Select(list, QString::fromLatin1(entry));
        QCoreApplication::processEvents();
    };
    select("alignmentsList", "Main Road");
    QVERIFY(!plan.Model().elements.empty());
    QVERIFY(section.Model().sections.empty());
    select("crossSectionsList", "Finished Grade");
    QVERIFY(!section.Model().sections.empty());
    QVERIFY(section.Title().startsWith(QStringLiteral("Station ")));
    // The Right key steps to the next section.
    if (section.Model().sections.size() > 1) {
        QTest::keyClick(preview->findChild<CSectionView*>(), Qt::Key_Right);
        QCOMPARE(section.SectionIndex(), 1);
    }
    // Beside the dialog on the screen, the view fitted again after a resize,
    // a legend of the colours, a vertex's coordinates under the mouse.
    QVERIFY(OnScreen(*preview));
    preview->resize(preview->width() - 150, preview->height() - 100);
    QCoreApplication::processEvents();
    for (const PreviewElement& element : plan.Model().elements) {
        QVERIFY(plan.VisibleWorld().contains(QPointF(element.end.x, element.end.y)));
    }
    // Zoomed by the user, the view keeps its scale.
    QTest::keyClick(preview->findChild<CPlanView*>(), Qt::Key_Plus);
    const double zoomed = plan.Scale();
    preview->resize(preview->width() + 100, preview->height() + 50);
    QCOMPARE(plan.Scale(), zoomed);
    QVERIFY(preview->findChild<QLabel*>(QStringLiteral("previewLegend"))
                ->text()
                .contains(QStringLiteral("Spiral as arcs")));
    const PreviewVertex& vertex = plan.Model().vertices.front();
    QVERIFY(plan.HoverTextAt(plan.ToScreen(vertex.at.x, vertex.at.y))
                .contains(QStringLiteral("E %1  N %2")
                              .arg(vertex.at.x, 0, 'f', 3)
                              .arg(vertex.at.y, 0, 'f', 3)));
    // A picture's name typed without an extension gets the filter's; the
    // drawing says it is in the print style.
    QStringList filters;
    // Each into a folder of its own: a file already listed may be taken
    // for the one chosen.
    for (const char* button : {"savePngButton", "saveSvgButton"}) {
        const std::string folder = f.folder.File(button);
        std::filesystem::create_directory(folder);
        WhenModalOpens([&](QWidget& modal) {
            auto& dialog = static_cast<QFileDialog&>(modal);
            filters << dialog.selectedNameFilter();
            dialog.setDirectory(QString::fromStdString(folder));
            TypeFileName(dialog, QStringLiteral("picture"));
            static_cast<QDialog&>(dialog).accept();
        });
        QTest::mouseClick(preview->findChild<QPushButton*>(QString::fromLatin1(button)),
                          Qt::LeftButton);
    }
    QVERIFY(std::filesystem::exists(f.folder.File("savePngButton/picture.png")));
    QVERIFY(std::filesystem::exists(f.folder.File("saveSvgButton/picture.svg")));
    QCOMPARE(filters.size(), 2);
    QVERIFY(filters[1].contains(QStringLiteral("print style")));
    // No file, nothing selected: an empty preview.
    f.dialog.OpenFile(QString());
    QCoreApplication::processEvents();
    QVERIFY(plan.Model().elements.empty() && section.Model().sections.empty());
}

void GuiTest::escapeClosesThePreviewFirst() {
    Fixture f;
    f.Click("previewButton");
    auto* preview = f.dialog.findChild<CPreviewWindow*>(QStringLiteral("previewWindow"));
    // Pressed before the window system has handed the preview the keyboard,
    // and once it has: Escape closes the preview alone.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QVERIFY(!preview->isVisible());
    QVERIFY(f.dialog.isVisible());
    f.Click("previewButton");
    QTRY_VERIFY(preview->isActiveWindow());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QVERIFY(!preview->isVisible());
    QVERIFY(f.dialog.isVisible());
    // In the dialog it closes the program.
    f.dialog.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f.dialog));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QVERIFY(!f.dialog.isVisible());
}

void GuiTest::contextMenuOpensFromTheKeyboard() {
    Fixture f;
    CListBox& list = f.List("alignmentsList");
    list.setFocus();
    for (const auto& [key, modifiers] :
         {std::pair{Qt::Key_Menu, Qt::KeyboardModifiers()},
          std::pair{Qt::Key_F10, Qt::KeyboardModifiers(Qt::ShiftModifier)}}) {
        QStringList entries;
        QTimer::singleShot(0, [&entries] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                for (const QAction* action : menu->actions()) {
                    entries << action->text();
                }
                menu->close();
            }
        });
        QTest::keyClick(&list, key, modifiers);
        QCOMPARE(entries, (QStringList{"&Reload", "&Convert All...", "&About Chainforge..."}));
    }
}

void GuiTest::qtMessageBoxesAndFileDialogs() {
    QWidget owner;
    CQtUserInterface ui(&owner);
    QStringList seen;  // titles and texts, or filters and suffixes
    WhenModalOpens([&](QWidget& modal) {
        auto& box = static_cast<QMessageBox&>(modal);
        seen << box.windowTitle() << box.text();
        QCOMPARE(box.icon(), QMessageBox::Warning);
        QCOMPARE(box.standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
        box.accept();
    });
    // Bytes that are not UTF-8 are shown as Windows-1252; markup stays text.
    ui.ShowMessage("Cannot open file /tmp/<b>caf\xE9</b>.xml");
    QCOMPARE(seen, (QStringList{"Chainforge", "Cannot open file /tmp/<b>caf\u00E9</b>.xml"}));
    for (const QMessageBox::StandardButton press : {QMessageBox::Yes, QMessageBox::No}) {
        WhenModalOpens([press](QWidget& modal) {
            QTest::mouseClick(static_cast<QMessageBox&>(modal).button(press), Qt::LeftButton);
        });
        QCOMPARE(ui.AskYesNo("Continue?"), press == QMessageBox::Yes);
    }

    test::TempDir folder;
    seen.clear();
    WhenModalOpens([&](QWidget& modal) {
        auto& dialog = static_cast<QFileDialog&>(modal);
        seen << dialog.nameFilters() << dialog.defaultSuffix();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Save Chain File"));
        QCOMPARE(QDir::toNativeSeparators(dialog.directory().absolutePath()),
                 QString::fromStdString(folder.Path().string()));
        QVERIFY(!dialog.testOption(QFileDialog::DontConfirmOverwrite));
        dialog.setDirectory(QString::fromStdString(folder.Path().string()));
        TypeFileName(dialog, QStringLiteral("road"));
        static_cast<QDialog&>(dialog).accept();
    });
    FileDialogRequest request{
        "CH",  "", "Chain Files (*.ch)|*.CH||", true, "Save Chain File", folder.Path().string(),
        "road"};
    // A typed name without extension gets it in lower case; the dialog opens
    // in the suggested folder, or where the last file was saved.
    const auto path = ui.AskSaveFileName(request);
    QCOMPARE(seen, (QStringList{"Chain Files (*.ch *.CH)", "ch"}));
    QCOMPARE(path.value_or(""), folder.File("road.ch"));
    // A label without the pattern gets it; patterns in both letter cases.
    QCOMPARE(NameFilters("Points|*.ASC|Text|*.TXT||"),
             (QStringList{"Points (*.asc *.ASC)", "Text (*.txt *.TXT)"}));
    QCOMPARE(NameFilters("*.XML"), QStringList{"*.xml *.XML"});
}

void GuiTest::iconButtonPlacesIconAndCaption() {
    constexpr QRgb kRed = qRgb(255, 0, 0);
    QPixmap picture(14, 14);
    picture.fill(QColor(kRed));
    const auto render = [](CIconButton& button) {
        QImage image(button.size(), QImage::Format_RGB32);
        image.fill(Qt::white);
        button.render(&image);
        return image;
    };
    const auto red = [&](CIconButton& button) {
        const QImage image = render(button);
        return AreaOf(
            image, [](QRgb c) { return c == kRed; }, image.rect());
    };
    // Icon before a caption: margin 4, (30 - 14) / 2 = 8 from the top; the
    // caption after margin, icon and gap (26) plus half the room left.
    CIconButton go(QStringLiteral("Go"));
    go.resize(120, 30);
    QVERIFY(go.SetIcon(QIcon(picture), 14, 14));
    QCOMPARE(red(go), QRect(4, 8, 14, 14));
    const int captionWidth = go.fontMetrics().horizontalAdvance(QStringLiteral("Go"));
    const int captionX = 26 + (120 - 26 - captionWidth) / 2;
    QCOMPARE(go.CaptionPosition().x(), captionX);
    const QRect text = AreaOf(
        render(go), [](QRgb c) { return qGray(c) < 80; }, QRect(19, 3, 96, 24));
    QVERIFY(text.left() >= captionX && text.right() <= captionX + captionWidth);

    // An icon alone is centred, rounded down; pressing shifts it by a pixel.
    CIconButton icon{QString()};
    icon.resize(41, 31);
    QVERIFY(icon.SetIcon(QIcon(picture), 14, 14));
    QVERIFY(!icon.SetIcon(QIcon(), 14, 14));
    QCOMPARE(red(icon), QRect(13, 8, 14, 14));
    icon.setDown(true);
    QCOMPARE(red(icon), QRect(14, 9, 14, 14));
    icon.setDown(false);
    icon.setEnabled(false);
    QVERIFY(red(icon).isEmpty());

    // A caption alone is centred and raised; the ampersand takes no room.
    CIconButton browse(QStringLiteral("&Browse"));
    browse.resize(100, 40);
    const QFontMetrics metrics = browse.fontMetrics();
    QCOMPARE(browse.CaptionPosition(),
             QPoint((100 - metrics.horizontalAdvance(QStringLiteral("Browse"))) / 2,
                    (40 - metrics.height()) / 2 - 1));
}

}  // namespace chainforge

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    chainforge::GuiTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "GuiTest.moc"
