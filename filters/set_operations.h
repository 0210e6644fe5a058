#pragma once

#include <QString>
#include <QStringView>

// Combines two pasted base sets A and B without running any condition.
struct SetOperationResult
{
    QString a;          // A as digits separated by single spaces, to show again in its box
    QString b;          // likewise B
    QString result;     // the numbers of the result, ascending, single spaces
    int count = 0;
};

// code is "jiao" (A and B), "bing" (A or B), "a_b" (A without B) or
// "b_a" (B without A); any other code gives an empty result.
SetOperationResult base_set_operation(QStringView code, QStringView boxA, QStringView boxB);
