#pragma once

#include <QList>
#include <QStringList>

class QChartView;
class QWidget;

// A chart view of one series of bars, named for tests to find.
QChartView *make_bar_chart(QWidget *parent, const QString &objectName);

// Replaces the chart's bars: one per category, with the value axis from 0 to
// at least `axisMax`.
void set_bars(QChartView *view, const QString &title, const QStringList &categories, const QList<double> &values,
              double axisMax);
