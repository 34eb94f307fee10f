// The icon button rendered to an image: where its icon and caption land,
// pressed and disabled.
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QTest>

#include "app/qt/IconButton.h"

namespace chainforge {
namespace {

constexpr QRgb kRed = qRgb(255, 0, 0);

QIcon RedSquare() {
    QPixmap picture(14, 14);
    picture.fill(QColor(kRed));
    return QIcon(picture);
}

QImage Render(CIconButton& button) {
    QImage image(button.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    button.render(&image);
    return image;
}

// The bounding box of the pixels of one colour.
QRect Area(const QImage& image, QRgb colour) {
    QRect area;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == colour) {
                area |= QRect(x, y, 1, 1);
            }
        }
    }
    return area;
}

// Columns that hold dark (text) pixels within the rows of the caption.
QRect DarkArea(const QImage& image, QRect within) {
    QRect area;
    for (int y = within.top(); y <= within.bottom(); ++y) {
        for (int x = within.left(); x <= within.right(); ++x) {
            if (qGray(image.pixel(x, y)) < 80) {
                area |= QRect(x, y, 1, 1);
            }
        }
    }
    return area;
}

}  // namespace

class IconButtonTest : public QObject {
    Q_OBJECT

  private slots:
    void theIconSitsAtTheMarginBeforeACaption();
    void anIconWithoutCaptionIsCentred();
    void aCaptionWithoutIconIsCentredAndRaised();
    void pressingShiftsIconAndCaptionByOnePixel();
    void aDisabledButtonGreysItsIcon();
};

void IconButtonTest::theIconSitsAtTheMarginBeforeACaption() {
    CIconButton button(QStringLiteral("Go"));
    button.resize(120, 30);
    QVERIFY(button.SetIcon(RedSquare(), 14, 14));
    const QImage image = Render(button);
    // Margin 4; (30 - 14) / 2 = 8 from the top.
    QCOMPARE(Area(image, kRed), QRect(4, 8, 14, 14));
    // The caption starts after margin, icon and gap (26) plus half the room left.
    const int captionWidth = button.fontMetrics().horizontalAdvance(QStringLiteral("Go"));
    const int captionX = 26 + (120 - 26 - captionWidth) / 2;
    QCOMPARE(button.CaptionPosition().x(), captionX);
    const QRect text = DarkArea(image, QRect(19, 3, 96, 24));
    QVERIFY(text.isValid());
    QVERIFY2(
        text.left() >= captionX && text.right() < captionX + captionWidth + 1,
        qPrintable(QStringLiteral("caption drawn at %1..%2").arg(text.left()).arg(text.right())));
}

void IconButtonTest::anIconWithoutCaptionIsCentred() {
    CIconButton button(QString{});
    button.resize(41, 31);
    QVERIFY(button.SetIcon(RedSquare(), 14, 14));
    // (41 - 14) / 2 = 13 and (31 - 14) / 2 = 8, rounded down.
    QCOMPARE(Area(Render(button), kRed), QRect(13, 8, 14, 14));
    QVERIFY(!button.SetIcon(QIcon(), 14, 14));
    QCOMPARE(Area(Render(button), kRed), QRect(13, 8, 14, 14));
}

void IconButtonTest::aCaptionWithoutIconIsCentredAndRaised() {
    CIconButton button(QStringLiteral("&Browse"));
    button.resize(100, 40);
    const QFontMetrics metrics = button.fontMetrics();
    // The ampersand only underlines; it takes no room.
    const int width = metrics.horizontalAdvance(QStringLiteral("Browse"));
    QCOMPARE(button.CaptionPosition(), QPoint((100 - width) / 2, (40 - metrics.height()) / 2 - 1));
}

void IconButtonTest::pressingShiftsIconAndCaptionByOnePixel() {
    CIconButton button(QString{});
    button.resize(40, 30);
    button.SetIcon(RedSquare(), 14, 14);
    button.setDown(true);
    QCOMPARE(Area(Render(button), kRed), QRect(14, 9, 14, 14));
    button.setDown(false);
    QCOMPARE(Area(Render(button), kRed), QRect(13, 8, 14, 14));
}

void IconButtonTest::aDisabledButtonGreysItsIcon() {
    CIconButton button(QString{});
    button.resize(40, 30);
    button.SetIcon(RedSquare(), 14, 14);
    button.setEnabled(false);
    QVERIFY(Area(Render(button), kRed).isEmpty());
}

namespace test {

int RunIconButtonTests(int argc, char** argv) {
    IconButtonTest test;
    return QTest::qExec(&test, argc, argv);
}

}  // namespace test
}  // namespace chainforge

#include "IconButtonTest.moc"
