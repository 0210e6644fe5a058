// Draws the program's icon: four numbered balls over a funnel that lets one
// through, on a red tile. Run it after changing the drawing and commit the
// pictures it writes (resources/CMakeLists.txt embeds and installs them all):
//   make -C build make_app_icon
//   QT_QPA_PLATFORM=offscreen build/scripts/make_app_icon resources/icon

#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cstdio>

namespace {
// The sizes desktops look for in the hicolor theme.
constexpr int kSizes[] = {16, 32, 48, 64, 128, 256};

// Everything is drawn on a 256-unit square and scaled.
constexpr qreal kUnits = 256;

const QColor kRedTop(232, 72, 58);
const QColor kRedBottom(170, 22, 30);
const QColor kGoldLight(255, 233, 160);
const QColor kGold(246, 196, 70);
const QColor kGoldDark(196, 132, 20);
const QColor kBallInk(178, 28, 34);

void drawTile(QPainter &p)
{
    QLinearGradient fill(0, 8, 0, 248);
    fill.setColorAt(0, kRedTop);
    fill.setColorAt(1, kRedBottom);
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(8, 8, 240, 240), 52, 52);
}

void drawFunnel(QPainter &p)
{
    QPainterPath body;
    body.moveTo(50, 112);
    body.lineTo(206, 112);
    body.lineTo(144, 170);
    body.lineTo(144, 192);
    body.quadTo(144, 198, 138, 198);
    body.lineTo(118, 198);
    body.quadTo(112, 198, 112, 192);
    body.lineTo(112, 170);
    body.closeSubpath();

    QLinearGradient metal(50, 0, 206, 0);
    metal.setColorAt(0, kGold);
    metal.setColorAt(0.4, kGoldLight);
    metal.setColorAt(1, kGoldDark);
    p.setPen(Qt::NoPen);
    p.setBrush(metal);
    p.drawPath(body);

    // The opening, seen from slightly above.
    p.setBrush(kGoldDark);
    p.drawEllipse(QPointF(128, 112), 78, 15);
    p.setBrush(QColor(120, 70, 10));
    p.drawEllipse(QPointF(128, 114), 68, 10);
}

void drawBall(QPainter &p, QPointF centre, qreal radius, QChar digit, bool withDigit)
{
    QRadialGradient shine(centre - QPointF(radius / 3, radius / 3), radius * 1.4);
    shine.setColorAt(0, Qt::white);
    shine.setColorAt(1, QColor(236, 226, 214));
    p.setPen(Qt::NoPen);
    p.setBrush(shine);
    p.drawEllipse(centre, radius, radius);
    if (!withDigit)
        return;
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(qRound(radius * 1.3));
    p.setFont(font);
    p.setPen(kBallInk);
    p.drawText(QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius), Qt::AlignCenter,
               QString(digit));
}

QImage drawIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(size / kUnits, size / kUnits);
    drawTile(p);
    drawFunnel(p);
    // Below 32 pixels the balls would be specks; the funnel alone reads better.
    if (size >= 32) {
        const bool digits = size >= 64;
        const struct { QPointF centre; QChar digit; } balls[] = {
            {{66, 72}, u'3'}, {{106, 54}, u'8'}, {{150, 54}, u'0'}, {{190, 72}, u'6'}};
        for (const auto &ball : balls)
            drawBall(p, ball.centre, 19, ball.digit, digits);
        drawBall(p, QPointF(128, 222), 17, u'8', digits);
    }
    return image;
}
}

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_app_icon OUTPUT_FOLDER\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    for (const int size : kSizes) {
        const QString path = folder.filePath(QStringLiteral("vintora-%1.png").arg(size));
        if (!drawIcon(size).save(path, "png")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
