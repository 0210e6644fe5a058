#include "help/help_popups.h"

#include "ui/modal.h"
#include "core/text.h"
#include "help/dan_picture.h"

#include <QFile>
#include <QStringDecoder>
#include <iterator>

namespace {
QString &helpTextStore()
{
    static QString text;
    return text;
}

constexpr int kDanPictureButton = 2;

// Block shown by each help button, by button index.
constexpr const char16_t *kHelpButtonTitles[] = {
    u"最小号与最大号",
    u"杀大小形态",
    nullptr,  // the dan picture
    u"交集说明",
    u"特别排除",
    u"杀直选号码",
    u"杀特殊形态",
    u"胆组容错",
    u"定位杀",
    u"和跨胆",
    u"杀012路形态",
    u"杀垃圾复式说明",
    u"大小比",
    u"杀两码组合",
    u"必出两码组合",
    u"杀三码组合",
    u"必出三码组合",
    u"定位杀号说明",
    u"总容错",
};
}

const QString &HelpText()
{
    return helpTextStore();
}

void load_help_text()
{
    QFile resource(QStringLiteral(":/help_text.gbk"));
    if (!resource.open(QIODevice::ReadOnly))
        return;
    QStringDecoder fromGbk("GBK");
    helpTextStore() = fromGbk.decode(resource.readAll());
}

QString help_block(const QString &title)
{
    if (title.isEmpty())
        return QString();
    const QString key = QStringLiteral("[*") + title + QStringLiteral("*]");
    const auto body = text_after_key(HelpText(), key);
    return body ? key + u'\n' + body->toString().replace(QStringLiteral("\r\n"), QStringLiteral("\n")) : QString();
}

void show_help_topic(QWidget *parent, const QString &title)
{
    const QString block = help_block(title);
    show_message(parent, block.isEmpty() ? QStringLiteral("没有找到此说明数据") : block, QStringLiteral("温馨提示"));
}

void show_help_for_button(QWidget *parent, const Controls &controls, int index)
{
    if (index == kDanPictureButton) {
        show_dan_picture(controls);
        return;
    }
    if (index < 0 || index >= int(std::size(kHelpButtonTitles)))
        return;
    show_help_topic(parent, QString::fromUtf16(kHelpButtonTitles[index]));
}
