#include "help/dan_picture.h"

#include "ui/modal.h"
#include "ui/colorbutton.h"
#include "panel/controls.h"
#include "ui/factory.h"
#include "panel/regions.h"

#include <QFile>
#include <QLabel>

namespace {
constexpr int kPanelBackground = 15329771;  // 235, 233, 233
}

void build_dan_picture_panel(QWidget *window, Controls &controls)
{
    auto *panel = new QWidget(window);
    panel->setObjectName(QStringLiteral("Pic_dmsm"));
    panel->setGeometry(Regions::DanPicture.rect());
    panel->setAutoFillBackground(true);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, Colour::toQColor(kPanelBackground));
    panel->setPalette(palette);

    controls.Image1 = new QLabel(panel);
    controls.Image1->setObjectName(QStringLiteral("Image1"));
    controls.Image1->move(px(30), px(30));
    // The close button stays clickable on top of the picture.
    controls.C_gb = make_button(panel, QStringLiteral("C_gb"), QStringLiteral("关闭"), twipRect(0, 0, 645, 300),
                                Colour::Red);
    panel->hide();
    controls.Pic_dmsm = panel;
}

void show_dan_picture(const Controls &controls)
{
    controls.Pic_dmsm->resize(px(13500), px(7200));
    controls.Pic_dmsm->raise();
    controls.Pic_dmsm->show();
    QFile resource(QStringLiteral(":/dan_picture.jpg"));
    const QByteArray bytes = resource.open(QIODevice::ReadOnly) ? resource.readAll() : QByteArray();
    controls.Image1->setPixmap(load_picture_from_bytes(bytes).value_or(QPixmap()));
    controls.Image1->adjustSize();
}

std::optional<QPixmap> load_picture_from_bytes(const QByteArray &bytes)
{
    if (bytes.isEmpty()) {
        show_message(nullptr, QStringLiteral("函数提供的是空数组!"), QStringLiteral("Vintora"));
        return std::nullopt;
    }
    QPixmap picture;
    if (!picture.loadFromData(bytes))
        return std::nullopt;
    return picture;
}
