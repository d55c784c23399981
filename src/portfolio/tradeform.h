#pragma once

#include "portfolio/tradeentry.h"

#include <QString>

class QCalendarWidget;
class QCheckBox;
class QDialog;
class QLabel;
class QLineEdit;
class QRadioButton;
class QToolButton;

// The widgets the buy and the sell dialog share, laid out on the dialog window they are given:
// symbol, trade type, shares, price with "Get Live Price", costs and the cash check box on the
// left, the date and its calendar on the right, comments below, OK and Cancel at the bottom.
struct TradeForm
{
    void build(QDialog *dialog, const QString &dateLabelText);

    TradeEntry::Input input() const;
    QString dateText() const;

    QLineEdit *symbolEdit = nullptr;
    QLabel *dateLabel = nullptr;
    QCalendarWidget *calendar = nullptr;
    QRadioButton *longRadio = nullptr;
    QRadioButton *shortRadio = nullptr;
    QLineEdit *sharesEdit = nullptr;
    QLineEdit *priceEdit = nullptr;
    QToolButton *livePriceButton = nullptr;
    QLineEdit *costsEdit = nullptr;
    QCheckBox *cashCheck = nullptr;
    QLineEdit *commentsEdit = nullptr;
    QToolButton *okButton = nullptr;
    QToolButton *cancelButton = nullptr;
};

// "OK" and "Cancel" as every portfolio dialog has them.
QToolButton *dialogButton(QWidget *parent, const QString &text, const QString &iconFile);
