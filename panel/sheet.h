#pragma once

#include "core/sheet_record.h"

#include <optional>

class ColorButton;
class QCheckBox;
class QComboBox;
class QPlainTextEdit;
struct Controls;

// The condition controls as the table of condition controls names them. Each
// gives the member `index` of the row's array, or nullptr.
ColorButton *toggle_at(const Controls &controls, const ConditionRow &row, int index);
QCheckBox *check_at(const Controls &controls, const ConditionRow &row, int index);
QPlainTextEdit *text_at(const Controls &controls, const ConditionRow &row, int index);
QComboBox *tolerance_at(const Controls &controls, const ConditionRow &row, int index);

// The check-box array the builders fill for a row; nullptr for a single box.
QList<QCheckBox *> *check_array(Controls &controls, const ConditionRow &row);

// The text of a typed box, as toPlainText() gives it. A pasted list runs to
// megabytes, and Qt makes the text afresh at every read while several readers
// read the sheet after each change (the undo history, the notice of a changed
// sheet, the live count): the text is kept with the box's document until its
// next change, so a change is read once.
QString typed_text(const QPlainTextEdit *box);

// The kept text of the box, when it has been read since its last change.
std::optional<QString> kept_typed_text(const QPlainTextEdit *box);

// Keeps a text read some other way, a slice at a time, as the box's text. It
// must be the box's text as it stands.
void keep_typed_text(const QPlainTextEdit *box, const QString &text);

// The sheet as a record: toggles that are not grey, ticked boxes, and the
// text of every condition box and tolerance box.
SheetRecord read_sheet_record(const Controls &controls);

// Reads member k of a row into the record, as read_sheet_record reads every
// member: a toggle is selected when not grey, a box ticked when checked, a
// text or tolerance box holds its text.
void read_member(SheetRecord &record, const Controls &controls, const ConditionRow &row, int k);

// Sets every condition control from the record: a toggle to its selected
// colour or grey, a box ticked or not, texts as the record holds them. A box
// the record leaves out keeps its text.
void apply_sheet_record(Controls &controls, const SheetRecord &record);

// What a shrink run reads from the sheet.
Selections read_selections(const Controls &controls);
