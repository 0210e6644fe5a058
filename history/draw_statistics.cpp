#include "history/draw_statistics.h"

#include "ui/settings.h"

#include <algorithm>

namespace {
const QString kWindowKey = QStringLiteral("Omission/window");
constexpr int kDefaultWindow = 100;

bool sameDraws(const QList<StoredDraw> &a, const QList<StoredDraw> &b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const StoredDraw &x, const StoredDraw &y) {
        return x.issue == y.issue && x.number == y.number;
    });
}
}

DrawStatistics::DrawStatistics(DrawStore &store, QObject *parent)
    : QObject(parent)
    , m_store(store)
    , m_window(WindowSettings().value(kWindowKey, kDefaultWindow).toInt())
{
    const bool known = std::any_of(std::begin(kOmissionWindows), std::end(kOmissionWindows),
                                   [this](const OmissionWindow &w) { return w.draws == m_window; });
    if (!known)
        m_window = kDefaultWindow;
    m_draws = m_store.draws();
}

void DrawStatistics::reload()
{
    setDraws(m_store.draws());
}

void DrawStatistics::setDraws(const QList<StoredDraw> &draws)
{
    if (sameDraws(draws, m_draws))
        return;
    m_draws = draws;
    emit changed();
}

void DrawStatistics::setWindow(int draws)
{
    if (draws == m_window)
        return;
    m_window = draws;
    WindowSettings().setValue(kWindowKey, draws);
    emit changed();
}

QString DrawStatistics::windowCaption() const
{
    if (m_window == 0 || m_window >= m_draws.size())
        return QStringLiteral("全部 %1 期").arg(m_draws.size());
    return QStringLiteral("最近%1期").arg(m_window);
}

QList<StoredDraw> DrawStatistics::windowDraws() const
{
    const qsizetype count = m_window == 0 ? m_draws.size() : std::min<qsizetype>(m_window, m_draws.size());
    return m_draws.mid(m_draws.size() - count);
}

QList<int> DrawStatistics::windowNumbers() const
{
    const QList<StoredDraw> draws = windowDraws();
    QList<int> numbers;
    numbers.reserve(draws.size());
    for (const StoredDraw &draw : draws)
        numbers.append(draw.number);
    return numbers;
}
