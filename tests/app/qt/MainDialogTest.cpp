// The main dialog as the user drives it: loading, lists, the check box,
// Create and Enter, the layout when resized, F1 and dropped files.
#include <QCheckBox>
#include <QDialog>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <array>
#include <clocale>
#include <filesystem>
#include <functional>
#include <map>

#include "GuiTestSupport.h"
#include "app/qt/AboutDialog.h"

namespace chainforge::test {
namespace {

using Kind = ScriptedUserInterface::EventKind;

const std::string kExpectedPointFile =
    CrLf({"7,5000.1,2000.2,100.3,", "8,5010,2000,101,IP", "9,5000.250000,2000.500000,0,PI",
          "10,5100.750000,2000.500000,0,PI"});

const std::string kExpectedChainFile =
    CrLf({"{", "@ Horizontal Control", "{9 1000.500000 10 }", "", "@ Vertical Control", "{}", "",
          "@ Left Templates", "{", "}", "", "@ Right Templates", "{", "}", "", "}"});

// The next modal window that opens is handed to look, then closed.
void WhenModalOpens(std::function<void(QWidget&)> look) {
    QTimer::singleShot(0, [look = std::move(look)] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            look(*modal);
            modal->close();
        }
    });
}

}  // namespace

class MainDialogTest : public QObject {
    Q_OBJECT

  private slots:
    void startsEmptyWithTheFocusInTheFileNameField();
    void leavingTheFieldLoadsTheFileAndSortsTheLists();
    void onlyANewXmlNameOfAnExistingFileLoads();
    void aFileThatCannotBeOpenedEmptiesTheLists();
    void browsingCommitsTheChosenName();
    void droppingAnXmlFileCommitsIt();
    void choosingAnAlignmentFillsProfilesAndCrossSections();
    void namesShowDecodedAndAreLookedUpByTheirBytes();
    void theCheckBoxGreysThePointsListAndKeepsItsSelection();
    void createWritesThePointFileAndTheChainFile();
    void enterRunsCreateAndNeverCloses();
    void theSpiralMessageShowsOncePerCommitOfTheName();
    void filesAreTheSameUnderACommaDecimalLocale();
    void resizingMovesEachControlByItsAnchors();
    void theDialogCannotGetSmallerThanItStarted();
    void f1OpensTheAboutBox();
};

void MainDialogTest::startsEmptyWithTheFocusInTheFileNameField() {
    DialogFixture fixture;
    QCOMPARE(fixture.Dialog().windowTitle(), QStringLiteral("Chainforge"));
    QCOMPARE(QApplication::focusWidget(), &fixture.FileNameEdit());
    for (const char* list : {"pointsList", "alignmentsList", "profilesList", "crossSectionsList"}) {
        QCOMPARE(fixture.List(list).count(), 0);
    }
    // The tab order of the controls.
    QWidget* widget = &fixture.FileNameEdit();
    QStringList order;
    for (int i = 0; i < 9; ++i) {
        order.append(widget->objectName());
        widget = widget->nextInFocusChain();
        while (widget->focusPolicy() == Qt::NoFocus || !widget->isVisibleTo(&fixture.Dialog())) {
            widget = widget->nextInFocusChain();
        }
    }
    QCOMPARE(order, (QStringList{"fileNameEdit", "browseButton", "createButton", "closeButton",
                                 "profilesList", "crossSectionsList", "pointsList",
                                 "alignmentsList", "asciiPointsCheck"}));
}

void MainDialogTest::leavingTheFieldLoadsTheFileAndSortsTheLists() {
    DialogFixture fixture;
    fixture.LoadRoad();
    // Sorted without regard to letter case, as a list box sorts.
    QCOMPARE(Entries(fixture.List("pointsList")), (QStringList{"base", "Survey"}));
    QCOMPARE(Entries(fixture.List("alignmentsList")), (QStringList{"access", "Main Road"}));
    QCOMPARE(fixture.List("profilesList").count(), 0);
    QVERIFY(fixture.Ui().Events().empty());
}

