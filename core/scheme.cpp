#include "core/scheme.h"

#include "core/typed_box.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

namespace {
const QString kFormat = QStringLiteral("vintora-scheme");
constexpr int kVersion = 1;

// The parts of a scheme that name controls, and the kind each may name.
struct NamedPart
{
    const char *key;
    ControlKind kind;
};
constexpr NamedPart kNameLists[] = {{"selected", ControlKind::Toggle}, {"checked", ControlKind::Check}};
constexpr NamedPart kTextMaps[] = {{"texts", ControlKind::Text}, {"tolerances", ControlKind::Tolerance}};

const QStringList &knownKeys()
{
    static const QStringList keys = {QStringLiteral("format"), QStringLiteral("version"), QStringLiteral("name"),
                                     QStringLiteral("selected"), QStringLiteral("checked"), QStringLiteral("texts"),
                                     QStringLiteral("tolerances")};
    return keys;
}

// A name or path as a message shows it: on one line, and cut short when a
// damaged file holds a name of any length.
QString quoted(QStringView text, qsizetype maxLength = 40)
{
    QString shown = text.left(maxLength).toString();
    for (QChar &ch : shown) {
        if (ch.category() == QChar::Other_Control || ch == QChar::LineSeparator || ch == QChar::ParagraphSeparator)
            ch = u'?';
    }
    if (text.size() > maxLength)
        shown += u'…';
    return u'“' + shown + u'”';
}

QString jsonErrorText(QJsonParseError::ParseError error)
{
    switch (error) {
    case QJsonParseError::UnterminatedObject: return QStringLiteral("对象缺少结尾的 }");
    case QJsonParseError::MissingNameSeparator: return QStringLiteral("缺少冒号");
    case QJsonParseError::UnterminatedArray: return QStringLiteral("数组缺少结尾的 ]");
    case QJsonParseError::MissingValueSeparator: return QStringLiteral("缺少逗号");
    case QJsonParseError::IllegalValue: return QStringLiteral("值无效");
    case QJsonParseError::TerminationByNumber: return QStringLiteral("数字之后文本意外结束");
    case QJsonParseError::IllegalNumber: return QStringLiteral("数字无效");
    case QJsonParseError::IllegalEscapeSequence: return QStringLiteral("转义序列无效");
    case QJsonParseError::IllegalUTF8String: return QStringLiteral("文字不是有效的 UTF-8");
    case QJsonParseError::UnterminatedString: return QStringLiteral("字符串缺少结尾的引号");
    case QJsonParseError::MissingObject: return QStringLiteral("应为对象");
    case QJsonParseError::DeepNesting: return QStringLiteral("嵌套过深");
    case QJsonParseError::DocumentTooLarge: return QStringLiteral("文件过大");
    case QJsonParseError::GarbageAtEnd: return QStringLiteral("结尾有多余的内容");
    case QJsonParseError::NoError: break;
    }
    return QStringLiteral("格式错误");
}

// Names one control of `kind`; returns what is wrong with the name, if anything.
QString nameProblem(const QString &name, ControlKind kind, const char *part)
{
    const std::optional<ControlKind> found = condition_control_kind(name);
    if (!found)
        return quoted(name) + QStringLiteral("不是条件控件");
    if (*found != kind)
        return quoted(name) + QStringLiteral("不能列在 %1 中").arg(QLatin1String(part));
    return {};
}

QString checkHeader(const QJsonObject &scheme)
{
    if (scheme.value(u"format") != kFormat)
        return QStringLiteral("format 不是 \"%1\"，这不是方案文件").arg(kFormat);
    const QJsonValue version = scheme.value(u"version");
    if (!version.isDouble())
        return QStringLiteral("version 应为数字");
    if (version.toDouble() > kVersion)
        return QStringLiteral("方案版本 %1 比本程序新，本程序只能读版本 %2").arg(version.toDouble()).arg(kVersion);
    if (version.toDouble() != kVersion)
        return QStringLiteral("version 应为 %1").arg(kVersion);
    for (auto it = scheme.begin(); it != scheme.end(); ++it) {
        if (!knownKeys().contains(it.key()))
            return QStringLiteral("未知的项") + quoted(it.key());
    }
    if (scheme.contains(u"name") && !scheme.value(u"name").isString())
        return QStringLiteral("name 应为文字");
    return {};
}

// A box showing its hint, as the window starts or as the reset leaves it,
// holds nothing of the player's.
bool holdsOnlyHint(const QString &name, const QString &text)
{
    return holds_only_hint(text, typed_box_hint(name));
}

// Fills `record` from the scheme's lists and maps, or says what is wrong.
QString readParts(const QJsonObject &scheme, SheetRecord &record)
{
    for (const NamedPart &part : kNameLists) {
        const QJsonValue value = scheme.value(QLatin1String(part.key));
        if (value.isUndefined())
            continue;
        if (!value.isArray())
            return QStringLiteral("%1 应为名称的列表").arg(QLatin1String(part.key));
        QSet<QString> &names = part.kind == ControlKind::Toggle ? record.selected : record.checked;
        for (const QJsonValue &entry : value.toArray()) {
            if (!entry.isString())
                return QStringLiteral("%1 中应只有名称（文字）").arg(QLatin1String(part.key));
            const QString name = entry.toString();
            if (QString problem = nameProblem(name, part.kind, part.key); !problem.isEmpty())
                return problem;
            names.insert(name);
        }
    }
    for (const NamedPart &part : kTextMaps) {
        const QJsonValue value = scheme.value(QLatin1String(part.key));
        if (value.isUndefined())
            continue;
        if (!value.isObject())
            return QStringLiteral("%1 应为“名称: 文字”的对象").arg(QLatin1String(part.key));
        QMap<QString, QString> &texts = part.kind == ControlKind::Text ? record.texts : record.tolerances;
        const QJsonObject map = value.toObject();
        for (auto it = map.begin(); it != map.end(); ++it) {
            if (QString problem = nameProblem(it.key(), part.kind, part.key); !problem.isEmpty())
                return problem;
            if (!it.value().isString())
                return quoted(it.key()) + QStringLiteral("的值应为文字");
            if (!holdsOnlyHint(it.key(), it.value().toString()))
                texts.insert(it.key(), it.value().toString());
        }
    }
    return {};
}

// The names of `kind` in sheet order that `isListed` holds for.
QJsonArray namesInSheetOrder(ControlKind kind, const QSet<QString> &listed)
{
    QJsonArray names;
    for (const QString &name : condition_control_names(kind)) {
        if (listed.contains(name))
            names.append(name);
    }
    return names;
}

QJsonObject changedTexts(ControlKind kind, const QMap<QString, QString> &texts, const QMap<QString, QString> &reset)
{
    QJsonObject changed;
    for (const QString &name : condition_control_names(kind)) {
        const QString text = texts.value(name, reset.value(name));
        if (text != reset.value(name) && !holdsOnlyHint(name, text))
            changed.insert(name, text);
    }
    return changed;
}
}

