#pragma once

#include <QSettings>

// What the window remembers between starts (recent schemes, the folder last
// used), in the per-user folder that also holds the installation key.
class WindowSettings : public QSettings
{
public:
    WindowSettings() : QSettings(QStringLiteral("Vintora"), QStringLiteral("Vintora")) {}
};
