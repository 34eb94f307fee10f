// The Qt message boxes and file dialogs, opened for real and answered by the
// test as a person would.
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "app/qt/QtUserInterface.h"
#include "support/TestSupport.h"

namespace chainforge {
namespace {

// The next modal window that opens is handed to answer, which must close it.
void WhenModalOpens(std::function<void(QWidget&)> answer) {
    QTimer::singleShot(0, [answer = std::move(answer)] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            answer(*modal);
        }
    });
}

}  // namespace

class QtUserInterfaceTest : public QObject {
    Q_OBJECT

  private slots:
    void messagesAreCaptionedWithTheProgramAndWarn();
    void questionsTellYesFromNo();
    void theSaveDialogAddsTheDefaultExtension();
    void filtersBecomeQtNameFilters();
};

void QtUserInterfaceTest::messagesAreCaptionedWithTheProgramAndWarn() {
    QWidget owner;
    QtUserInterface ui(&owner);
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    WhenModalOpens([&](QWidget& modal) {
        auto& box = static_cast<QMessageBox&>(modal);
        title = box.windowTitle();
        text = box.text();
        icon = box.icon();
        buttons = box.standardButtons();
        box.accept();
    });
    // Bytes that are not UTF-8 are shown as Windows-1252; markup stays text.
    ui.ShowMessage("Cannot open file /tmp/<b>caf\xE9</b>.xml");
    QCOMPARE(title, QStringLiteral("Chainforge"));
    QCOMPARE(text, QStringLiteral("Cannot open file /tmp/<b>caf\u00E9</b>.xml"));
    QCOMPARE(icon, QMessageBox::Warning);
    QCOMPARE(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
}

void QtUserInterfaceTest::questionsTellYesFromNo() {
    QWidget owner;
    QtUserInterface ui(&owner);
    for (const QMessageBox::StandardButton press : {QMessageBox::Yes, QMessageBox::No}) {
        WhenModalOpens([press](QWidget& modal) {
            auto& box = static_cast<QMessageBox&>(modal);
            QTest::mouseClick(box.button(press), Qt::LeftButton);
        });
        QCOMPARE(ui.AskYesNo("Continue?"), press == QMessageBox::Yes);
    }
}

void QtUserInterfaceTest::theSaveDialogAddsTheDefaultExtension() {
    test::TempDir folder;
    QWidget owner;
    QtUserInterface ui(&owner);
    QStringList filters;
    QString suffix;
    bool asksBeforeReplacing = false;
    WhenModalOpens([&](QWidget& modal) {
        auto& dialog = static_cast<QFileDialog&>(modal);
        filters = dialog.nameFilters();
        suffix = dialog.defaultSuffix();
        asksBeforeReplacing = !dialog.testOption(QFileDialog::DontConfirmOverwrite);
        dialog.setDirectory(QString::fromStdString(folder.Path().string()));
        dialog.selectFile(QStringLiteral("road"));
        static_cast<QDialog&>(dialog).accept();
    });
    const std::optional<std::string> path =
        ui.AskSaveFileName({"CH", "", "Chain Files (*.ch)|*.CH||", true});
    QCOMPARE(filters, QStringList{QStringLiteral("Chain Files (*.ch)")});
    QCOMPARE(suffix, QStringLiteral("CH"));
    QVERIFY(asksBeforeReplacing);
    QVERIFY(path.has_value());
    QCOMPARE(*path, folder.File("road.CH"));
}

void QtUserInterfaceTest::filtersBecomeQtNameFilters() {
    QCOMPARE(NameFilters("ASCII Files (*.asc)|*.ASC||"), QStringList{"ASCII Files (*.asc)"});
    // A label without the pattern gets it; a bare pattern stands alone.
    QCOMPARE(NameFilters("Points|*.ASC|Text|*.TXT||"),
             (QStringList{"Points (*.ASC)", "Text (*.TXT)"}));
    QCOMPARE(NameFilters("*.XML"), QStringList{"*.XML"});
}

namespace test {

int RunQtUserInterfaceTests(int argc, char** argv) {
    QtUserInterfaceTest test;
    return QTest::qExec(&test, argc, argv);
}

}  // namespace test
}  // namespace chainforge

#include "QtUserInterfaceTest.moc"
