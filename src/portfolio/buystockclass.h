#pragma once

#include "portfolio/tradeform.h"

#include <QDialog>
#include <QWidget>

class TradeLookups;

// "Buy Stock": records a new holding ("LONG" or "SHORT") and, when the cash box is ticked, the
// matching "BUY" row. Run modally by the portfolio page; nothing survives between uses.
class BuyStockClass : public QWidget
{
    Q_OBJECT

public:
    explicit BuyStockClass(QWidget *parent = nullptr);
    ~BuyStockClass() override;

    int execDialog();
    QDialog *dialogWindow() { return &dialog; }
    const TradeForm &form() const { return fields; }
    TradeLookups *lookups() const { return symbolLookups; }

public slots:
    void okBtnClick();
    void textChange(const QString &query);
    void getStockPrice();

private:
    QDialog dialog;
    TradeForm fields;
    TradeLookups *symbolLookups = nullptr;
};
