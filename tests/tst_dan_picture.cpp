#include "help/dan_picture.h"
#include "ui/colors.h"
#include "testsupport.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QLabel>

namespace {
QByteArray pictureBytes()
{
    QFile file(QStringLiteral(":/dan_picture.jpg"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The marker of the first frame header: SOF0 (baseline), SOF2 (progressive)...
int frameMarker(const QByteArray &jpeg)
{
    qsizetype at = 2;  // after SOI
    while (at + 4 <= jpeg.size() && uchar(jpeg[at]) == 0xFF) {
        const int marker = uchar(jpeg[at + 1]);
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC)
            return marker;
        at += 2 + ((uchar(jpeg[at + 2]) << 8) | uchar(jpeg[at + 3]));
    }
    return -1;
}

QWidget *panel(const QWidget *window)
{
    return control<QWidget>(window, QStringLiteral("Pic_dmsm"));
}

QLabel *image(const QWidget *window)
{
    return control<QLabel>(window, QStringLiteral("Image1"));
}

ColorButton *danHelp(const QWidget *window)
{
    return button(window, QStringLiteral("C_teshu_sm(2)"));
}
}

class TstDanPicture : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(useTestFolders()); }

    void resourceIsAProgressiveJpeg();
    void emptyArrayIsReported();
    void bytesThatAreNoPictureGiveNone();
    void pictureBytesDecode();
    void panelIsHiddenAsLaidOut();
    void danHelpButtonOpensThePicture();
    void openingTwiceKeepsOnePanel();
    void closeButtonHidesThePanel();
};

void TstDanPicture::resourceIsAProgressiveJpeg()
{
    const QByteArray jpeg = pictureBytes();
    QVERIFY(jpeg.startsWith("\xFF\xD8"));
    QCOMPARE(frameMarker(jpeg), 0xC2);
    QBuffer buffer;
    buffer.setData(jpeg);
    QImageReader reader(&buffer, "jpeg");
    QCOMPARE(reader.size(), QSize(875, 464));
    const QImage decoded = reader.read();
    QCOMPARE(decoded.size(), QSize(875, 464));
    QVERIFY(!decoded.isGrayscale());
}

void TstDanPicture::emptyArrayIsReported()
{
    ModalRecorder modals;
    QVERIFY(!load_picture_from_bytes(QByteArray()).has_value());
    QCOMPARE(modals.messages.size(), 1);
    QCOMPARE(modals.messages[0].text, QStringLiteral("函数提供的是空数组!"));
    QCOMPARE(modals.messages[0].title, QStringLiteral("Vintora"));
}

void TstDanPicture::bytesThatAreNoPictureGiveNone()
{
    ModalRecorder modals;
    QVERIFY(!load_picture_from_bytes(QByteArray("not a picture at all")).has_value());
    QVERIFY(!load_picture_from_bytes(QByteArray(1, '\0')).has_value());
    QVERIFY(modals.messages.isEmpty());
}

void TstDanPicture::pictureBytesDecode()
{
    const auto picture = load_picture_from_bytes(pictureBytes());
    QVERIFY(picture.has_value());
    QCOMPARE(picture->size(), QSize(875, 464));
}

void TstDanPicture::panelIsHiddenAsLaidOut()
{
    auto window = startedWindow();
    QWidget *picture = panel(window.get());
    QVERIFY(picture);
    QVERIFY(!picture->isVisible());
    QCOMPARE(picture->pos(), QPoint(4, 26));
    QCOMPARE(picture->palette().color(QPalette::Window), QColor(235, 233, 233));
    QVERIFY(picture->autoFillBackground());

    ColorButton *close = button(picture, QStringLiteral("C_gb"));
    QVERIFY(close);
    QCOMPARE(close->text(), QStringLiteral("关闭"));
    QCOMPARE(close->geometry(), QRect(0, 0, 43, 20));
    QCOMPARE(close->backColor(), Colour::bgr(255, 0, 0));
    QCOMPARE(image(window.get())->pos(), QPoint(2, 2));
    QCOMPARE(window->controls().Pic_dmsm, picture);
    QCOMPARE(window->controls().C_gb, close);
    QCOMPARE(window->controls().Image1, image(window.get()));
}

void TstDanPicture::danHelpButtonOpensThePicture()
{
    auto window = startedWindow();
    ModalRecorder modals;
    QVERIFY(danHelp(window.get()));
    QCOMPARE(danHelp(window.get())->text(), QStringLiteral("胆码说明"));
    danHelp(window.get())->click();
    QVERIFY(modals.messages.isEmpty());
    QWidget *picture = panel(window.get());
    QVERIFY(picture->isVisible());
    QCOMPARE(picture->size(), QSize(900, 480));
    // On top of every other child of the window.
    QWidget *topmost = window->childAt(QPoint(890, 470));
    QVERIFY(topmost == picture || picture->isAncestorOf(topmost));
    QLabel *shown = image(window.get());
    QCOMPARE(shown->pixmap().size(), QSize(875, 464));
    QCOMPARE(shown->size(), QSize(875, 464));
    QVERIFY(shown->isVisible());
}

void TstDanPicture::openingTwiceKeepsOnePanel()
{
    auto window = startedWindow();
    danHelp(window.get())->click();
    const QImage first = image(window.get())->pixmap().toImage();
    danHelp(window.get())->click();
    QCOMPARE(window->findChildren<QWidget *>(QStringLiteral("Pic_dmsm")).size(), 1);
    QCOMPARE(window->findChildren<QLabel *>(QStringLiteral("Image1")).size(), 1);
    QCOMPARE(image(window.get())->pixmap().toImage(), first);
}

void TstDanPicture::closeButtonHidesThePanel()
{
    auto window = startedWindow();
    danHelp(window.get())->click();
    QVERIFY(panel(window.get())->isVisible());
    button(window.get(), QStringLiteral("C_gb"))->click();
    QVERIFY(!panel(window.get())->isVisible());
    danHelp(window.get())->click();
    QVERIFY(panel(window.get())->isVisible());
}

QTEST_MAIN(TstDanPicture)
#include "tst_dan_picture.moc"
