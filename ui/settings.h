#pragma once

#include <QSettings>

// What the window remembers between starts (recent schemes, the folder last
// used), in the per-user folder that also holds the installation key.
class WindowSettings : public QSettings
{
public:
    WindowSettings() : QSettings(QStringLiteral("Vintora"), QStringLiteral("Vintora")) {}
};

// The price of one bet in 元, which the player may set: 2 元 until then.
// Whatever shows a cost reads it here.
constexpr int kDefaultBetPrice = 2;
constexpr int kHighestBetPrice = 10000;
constexpr char kBetPriceKey[] = "Bets/price";

inline int bet_price()
{
    const int price = WindowSettings().value(kBetPriceKey, kDefaultBetPrice).toInt();
    return price >= 1 && price <= kHighestBetPrice ? price : kDefaultBetPrice;
}

inline void set_bet_price(int price)
{
    WindowSettings().setValue(kBetPriceKey, price);
}
