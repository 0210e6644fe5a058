#pragma once

#include "net/feed_tags.h"

#include <QList>
#include <QObject>

struct Controls;
class QLabel;
class QWidget;

// Captions of link slots 1-11 until the feed supplies others. The button of
// slot 10 keeps its caption whatever the feed says.
inline constexpr const char16_t *kDefaultLinkCaptions[kLinkSlotCount] = {
    u"开奖", u"走势", u"论坛", u"资讯", u"工具", u"教程", u"帮助", u"下载", u"关于", u"主页", u"联系我们",
};

// Builds the link buttons at the right of the tab row and, in the free corner
// right of the base-set box, the server status label L_server above the
// advert labels L_di_ad(0), (1) and the contact label L_di_ad(2).
void build_link_bar(QWidget *window, Controls &controls);

// A link label is red and underlined while the pointer moves over it, blue
// otherwise.
void paint_link_label(QLabel *label, bool hovered);

// Reports pointer moves over the link labels and clicks on them, by index.
class LinkLabelWatcher : public QObject
{
    Q_OBJECT
public:
    LinkLabelWatcher(const QList<QLabel *> &labels, QObject *parent);

signals:
    void moved(int index);
    void clicked(int index);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QList<QLabel *> m_labels;
};
