// What the GUI tests share: a small road document, the main dialog shown
// and active with a scripted user interface, and ways to reach its controls.
#pragma once

#include <QApplication>
#include <QLineEdit>
#include <QString>
#include <memory>
#include <string>

#include "app/qt/ListBox.h"
#include "app/qt/MainDialog.h"
#include "support/TestSupport.h"
#include "ui/ScriptedUserInterface.h"

namespace chainforge::test {

// Point groups "Survey" and "base"; alignments "Main Road" (profiles
// "Design" and "alternative", surfaces "Finished Grade" and "existing
// ground") and "access". Decimal values throughout, so that a reader that
// depends on the locale gives itself away.
std::string RoadDocument();

// The texts of a list's entries, top to bottom.
QStringList Entries(const CListBox& list);

class DialogFixture {
  public:
    DialogFixture();

    CMainDialog& Dialog() { return *dialog_; }
    ScriptedUserInterface& Ui() { return ui_; }
    TempDir& Folder() { return folder_; }

    QLineEdit& FileNameEdit();
    CListBox& List(const char* objectName);
    template <typename Widget>
    Widget& Control(const char* objectName) {
        return *Dialog().findChild<Widget*>(QString::fromLatin1(objectName));
    }

    // Types the name into the empty field and leaves it with Tab.
    void TypeAndLeave(const QString& name);
    // Writes RoadDocument to a file of that name and commits its path.
    QString LoadRoad(const char* fileName = "road.xml");
    void Select(const char* listName, const QString& entry);

  private:
    TempDir folder_;
    ScriptedUserInterface ui_;
    std::unique_ptr<CMainDialog> dialog_;
};

}  // namespace chainforge::test
