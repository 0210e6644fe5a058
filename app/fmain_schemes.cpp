// Fmain's condition schemes and result export: the tool strip's buttons, the
// recent schemes and files dropped on the window.
#include "app/fmain.h"

#include "panel/actions.h"
#include "panel/result_list.h"
#include "core/scheme.h"
#include "panel/sheet.h"
#include "ui/file_dialog.h"
#include "ui/file_drop.h"
#include "ui/modal.h"
#include "ui/settings.h"

#include <QDateTime>
#include <QEvent>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QPushButton>
#include <QSaveFile>

namespace {
const QString kRecentKey = QStringLiteral("Schemes/recent");
constexpr int kRecentSchemeCount = 8;
const QString kErrorTitle = QStringLiteral("错误提示");

const FileRequest kSchemeRequest{FileRequest::Open, QStringLiteral("载入方案"), QString(),
                                 QStringLiteral("方案文件 (*.json);;所有文件 (*)"), QString()};

QString shownPath(const QString &path)
{
    return QStringLiteral("“%1”").arg(QDir::toNativeSeparators(path));
}

// Writes the whole file or nothing, so a failed write never leaves half a file.
bool writeWhole(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

QStringList recentSchemes()
{
    return WindowSettings().value(kRecentKey).toStringList();
}

QString menuCaption(const QString &path)
{
    // A menu takes "&" as the mark of a shortcut key.
    return QDir::toNativeSeparators(path).replace(u'&', QStringLiteral("&&"));
}
}

void Fmain::connectSchemeTools()
{
    const Controls &c = m_controls;
    connect(c.C_save_scheme, &QPushButton::clicked, this, &Fmain::onSaveSchemeClicked);
    connect(c.C_load_scheme, &QPushButton::clicked, this, &Fmain::onLoadSchemeClicked);
    connect(c.C_export_result, &QPushButton::clicked, this, &Fmain::onExportClicked);
    // Filled as it opens: an entry is never rebuilt while it runs its load.
    connect(c.C_recent_schemes->menu(), &QMenu::aboutToShow, this, &Fmain::fillRecentMenu);
    new FileDropCatcher(this, [this](const QString &path) { load_scheme(path); });
}

bool Fmain::save_scheme(const QString &path)
{
    if (!writeWhole(path, write_scheme(read_sheet_record(m_controls)))) {
        show_message(this, QStringLiteral("无法写入方案文件%1，请换一个位置或文件名。").arg(shownPath(path)),
                     kErrorTitle);
        return false;
    }
    rememberScheme(path);
    return true;
}

bool Fmain::load_scheme(const QString &path)
{
    const SchemeReading reading = read_scheme_file(path);
    if (!reading.record) {
        show_message(this, reading.problem, kErrorTitle);
        return false;
    }
    setSheet(*reading.record);
    rememberScheme(path);
    return true;
}

void Fmain::onSaveSchemeClicked()
{
    FileRequest request = kSchemeRequest;
    request.kind = FileRequest::Save;
    request.title = QStringLiteral("保存方案");
    request.suggestedName = QStringLiteral("缩水方案.json");
    request.defaultSuffix = QStringLiteral("json");
    const QString path = choose_file(this, request);
    if (!path.isEmpty())
        save_scheme(path);
}

void Fmain::onLoadSchemeClicked()
{
    const QString path = choose_file(this, kSchemeRequest);
    if (!path.isEmpty())
        load_scheme(path);
}

void Fmain::onExportClicked()
{
    // What the list shows, whichever action filled it: survivors, the
    // eliminated numbers or groups.
    const QString &shown = m_controls.Li_out->numbers();
    if (shown.isEmpty()) {
        show_message(this, QStringLiteral("没有可导出的号码，请先缩水。"), QStringLiteral("温馨提示"));
        return;
    }
    FileRequest request{FileRequest::Save, QStringLiteral("导出结果"),
                        QStringLiteral("缩水结果-%1.txt")
                            .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmm"))),
                        QStringLiteral("文本文件 (*.txt);;所有文件 (*)"), QStringLiteral("txt")};
    const QString path = choose_file(this, request);
    // One number a line.
    if (!path.isEmpty() && !writeWhole(path, (QString(shown).replace(u' ', u'\n') + u'\n').toUtf8()))
        show_message(this, QStringLiteral("无法写入文件%1，请换一个位置或文件名。").arg(shownPath(path)), kErrorTitle);
}

void Fmain::rememberScheme(const QString &path)
{
    m_schemeName = QFileInfo(path).fileName();
    setWindowTitle(titleWithScheme());
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList recent = recentSchemes();
    recent.removeAll(absolute);
    recent.prepend(absolute);
    WindowSettings().setValue(kRecentKey, recent.mid(0, kRecentSchemeCount));
}

QString Fmain::titleWithScheme() const
{
    return m_schemeName.isEmpty() ? m_baseTitle : QStringLiteral("%1 - %2").arg(m_baseTitle, m_schemeName);
}

void Fmain::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::WindowTitleChange && windowTitle() != titleWithScheme()) {
        m_baseTitle = windowTitle();
        setWindowTitle(titleWithScheme());
    }
    QWidget::changeEvent(event);
}

void Fmain::fillRecentMenu()
{
    QMenu *menu = m_controls.C_recent_schemes->menu();
    menu->clear();
    const QStringList recent = recentSchemes();
    for (const QString &path : recent.mid(0, kRecentSchemeCount))
        menu->addAction(menuCaption(path), this, [this, path] { load_scheme(path); });
    if (recent.isEmpty())
        menu->addAction(QStringLiteral("（还没有方案）"))->setEnabled(false);
}
