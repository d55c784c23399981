#include "portfolio/buystockclass.h"

#include "common/messageboxes.h"
#include "portfolio/portfoliostore.h"
#include "portfolio/tradelookups.h"
#include "store/gdatabaseclass.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>

BuyStockClass::BuyStockClass(QWidget *parent) : QWidget(parent)
{
    dialog.setObjectName(QStringLiteral("dialog"));
    dialog.setModal(true);
    fields.build(&dialog, tr("Date Purchased:"));
    symbolLookups =
        new TradeLookups(fields.symbolEdit, fields.priceEdit, fields.livePriceButton, this);

    connect(fields.symbolEdit, &QLineEdit::textChanged, this, &BuyStockClass::textChange);
    connect(fields.livePriceButton, &QToolButton::clicked, this, &BuyStockClass::getStockPrice);
    connect(fields.okButton, &QToolButton::clicked, this, &BuyStockClass::okBtnClick);
}

BuyStockClass::~BuyStockClass() = default;

int BuyStockClass::execDialog()
{
    return dialog.exec();
}

void BuyStockClass::textChange(const QString &query)
{
    symbolLookups->suggest(query);
}

void BuyStockClass::getStockPrice()
{
    symbolLookups->fetchPrice();
}

void BuyStockClass::okBtnClick()
{
    const TradeEntry::Checked checked = TradeEntry::checkTrade(fields.input());
    if (!checked.trade) {
        MessageBoxes::warning(&dialog, tr("Warning"), checked.error);
        return;
    }
    PortfolioStatements::Entry holding;
    holding.symbol = checked.trade->symbol;
    holding.date = fields.dateText();
    holding.shares = checked.trade->shares;
    holding.price = checked.trade->price;
    holding.type = fields.longRadio->isChecked() ? PortfolioValuation::LongType
                                                 : PortfolioValuation::ShortType;
    holding.costs = checked.trade->costs;
    holding.notes = fields.commentsEdit->text();
    if (!PortfolioStore::recordPurchase(GDatabaseClass::mainStore(), holding,
                                        fields.cashCheck->isChecked())) {
        // The dialog stays open with what was entered, so the purchase can be tried again.
        MessageBoxes::writeFailed(
            &dialog, tr("The purchase of %1 %2")
                         .arg(PortfolioStatements::storedNumber(holding.shares), holding.symbol));
        return;
    }
    dialog.accept();
}
