#include "panel/sheet.h"

#include "panel/controls.h"
#include "ui/colorbutton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <cstring>
#include <iterator>

namespace {
// A typed box's text, kept with its document until the document changes.
class KeptText : public QObject
{
    Q_OBJECT
public:
    explicit KeptText(QTextDocument *document)
        : QObject(document)
    {
        // Before the box's own change signal, so no reader ever sees an old text.
        connect(document, &QTextDocument::contentsChange, this, [this] { text.reset(); });
    }

    std::optional<QString> text;
};

KeptText *keptText(const QPlainTextEdit *box)
{
    QTextDocument *document = box->document();
    auto *kept = document->findChild<KeptText *>(QString(), Qt::FindDirectChildrenOnly);
    return kept ? kept : new KeptText(document);
}

template<typename Widget>
struct ArrayBinding
{
    const char *array;
    QList<Widget *> Controls::*members;
};

constexpr ArrayBinding<ColorButton> kToggleArrays[] = {
    {"C_bi", &Controls::C_bi},
    {"C_max", &Controls::C_max},
    {"C_danzu", &Controls::C_danzu},
    {"C_danzu_gs", &Controls::C_danzu_gs},
};
constexpr ArrayBinding<QCheckBox> kCheckArrays[] = {
    {"Check_hewei_sha1", &Controls::Check_hewei_sha1},
    {"Check_hewei_sha", &Controls::Check_hewei_sha},
    {"Check_kuadu_sha", &Controls::Check_kuadu_sha},
    {"Check_tsm_sha", &Controls::Check_tsm_sha},
    {"Check_ac_sha", &Controls::Check_ac_sha},
};
constexpr ArrayBinding<QPlainTextEdit> kTextArrays[] = {
    {"T_ding", &Controls::T_ding},
    {"T_cs_ip", &Controls::T_cs_ip},
};
constexpr ArrayBinding<QComboBox> kToleranceArrays[] = {
    {"Com_rc", &Controls::Com_rc},
};

template<typename Widget, size_t N>
const ArrayBinding<Widget> *bindingOf(const ArrayBinding<Widget> (&bindings)[N], const ConditionRow &row)
{
    for (const ArrayBinding<Widget> &binding : bindings) {
        if (std::strcmp(binding.array, row.array) == 0)
            return &binding;
    }
    return nullptr;
}

template<typename Widget, size_t N>
Widget *memberOf(const Controls &c, const ArrayBinding<Widget> (&bindings)[N], const ConditionRow &row, int index)
{
    const ArrayBinding<Widget> *binding = bindingOf(bindings, row);
    return binding ? (c.*binding->members).value(index) : nullptr;
}

template<typename Widget, size_t N>
QList<Widget *> *arrayOf(Controls &c, const ArrayBinding<Widget> (&bindings)[N], const ConditionRow &row)
{
    const ArrayBinding<Widget> *binding = bindingOf(bindings, row);
    return binding ? &(c.*binding->members) : nullptr;
}
}

QList<QCheckBox *> *check_array(Controls &controls, const ConditionRow &row)
{
    return arrayOf(controls, kCheckArrays, row);
}

ColorButton *toggle_at(const Controls &controls, const ConditionRow &row, int index)
{
    return memberOf(controls, kToggleArrays, row, index);
}

QCheckBox *check_at(const Controls &controls, const ConditionRow &row, int index)
{
    if (index == kSingleControl)
        return std::strcmp(row.array, "Check_dm_jchong") == 0 ? controls.Check_dm_jchong : nullptr;
    return memberOf(controls, kCheckArrays, row, index);
}

QPlainTextEdit *text_at(const Controls &controls, const ConditionRow &row, int index)
{
    return memberOf(controls, kTextArrays, row, index);
}

QComboBox *tolerance_at(const Controls &controls, const ConditionRow &row, int index)
{
    return memberOf(controls, kToleranceArrays, row, index);
}

QString typed_text(const QPlainTextEdit *box)
{
    KeptText *kept = keptText(box);
    if (!kept->text)
        kept->text = box->toPlainText();
    return *kept->text;
}

std::optional<QString> kept_typed_text(const QPlainTextEdit *box)
{
    return keptText(box)->text;
}

void keep_typed_text(const QPlainTextEdit *box, const QString &text)
{
    keptText(box)->text = text;
}

void read_member(SheetRecord &record, const Controls &c, const ConditionRow &row, int k)
{
    const QString &name = member_names(row)[k];
    const int index = row.first + k;
    const auto setMember = [&name](QSet<QString> &set, bool member) {
        if (member)
            set.insert(name);
        else
            set.remove(name);
    };
    switch (row.kind) {
    case ControlKind::Toggle:
        if (const ColorButton *button = toggle_at(c, row, index))
            setMember(record.selected, button->backColor() != Colour::Grey);
        break;
    case ControlKind::Check:
        if (const QCheckBox *box = check_at(c, row, index))
            setMember(record.checked, box->checkState() == Qt::Checked);
        break;
    case ControlKind::Text:
        if (const QPlainTextEdit *box = text_at(c, row, index))
            record.texts.insert(name, typed_text(box));
        break;
    case ControlKind::Tolerance:
        if (const QComboBox *box = tolerance_at(c, row, index))
            record.tolerances.insert(name, box->currentText());
        break;
    }
}

SheetRecord read_sheet_record(const Controls &c)
{
    SheetRecord record;
    for (const ConditionRow &row : condition_rows()) {
        for (int k = 0; k < row.count(); ++k)
            read_member(record, c, row, k);
    }
    return record;
}

void apply_sheet_record(Controls &c, const SheetRecord &record)
{
    for (const ConditionRow &row : condition_rows()) {
        const QStringList &names = member_names(row);
        for (int k = 0; k < row.count(); ++k) {
            const int index = row.first + k;
            switch (row.kind) {
            case ControlKind::Toggle:
                if (ColorButton *button = toggle_at(c, row, index))
                    button->setBackColor(record.selected.contains(names[k]) ? row.selectedColour : Colour::Grey);
                break;
            case ControlKind::Check:
                if (QCheckBox *box = check_at(c, row, index))
                    box->setCheckState(record.checked.contains(names[k]) ? Qt::Checked : Qt::Unchecked);
                break;
            case ControlKind::Text: {
                QPlainTextEdit *box = text_at(c, row, index);
                const auto text = record.texts.constFind(names[k]);
                // Laying out a long list is the costly part: a box already
                // holding the text is left alone.
                if (box && text != record.texts.cend() && typed_text(box) != *text)
                    box->setPlainText(*text);
                break;
            }
            case ControlKind::Tolerance: {
                QComboBox *box = tolerance_at(c, row, index);
                const auto text = record.tolerances.constFind(names[k]);
                if (box && text != record.tolerances.cend())
                    box->setEditText(*text);
                break;
            }
            }
        }
    }
}

Selections read_selections(const Controls &controls)
{
    return selections_from_record(read_sheet_record(controls));
}

#include "sheet.moc"
