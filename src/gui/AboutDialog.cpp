#include "gui/AboutDialog.h"

#include <QLabel>
#include <QPushButton>

#include "convert/Version.h"
#include "gui/AppIcons.h"
#include "gui/DialogGeometry.h"
#include "landxml/MakerInfo.h"

namespace chainforge {
namespace {

constexpr int kIconSize = 32;

QLabel* PlainLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    return label;
}

}  // namespace

CAboutDialog::CAboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("About %1").arg(QString::fromLatin1(kProgramName)));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("aboutIcon"));
    icon->setPixmap(ApplicationIcon().pixmap(QSize(kIconSize, kIconSize)));
    const QRect iconPlace = MapDialogRect(*this, 11, 17, 0, 0);
    icon->setGeometry(QRect(iconPlace.topLeft(), QSize(kIconSize, kIconSize)));

    auto* version =
        PlainLabel(QStringLiteral("%1 Version %2")
                       .arg(QString::fromLatin1(kProgramName), QString::fromLatin1(kVersionText)),
                   this);
    version->setObjectName(QStringLiteral("aboutVersion"));
    version->setGeometry(MapDialogRect(*this, 40, 10, 119, 8));

    auto* purpose = PlainLabel(QStringLiteral("Converts LandXML files"), this);
    purpose->setObjectName(QStringLiteral("aboutPurpose"));
    purpose->setGeometry(MapDialogRect(*this, 40, 25, 119, 8));

    auto* details = new QLabel(
        QStringLiteral("Qt %1<br>%2<br><a href=\"%3\">%3</a>")
            .arg(QString::fromLatin1(qVersion()), QString::fromLatin1(kLicenceLine).toHtmlEscaped(),
                 QString::fromLatin1(kMakerWebAddress)),
        this);
    details->setObjectName(QStringLiteral("aboutDetails"));
    details->setTextFormat(Qt::RichText);
    details->setOpenExternalLinks(true);
    details->setGeometry(MapDialogRect(*this, 40, 37, 190, 26));

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("aboutOk"));
    ok->setGeometry(MapDialogRect(*this, 178, 7, 50, 16));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    setFixedSize(MapDialogRect(*this, 0, 0, 235, 70).size());
}

}  // namespace chainforge
