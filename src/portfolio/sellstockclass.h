#pragma once

#include "portfolio/tradeform.h"

#include <QDialog>
#include <QWidget>

class TradeLookups;

// "Sell Stock": takes shares off the holding the page chose (removing it when none are left)
// and, when the cash box is ticked, records the "SELL" row. Refuses to sell more than is held.
class SellStockClass : public QWidget
{
    Q_OBJECT

public:
    explicit SellStockClass(QWidget *parent = nullptr);
    ~SellStockClass() override;

    void setSymbol(const QString &symbol);
    void setHoldingId(qint64 id) { holdingId = id; }
    qint64 holding() const { return holdingId; }

    // Puts the holding's share count into its field, then runs the dialog modally; the live
    // price is fetched once the dialog is on screen, so the user sees it loading.
    int execDialog();
    // The share count of the holding, or empty text when it is gone.
    void fillShares();

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
    qint64 holdingId = -1;
};
