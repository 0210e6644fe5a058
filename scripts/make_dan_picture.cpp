// Draws the picture behind the "胆码说明" button: how dan digits, hit counts,
// repeat counting and the group tolerance work. Run it after changing the
// drawing and commit the picture it writes:
//   make -C build make_dan_picture
//   QT_QPA_PLATFORM=offscreen build/scripts/make_dan_picture resources/dan_picture.jpg

#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QStringList>
#include <cstdio>

namespace {
constexpr int kWidth = 875;
constexpr int kHeight = 464;

const QColor kGreen(0, 255, 0);
const QColor kGrey(224, 224, 224);
const QColor kInk(32, 32, 32);
const QColor kAccent(200, 40, 40);
const QColor kSection(30, 80, 160);

QFont cjkFont(int pixelSize, bool bold = false)
{
    QFont font(QStringLiteral("Noto Sans CJK SC"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

void text(QPainter &p, int x, int y, const QString &line, int size = 15, const QColor &colour = kInk,
          bool bold = false)
{
    p.setFont(cjkFont(size, bold));
    p.setPen(colour);
    p.drawText(QPoint(x, y), line);
}

// A toggle button as the panel shows it: green when selected.
void key(QPainter &p, int x, int y, const QString &caption, bool selected)
{
    const QRect box(x, y, 22, 20);
    p.fillRect(box, selected ? kGreen : kGrey);
    p.setPen(QColor(96, 96, 96));
    p.drawRect(box.adjusted(0, 0, -1, -1));
    p.setFont(cjkFont(13));
    p.setPen(Qt::black);
    p.drawText(box, Qt::AlignCenter, caption);
}

void digitRow(QPainter &p, int x, int y, const QString &digits, const QString &selected)
{
    for (int i = 0; i < digits.size(); ++i)
        key(p, x + 24 * i, y, digits.mid(i, 1), selected.contains(digits[i]));
}

void sectionTitle(QPainter &p, int y, const QString &title)
{
    p.fillRect(QRect(20, y - 19, 6, 24), kSection);
    text(p, 34, y, title, 18, kSection, true);
}

void drawDanRows(QPainter &p)
{
    sectionTitle(p, 72, QStringLiteral("一、胆码和开出个数（按键变绿色为选中）"));
    text(p, 34, 103, QStringLiteral("第1行胆码"));
    digitRow(p, 112, 88, QStringLiteral("0123456789"), QStringLiteral("12"));
    text(p, 366, 103, QStringLiteral("开出个数"));
    digitRow(p, 432, 88, QStringLiteral("01234"), QStringLiteral("12"));
    text(p, 34, 136, QStringLiteral("胆码选1、2，开出个数选1、2：号码里1和2出现1个或2个，这一行就算对，否则算错。"));
    text(p, 34, 162, QStringLiteral("一个个数都不选，等于选了1、2、3、4（至少开出1个）；只选0，表示这一行的胆码都不能出。"));
    text(p, 34, 188, QStringLiteral("最多可以用四行胆码，每一行分别算对错；没有选胆码的行不参加计算。"));
}

void drawRepeatCounting(QPainter &p)
{
    sectionTitle(p, 234, QStringLiteral("二、胆码计重"));
    text(p, 34, 266, QStringLiteral("胆码1、2，号码"));
    const QString number = QStringLiteral("1123");
    const QStringList positions = {QStringLiteral("千"), QStringLiteral("百"), QStringLiteral("十"),
                                   QStringLiteral("个")};
    for (int i = 0; i < 4; ++i) {
        key(p, 150 + 26 * i, 251, number.mid(i, 1), number[i] != u'3');
        p.setFont(cjkFont(12));
        p.setPen(kInk);
        p.drawText(QRect(150 + 26 * i, 273, 22, 16), Qt::AlignCenter, positions[i]);
    }
    text(p, 270, 258, QStringLiteral("不勾“胆码计重”：1和2各算一次，开出2个。"));
    text(p, 270, 282, QStringLiteral("勾上“胆码计重”：千、百、十位都是胆码，开出3个。"), 15, kAccent);
}

void drawGroupTolerance(QPainter &p)
{
    sectionTitle(p, 330, QStringLiteral("三、胆组容错（数一数错了几行）"));
    struct Row { const char16_t *name; const char16_t *verdict; bool wrong; };
    const Row rows[] = {{u"第1行", u"对", false}, {u"第2行", u"错", true}, {u"第3行", u"对", false}};
    for (int i = 0; i < 3; ++i) {
        const int y = 346 + 26 * i;
        text(p, 34, y + 16, QString::fromUtf16(rows[i].name));
        p.fillRect(QRect(84, y, 34, 20), rows[i].wrong ? QColor(255, 200, 200) : QColor(200, 255, 200));
        text(p, 93, y + 16, QString::fromUtf16(rows[i].verdict), 15, rows[i].wrong ? kAccent : kInk, true);
    }
    text(p, 34, 446, QStringLiteral("→ 错1行"), 15, kAccent, true);
    text(p, 170, 362, QStringLiteral("胆组容错（从……至……）：错的行数在这个范围里的号码保留，其余排除。"));
    text(p, 170, 388, QStringLiteral("0至0：每一行都要对；1至1：恰好错一行（左边的例子保留）；0至4：不限制。"));
    text(p, 170, 414, QStringLiteral("四行胆码算一个条件：在总容错里，胆组最多只记一个错。"));
    text(p, 170, 440, QStringLiteral("“从”比“至”大（例如2至1）时，全部号码被排除。"));
}
}

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_dan_picture OUTPUT.jpg\n");
        return 2;
    }

    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setPen(QColor(180, 180, 180));
    p.drawRect(image.rect().adjusted(0, 0, -1, -1));
    text(p, 20, 34, QStringLiteral("胆码说明"), 24, kInk, true);
    text(p, 140, 34, QStringLiteral("胆码是认为会开出的数字，每行胆码配上可以接受的开出个数。"), 15);
    drawDanRows(p);
    drawRepeatCounting(p);
    drawGroupTolerance(p);
    p.end();

    // The picture resource is a progressive JPEG.
    QImageWriter writer(QString::fromLocal8Bit(argv[1]), "jpeg");
    writer.setQuality(92);
    writer.setProgressiveScanWrite(true);
    if (!writer.write(image)) {
        std::fprintf(stderr, "%s\n", qPrintable(writer.errorString()));
        return 1;
    }
    return 0;
}
