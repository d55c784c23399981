#pragma once
// Expressions in label templates ("{={value}-100|@}"): + - * / and parentheses over numbers and
// fields, compiled once to reverse Polish notation and evaluated for every point.

#include "labelfields.h"

#include <QStringView>
#include <vector>

namespace TextFormat {

struct ExprItem
{
    enum Kind
    {
        Number,
        Field,
        Op,
        Neg
    } kind;
    double number = 0;
    FieldId field = FValue;
    char op = 0;
};

// Appends the compiled expression (the text after "="); false when the text is not one whole
// expression.
bool parseExpression(QStringView text, std::vector<ExprItem> &out);
// The value at a point: NoValue when a field has no value, on a division by zero, or when the
// items do not make one value.
double evaluate(const std::vector<ExprItem> &items, const Fields &f);

} // namespace TextFormat