void MainDialogTest::onlyANewXmlNameOfAnExistingFileLoads() {
    DialogFixture fixture;
    const QString road = fixture.LoadRoad("Road.xml");
    // The file changes on disk; the same name in other letter case does not reload it.
    WriteFileBytes(road.toStdString(), CrLf({"<LandXML version=\"1.1\">", "</LandXML>"}));
    fixture.TypeAndLeave(road.left(road.size() - 8) + QStringLiteral("ROAD.XML"));
    QCOMPARE(fixture.List("alignmentsList").count(), 2);

    // No ".xml" ending, or no such file: nothing loads, but the name is remembered.
    const std::string other = fixture.Folder().File("other.xml");
    fixture.TypeAndLeave(QString::fromStdString(other) + QStringLiteral(" "));
    fixture.TypeAndLeave(QString::fromStdString(other));
    QCOMPARE(fixture.List("alignmentsList").count(), 2);
    WriteFileBytes(other, RoadDocument());
    fixture.TypeAndLeave(QString::fromStdString(other));
    QCOMPARE(fixture.List("alignmentsList").count(), 2);

    // Another name and back: the changed file is read.
    fixture.TypeAndLeave(QStringLiteral("x"));
    fixture.TypeAndLeave(road);
    QCOMPARE(fixture.List("alignmentsList").count(), 0);
}

void MainDialogTest::aFileThatCannotBeOpenedEmptiesTheLists() {
    DialogFixture fixture;
    fixture.LoadRoad();
    const std::string folder = fixture.Folder().File("folder.xml");
    std::filesystem::create_directory(folder);
    fixture.TypeAndLeave(QString::fromStdString(folder));
    QCOMPARE(fixture.List("pointsList").count(), 0);
    QCOMPARE(fixture.List("alignmentsList").count(), 0);
    QCOMPARE(fixture.Ui().Messages(), (std::vector<std::string>{"Cannot open file " + folder}));
}

void MainDialogTest::browsingCommitsTheChosenName() {
    DialogFixture fixture;
    const std::string path = fixture.Folder().File("browsed.xml");
    WriteFileBytes(path, RoadDocument());
    fixture.Ui().QueueFileName(path);
    QTest::mouseClick(&fixture.Control<QPushButton>("browseButton"), Qt::LeftButton);
    QCOMPARE(fixture.FileNameEdit().text(), QString::fromStdString(path));
    QCOMPARE(fixture.List("alignmentsList").count(), 2);
    const auto& request = fixture.Ui().Events().back().request;
    QCOMPARE(request.defaultExtension, std::string("xml"));
    QCOMPARE(request.filter, std::string("*.XML"));

    // Cancelling changes nothing.
    QTest::mouseClick(&fixture.Control<QPushButton>("browseButton"), Qt::LeftButton);
    QCOMPARE(fixture.FileNameEdit().text(), QString::fromStdString(path));
}

