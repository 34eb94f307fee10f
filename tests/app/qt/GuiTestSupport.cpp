#include "GuiTestSupport.h"

#include <QTest>

namespace chainforge::test {

std::string RoadDocument() {
    return CrLf({
        "<?xml version=\"1.0\"?>",
        "<LandXML xmlns=\"http://www.landxml.org/schema/LandXML-1.1\" version=\"1.1\">",
        "<Units>",
        "<Metric linearUnit=\"meter\" areaUnit=\"squareMeter\" volumeUnit=\"cubicMeter\"/>",
        "</Units>",
        "<CgPoints name=\"Survey\">",
        "<CgPoint name=\"7\">5000.1 2000.2 100.3</CgPoint>",
        "<CgPoint name=\"8\" desc=\"IP\">5010 2000 101</CgPoint>",
        "</CgPoints>",
        "<CgPoints name=\"base\">",
        "<CgPoint name=\"1\">4000.5 1000.5 90.25</CgPoint>",
        "</CgPoints>",
        "<Alignments name=\"Roads\">",
        "<Alignment name=\"Main Road\" length=\"100.5\" staStart=\"1000.5\">",
        "<CoordGeom>",
        "<Line>",
        "<Start>5000.25 2000.5</Start>",
        "<End>5100.75 2000.5</End>",
        "</Line>",
        "</CoordGeom>",
        "<Profile name=\"Main Road\">",
        "<ProfAlign name=\"Design\">",
        "<PVI>1000.5 100.25</PVI>",
        "<PVI>1101 101.5</PVI>",
        "</ProfAlign>",
        "<ProfAlign name=\"alternative\">",
        "<PVI>1000.5 100.75</PVI>",
        "<PVI>1101 100.25</PVI>",
        "</ProfAlign>",
        "</Profile>",
        "<CrossSects>",
        "<CrossSect sta=\"1000.5\">",
        "<CrossSectSurf name=\"Finished Grade\">",
        "<PntList2D>-5.5 99.75 0 100.25 5.5 99.75</PntList2D>",
        "</CrossSectSurf>",
        "<CrossSectSurf name=\"existing ground\">",
        "<PntList2D>-6.25 99.5 0 100.125 6.25 99.5</PntList2D>",
        "</CrossSectSurf>",
        "</CrossSect>",
        "<CrossSect sta=\"1050.75\">",
        "<CrossSectSurf name=\"Finished Grade\">",
        "<PntList2D>-5.5 100.5 2.5 101.125 5.5 100.25</PntList2D>",
        "</CrossSectSurf>",
        "</CrossSect>",
        "</CrossSects>",
        "</Alignment>",
        "<Alignment name=\"access\" staStart=\"0\">",
        "<CoordGeom>",
        "<Line>",
        "<Start>4000.5 1000.5</Start>",
        "<End>4050.5 1010.5</End>",
        "</Line>",
        "</CoordGeom>",
        "</Alignment>",
        "</Alignments>",
        "</LandXML>",
    });
}

QStringList Entries(const CListBox& list) {
    QStringList texts;
    for (int i = 0; i < list.count(); ++i) {
        texts.append(list.item(i)->text());
    }
    return texts;
}

DialogFixture::DialogFixture() : dialog_(std::make_unique<CMainDialog>(&ui_)) {
    dialog_->show();
    dialog_->activateWindow();
    if (!QTest::qWaitForWindowActive(dialog_.get())) {
        qFatal("the main dialog never became the active window");
    }
}

QLineEdit& DialogFixture::FileNameEdit() {
    return Control<QLineEdit>("fileNameEdit");
}

CListBox& DialogFixture::List(const char* objectName) {
    return Control<CListBox>(objectName);
}

void DialogFixture::TypeAndLeave(const QString& name) {
    QLineEdit& edit = FileNameEdit();
    edit.setFocus();
    edit.selectAll();
    QTest::keyClick(&edit, Qt::Key_Delete);
    QTest::keyClicks(&edit, name);
    QTest::keyClick(&edit, Qt::Key_Tab);
}

QString DialogFixture::LoadRoad(const char* fileName) {
    const std::string path = folder_.File(fileName);
    WriteFileBytes(path, RoadDocument());
    TypeAndLeave(QString::fromStdString(path));
    return QString::fromStdString(path);
}

void DialogFixture::Select(const char* listName, const QString& entry) {
    CListBox& list = List(listName);
    const QList<QListWidgetItem*> found = list.findItems(entry, Qt::MatchExactly);
    if (found.size() != 1) {
        qFatal("no single entry %s in %s", qPrintable(entry), listName);
    }
    list.scrollToItem(found.constFirst());
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                      list.visualItemRect(found.constFirst()).center());
}

}  // namespace chainforge::test
