#pragma once

#include "store/draw_store.h"

#include <QList>
#include <QObject>

// The windows the omission figures are counted over: the last 30, 50 or
// 100 draws, or all (0).
struct OmissionWindow
{
    const char16_t *caption;
    int draws;
};
constexpr OmissionWindow kOmissionWindows[] = {{u"最近30期", 30}, {u"最近50期", 50}, {u"最近100期", 100}, {u"全部", 0}};

// The store's draws that the trend chart, the hot and cold tables and the
// sheet's omission figures are counted over, and the window the player
// chose for them, kept between starts. Whoever writes the store hands the
// draws on here, so every figure follows the store.
class DrawStatistics : public QObject
{
    Q_OBJECT
public:
    explicit DrawStatistics(DrawStore &store, QObject *parent = nullptr);

    // Reads the store again.
    void reload();
    // The store's draws, oldest first, as someone else just read them.
    void setDraws(const QList<StoredDraw> &draws);
    // Every stored draw, oldest first.
    const QList<StoredDraw> &draws() const { return m_draws; }

    // The number of draws of the window; 0 for all.
    int window() const { return m_window; }
    void setWindow(int draws);
    // The window in the player's words: "最近100期", "全部 1234 期".
    QString windowCaption() const;
    // The draws of the window, oldest first.
    QList<StoredDraw> windowDraws() const;
    QList<int> windowNumbers() const;

signals:
    // The draws or the window changed.
    void changed();

private:
    DrawStore &m_store;
    QList<StoredDraw> m_draws;
    int m_window;
};