void MainDialogTest::droppingAnXmlFileCommitsIt() {
    DialogFixture fixture;
    const std::string path = fixture.Folder().File("dropped.XML");
    WriteFileBytes(path, RoadDocument());
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
    const QPoint where = fixture.List("pointsList").geometry().center();
    QDragEnterEvent enter(where, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&fixture.Dialog(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(where, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&fixture.Dialog(), &drop);
    QCOMPARE(fixture.FileNameEdit().text(), QString::fromStdString(path));
    QCOMPARE(fixture.List("alignmentsList").count(), 2);
}

void MainDialogTest::choosingAnAlignmentFillsProfilesAndCrossSections() {
    DialogFixture fixture;
    fixture.LoadRoad();
    fixture.Select("alignmentsList", QStringLiteral("Main Road"));
    QCOMPARE(Entries(fixture.List("profilesList")), (QStringList{"alternative", "Design"}));
    QCOMPARE(Entries(fixture.List("crossSectionsList")),
             (QStringList{"existing ground", "Finished Grade"}));
    QCOMPARE(fixture.List("profilesList").GetCurSel(), -1);
    fixture.Select("alignmentsList", QStringLiteral("access"));
    QCOMPARE(fixture.List("profilesList").count(), 0);
    QCOMPARE(fixture.List("crossSectionsList").count(), 0);
    QVERIFY(fixture.Ui().Messages().empty());
    // A new load drops the narrowed lists.
    fixture.Select("alignmentsList", QStringLiteral("Main Road"));
    fixture.LoadRoad("again.xml");
    QCOMPARE(fixture.List("profilesList").count(), 0);
    QCOMPARE(fixture.List("alignmentsList").GetCurSel(), -1);
}

void MainDialogTest::namesShowDecodedAndAreLookedUpByTheirBytes() {
    DialogFixture fixture;
    const std::string path = fixture.Folder().File("names.xml");
    WriteFileBytes(path, CrLf({
                             "<LandXML version=\"1.1\">",
                             "<Alignments>",
                             "<Alignment name=\"Caf\xE9\" staStart=\"0\">",
                             "<ProfAlign name=\"p1\">",
                             "</ProfAlign>",
                             "</Alignment>",
                             "<Alignment name=\"Stra\xC3\x9F"
                             "e\" staStart=\"0\">",
                             "</Alignment>",
                             "</Alignments>",
                             "</LandXML>",
                         }));
    fixture.TypeAndLeave(QString::fromStdString(path));
    // Windows-1252 where the bytes are not UTF-8.
    QCOMPARE(Entries(fixture.List("alignmentsList")),
             (QStringList{QStringLiteral("Caf\u00E9"), QStringLiteral("Stra\u00DFe")}));
    fixture.Select("alignmentsList", QStringLiteral("Caf\u00E9"));
    QCOMPARE(Entries(fixture.List("profilesList")), QStringList{"p1"});
    QCOMPARE(fixture.List("alignmentsList").GetText(0), std::string("Caf\xE9"));
}

void MainDialogTest::theCheckBoxGreysThePointsListAndKeepsItsSelection() {
    DialogFixture fixture;
    fixture.LoadRoad();
    fixture.Select("pointsList", QStringLiteral("Survey"));
    auto& check = fixture.Control<QCheckBox>("asciiPointsCheck");
    CListBox& points = fixture.List("pointsList");
    QTest::mouseClick(&check, Qt::LeftButton, {}, QPoint(6, check.height() / 2));
    QVERIFY(check.isChecked());
    QVERIFY(!points.isEnabled());
    QCOMPARE(points.GetCurSel(), 1);
    QTest::mouseClick(&check, Qt::LeftButton, {}, QPoint(6, check.height() / 2));
    QVERIFY(points.isEnabled());
    QCOMPARE(points.GetCurSel(), 1);
}

void MainDialogTest::createWritesThePointFileAndTheChainFile() {
    DialogFixture fixture;
    fixture.LoadRoad();
    fixture.Select("pointsList", QStringLiteral("Survey"));
    fixture.Select("alignmentsList", QStringLiteral("Main Road"));
    const std::string points = fixture.Folder().File("road.asc");
    const std::string chain = fixture.Folder().File("road.ch");
    fixture.Ui().QueueFileName(points);
    fixture.Ui().QueueFileName(chain);
    QTest::mouseClick(&fixture.Control<QPushButton>("createButton"), Qt::LeftButton);

    QCOMPARE(fixture.Ui().CountOf(Kind::SaveDialog), std::size_t{2});
    QCOMPARE(fixture.Ui().Events()[0].request.filter, std::string("ASCII Files (*.asc)|*.ASC||"));
    QCOMPARE(fixture.Ui().Events()[1].request.filter, std::string("Chain Files (*.ch)|*.CH||"));
    QCOMPARE(ReadFileBytes(points), kExpectedPointFile);
    QCOMPARE(ReadFileBytes(chain), kExpectedChainFile);
    QVERIFY(fixture.Dialog().isVisible());
    QCOMPARE(fixture.List("alignmentsList").GetCurSel(), 1);
}

void MainDialogTest::enterRunsCreateAndNeverCloses() {
    DialogFixture fixture;
    fixture.LoadRoad();
    fixture.Select("pointsList", QStringLiteral("Survey"));
    const std::string points = fixture.Folder().File("enter.asc");
    fixture.Ui().QueueFileName(points);
    fixture.FileNameEdit().setFocus();
    QTest::keyClick(&fixture.FileNameEdit(), Qt::Key_Return);
    QCOMPARE(fixture.Ui().CountOf(Kind::SaveDialog), std::size_t{1});
    QVERIFY(std::filesystem::exists(points));
    QVERIFY(fixture.Dialog().isVisible());

    // A name typed and not yet committed is committed before the run.
    const std::string other = fixture.Folder().File("other.xml");
    WriteFileBytes(other, CrLf({"<LandXML version=\"1.1\">", "</LandXML>"}));
    fixture.FileNameEdit().setText(QString::fromStdString(other));
    QTest::keyClick(&fixture.FileNameEdit(), Qt::Key_Enter);
    QCOMPARE(fixture.List("pointsList").count(), 0);
    QCOMPARE(fixture.Ui().CountOf(Kind::SaveDialog), std::size_t{1});
    QVERIFY(fixture.Dialog().isVisible());
}

void MainDialogTest::theSpiralMessageShowsOncePerCommitOfTheName() {
    DialogFixture fixture;
    const std::string path = fixture.Folder().File("spiral.xml");
    WriteFileBytes(path, CrLf({
                             "<LandXML version=\"1.1\">",
                             "<Alignments>",
                             "<Alignment name=\"Bend\" staStart=\"0\">",
                             "<CoordGeom>",
                             "<Spiral length=\"20\" radiusStart=\"INF\" radiusEnd=\"50\">",
                             "</Spiral>",
                             "</CoordGeom>",
                             "</Alignment>",
                             "</Alignments>",
                             "</LandXML>",
                         }));
    fixture.TypeAndLeave(QString::fromStdString(path));
    fixture.Select("alignmentsList", QStringLiteral("Bend"));
    auto& create = fixture.Control<QPushButton>("createButton");
    QTest::mouseClick(&create, Qt::LeftButton);
    QTest::mouseClick(&create, Qt::LeftButton);
    QCOMPARE(fixture.Ui().Messages().size(), std::size_t{1});
    // Leaving the field with the name unchanged arms the message again.
    fixture.FileNameEdit().setFocus();
    QTest::keyClick(&fixture.FileNameEdit(), Qt::Key_Tab);
    QTest::mouseClick(&create, Qt::LeftButton);
    QCOMPARE(
        fixture.Ui().Messages(),
        (std::vector<std::string>(2, "Spiral Detected and Ignored.  This has not been finished")));
}

void MainDialogTest::filesAreTheSameUnderACommaDecimalLocale() {
    DialogFixture fixture;
    fixture.LoadRoad();
    fixture.Select("pointsList", QStringLiteral("Survey"));
    fixture.Select("alignmentsList", QStringLiteral("Main Road"));
    fixture.Select("profilesList", QStringLiteral("Design"));
    fixture.Select("crossSectionsList", QStringLiteral("Finished Grade"));
    auto createInto = [&fixture](const char* stem) {
        fixture.Ui().QueueFileName(fixture.Folder().File(std::string(stem) + ".asc"));
        fixture.Ui().QueueFileName(fixture.Folder().File(std::string(stem) + ".ch"));
        QTest::mouseClick(&fixture.Control<QPushButton>("createButton"), Qt::LeftButton);
    };
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    std::setlocale(LC_ALL, "C");
    createInto("c");
    // What QApplication does with LANG=de_DE.UTF-8 in the environment.
    const bool german = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
    char number[16];
    std::snprintf(number, sizeof number, "%.1f", 1.5);
    if (german) {
        createInto("de");
    }
    std::setlocale(LC_ALL, previous.c_str());
    QVERIFY2(german, "the de_DE.UTF-8 locale is missing: run scripts/install-deps.sh");
    QCOMPARE(number, "1,5");
    QVERIFY(ReadFileBytes(fixture.Folder().File("c.ch")).find("1000.500000") != std::string::npos);
    QCOMPARE(ReadFileBytes(fixture.Folder().File("de.asc")),
             ReadFileBytes(fixture.Folder().File("c.asc")));
    QCOMPARE(ReadFileBytes(fixture.Folder().File("de.ch")),
             ReadFileBytes(fixture.Folder().File("c.ch")));
}

void MainDialogTest::resizingMovesEachControlByItsAnchors() {
    DialogFixture fixture;
    CMainDialog& dialog = fixture.Dialog();
    const char* const names[] = {"fileLabel",          "fileNameEdit",      "browseButton",
                                 "pointsLabel",        "alignmentsLabel",   "profilesLabel",
                                 "crossSectionsLabel", "createButton",      "closeButton",
                                 "profilesList",       "crossSectionsList", "pointsList",
                                 "alignmentsList",     "asciiPointsCheck",  "sizeGrip"};
    std::map<std::string, QRect> before;
    for (const char* name : names) {
        before[name] = fixture.Control<QWidget>(name).geometry();
    }
    const QSize start = dialog.size();
    const int dx = 57;
    const int dy = 31;
    dialog.resize(start + QSize(dx, dy));
    QCoreApplication::processEvents();
    QCOMPARE(dialog.size(), start + QSize(dx, dy));

    // left, top, right and bottom shifts of each control, worked out from its anchors
    const std::map<std::string, std::array<int, 4>> shifts = {
        {"fileLabel", {0, 0, 0, 0}},
        {"pointsLabel", {0, 0, 0, 0}},
        {"fileNameEdit", {0, 0, dx, 0}},
        {"browseButton", {dx, 0, dx, 0}},
        {"pointsList", {0, 0, 0, dy}},
        {"alignmentsList", {0, 0, dx, dy}},
        {"alignmentsLabel", {0, 0, dx, 0}},
        {"profilesList", {dx, 0, dx, dy}},
        {"profilesLabel", {dx, 0, dx, 0}},
        {"crossSectionsList", {dx, 0, dx, dy}},
        {"crossSectionsLabel", {dx, 0, dx, 0}},
        {"asciiPointsCheck", {0, dy, 0, dy}},
        {"createButton", {dx, dy, dx, dy}},
        {"closeButton", {dx, dy, dx, dy}},
        {"sizeGrip", {dx, dy, dx, dy}}};
    for (const auto& [name, shift] : shifts) {
        const QRect expected = before[name].adjusted(shift[0], shift[1], shift[2], shift[3]);
        QVERIFY2(fixture.Control<QWidget>(name.c_str()).geometry() == expected, name.c_str());
    }
    const QRect grip = fixture.Control<QWidget>("sizeGrip").geometry();
    QCOMPARE(grip.right() + 1, dialog.width());
    QCOMPARE(grip.bottom() + 1, dialog.height());

    dialog.resize(start + QSize(400, 5));
    QCoreApplication::processEvents();
    dialog.resize(start);
    QCoreApplication::processEvents();
    QCOMPARE(dialog.size(), start);
    for (const char* name : names) {
        QVERIFY2(fixture.Control<QWidget>(name).geometry() == before[name], name);
    }
}

void MainDialogTest::theDialogCannotGetSmallerThanItStarted() {
    DialogFixture fixture;
    CMainDialog& dialog = fixture.Dialog();
    const QSize start = dialog.size();
    QCOMPARE(dialog.minimumSize(), start);
    dialog.resize(start - QSize(100, 50));
    QCoreApplication::processEvents();
    QCOMPARE(dialog.size(), start);
}

void MainDialogTest::f1OpensTheAboutBox() {
    DialogFixture fixture;
    bool about = false;
    QString title;
    QString version;
    WhenModalOpens([&](QWidget& modal) {
        about = qobject_cast<CAboutDialog*>(&modal) != nullptr;
        title = modal.windowTitle();
        if (auto* label = modal.findChild<QLabel*>(QStringLiteral("aboutVersion"))) {
            version = label->text();
        }
    });
    QTest::keyClick(&fixture.List("pointsList"), Qt::Key_F1);
    QVERIFY(about);
    QCOMPARE(title, QStringLiteral("About Chainforge"));
    QCOMPARE(version, QStringLiteral("Chainforge Version 0.9b1"));
    QVERIFY(fixture.Dialog().isVisible());
}

int RunMainDialogTests(int argc, char** argv) {
    MainDialogTest test;
    return QTest::qExec(&test, argc, argv);
}

}  // namespace chainforge::test

#include "MainDialogTest.moc"
