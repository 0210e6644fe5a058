#pragma once

#include <QString>

struct Controls;
class QWidget;

// The help text: titled blocks, each opened by a line "N.[*title*]" and closed
// by a line holding "[*title*]" alone. Empty until load_help_text has run.
const QString &HelpText();

// Loads the help text embedded in the program (GBK bytes).
void load_help_text();

// The block titled title as its popup shows it: its key "[*title*]" on the
// first line, then the block's lines; empty when there is no such block.
QString help_block(const QString &title);

// Shows the block titled title, or "没有找到此说明数据" when there is none.
void show_help_topic(QWidget *parent, const QString &title);

// The help buttons C_teshu_sm(0)-(18); button 2 opens the dan picture.
void show_help_for_button(QWidget *parent, const Controls &controls, int index);
