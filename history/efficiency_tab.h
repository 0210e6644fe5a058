#pragma once

#include "filters/efficiency.h"

#include <QSet>
#include <QWidget>
#include <functional>
#include <span>

class EfficiencyModel;
class QCheckBox;
class QLabel;
class QSortFilterProxyModel;
class QTableView;

// "条件效率": one row per member of the sheet that kills numbers on its own,
// with the past draws it would have killed beside chance. The rows sort by
// any column; a double-click selects or clears the member on the sheet as a
// click there does, and a box limits the rows to the members on the sheet.
class EfficiencyTab : public QWidget
{
    Q_OBJECT
public:
    // Clicks the sheet's condition control of that object name.
    using ClickMember = std::function<void(const QString &objectName)>;

    explicit EfficiencyTab(ClickMember clickMember, QWidget *parent = nullptr);

    // The rows for these draws; `window` names them ("最近30期").
    void setDraws(std::span<const int> draws, const QString &window);
    // The members selected or ticked on the sheet now.
    void setOnSheet(const QSet<QString> &members);

private:
    void onDoubleClicked(const QModelIndex &index);

    ClickMember m_clickMember;
    EfficiencyModel *m_model = nullptr;
    QSortFilterProxyModel *m_sorted = nullptr;
    QLabel *m_window = nullptr;
    QCheckBox *m_onlyOnSheet = nullptr;
    QTableView *m_table = nullptr;
};
