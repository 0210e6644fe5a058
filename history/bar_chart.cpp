#include "history/bar_chart.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QValueAxis>
#include <algorithm>

QChartView *make_bar_chart(QWidget *parent, const QString &objectName)
{
    auto *chart = new QChart;
    chart->legend()->hide();
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setMargins(QMargins(4, 4, 4, 4));
    auto *view = new QChartView(chart, parent);
    view->setObjectName(objectName);
    view->setRenderHint(QPainter::Antialiasing);
    return view;
}

void set_bars(QChartView *view, const QString &title, const QStringList &categories, const QList<double> &values,
              double axisMax)
{
    QChart *chart = view->chart();
    chart->removeAllSeries();
    for (QAbstractAxis *axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }
    chart->setTitle(title);

    auto *bars = new QBarSet(title);
    bars->setColor(QColor(64, 160, 64));
    bars->append(values);
    auto *series = new QBarSeries;
    series->append(bars);
    series->setBarWidth(0.8);
    chart->addSeries(series);

    auto *categoryAxis = new QBarCategoryAxis;
    categoryAxis->append(categories);
    // Many narrow bars: a smaller font keeps every label whole instead of "...".
    if (categories.size() > 12) {
        QFont small = categoryAxis->labelsFont();
        small.setPointSizeF(small.pointSizeF() * 0.75);
        categoryAxis->setLabelsFont(small);
    }
    chart->addAxis(categoryAxis, Qt::AlignBottom);
    series->attachAxis(categoryAxis);

    auto *valueAxis = new QValueAxis;
    const double largest = values.isEmpty() ? 0 : *std::max_element(values.begin(), values.end());
    valueAxis->setRange(0, std::max({axisMax, largest, 1.0}));
    valueAxis->setLabelFormat(QStringLiteral("%g"));
    valueAxis->applyNiceNumbers();
    chart->addAxis(valueAxis, Qt::AlignLeft);
    series->attachAxis(valueAxis);
}