QByteArray write_scheme(const SheetRecord &record)
{
    const SheetRecord reset = cleared_record();
    QJsonObject scheme;
    scheme.insert(QStringLiteral("format"), kFormat);
    scheme.insert(QStringLiteral("version"), kVersion);
    scheme.insert(QStringLiteral("selected"), namesInSheetOrder(ControlKind::Toggle, record.selected));
    scheme.insert(QStringLiteral("checked"), namesInSheetOrder(ControlKind::Check, record.checked));
    scheme.insert(QStringLiteral("texts"), changedTexts(ControlKind::Text, record.texts, reset.texts));
    scheme.insert(QStringLiteral("tolerances"),
                  changedTexts(ControlKind::Tolerance, record.tolerances, reset.tolerances));
    return QJsonDocument(scheme).toJson(QJsonDocument::Indented);
}

SchemeReading read_scheme(const QByteArray &bytes)
{
    SchemeReading reading;
    if (bytes.isEmpty()) {
        reading.problem = QStringLiteral("文件是空的");
        return reading;
    }
    if (bytes.size() > kMaxSchemeBytes) {
        reading.problem = QStringLiteral("文件超过 %1 MB，不是方案文件").arg(kMaxSchemeBytes / (1024 * 1024));
        return reading;
    }
    // Editors on Windows start UTF-8 files with a byte order mark.
    const QByteArray bom("\xEF\xBB\xBF");
    const qsizetype skipped = bytes.startsWith(bom) ? bom.size() : 0;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes.sliced(skipped), &error);
    if (error.error != QJsonParseError::NoError) {
        reading.problem = QStringLiteral("不是有效的 JSON：第 %1 个字节处%2")
                              .arg(skipped + error.offset)
                              .arg(jsonErrorText(error.error));
        return reading;
    }
    if (!document.isObject()) {
        reading.problem = QStringLiteral("不是方案文件：最外层应为 JSON 对象");
        return reading;
    }
    const QJsonObject scheme = document.object();
    reading.problem = checkHeader(scheme);
    if (!reading.problem.isEmpty())
        return reading;
    SheetRecord record = cleared_record();
    reading.problem = readParts(scheme, record);
    if (reading.problem.isEmpty())
        reading.record = std::move(record);
    return reading;
}

SchemeReading read_scheme_file(const QString &path)
{
    SchemeReading reading;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        reading.problem = QFileInfo::exists(path) ? QStringLiteral("无法读取文件") : QStringLiteral("文件不存在");
    } else {
        // One byte past the limit is enough to know the file is too large.
        const QByteArray bytes = file.read(kMaxSchemeBytes + 1);
        if (file.error() != QFileDevice::NoError)
            reading.problem = QStringLiteral("无法读取文件");
        else
            reading = read_scheme(bytes);
    }
    if (!reading.record)
        reading.problem = QStringLiteral("方案文件%1无法载入：%2")
                              .arg(quoted(QDir::toNativeSeparators(path), 260), reading.problem);
    return reading;
}
