#include "portfolio/sellstockclass.h"

#include "common/messageboxes.h"
#include "portfolio/portfoliostore.h"
#include "portfolio/tradelookups.h"
#include "store/gdatabaseclass.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTimer>
#include <QToolButton>

SellStockClass::SellStockClass(QWidget *parent) : QWidget(parent)
{
    dialog.setObjectName(QStringLiteral("dialog"));
    dialog.setModal(true);
    fields.build(&dialog, tr("Date Sold:"));
    // The field names the holding being sold; another symbol would record a sale of shares of
    // one company against the holding of another.
    fields.symbolEdit->setReadOnly(true);
    symbolLookups =
        new TradeLookups(fields.symbolEdit, fields.priceEdit, fields.livePriceButton, this);

    connect(fields.symbolEdit, &QLineEdit::textChanged, this, &SellStockClass::textChange);
    connect(fields.livePriceButton, &QToolButton::clicked, this, &SellStockClass::getStockPrice);
    connect(fields.okButton, &QToolButton::clicked, this, &SellStockClass::okBtnClick);
}

SellStockClass::~SellStockClass() = default;

void SellStockClass::setSymbol(const QString &symbol)
{
    // No suggestions for a field the user cannot edit: the lookup would only hold up the dialog.
    const QSignalBlocker quiet(fields.symbolEdit);
    fields.symbolEdit->setText(symbol);
}

void SellStockClass::fillShares()
{
    const std::optional<double> held =
        PortfolioStore::heldShares(GDatabaseClass::mainStore(), holdingId);
    fields.sharesEdit->setText(held ? PortfolioStatements::storedNumber(*held) : QString());
}

int SellStockClass::execDialog()
{
    if (!fields.symbolEdit->text().isEmpty()) {
        fillShares();
        QTimer::singleShot(0, this, &SellStockClass::getStockPrice);
    }
    return dialog.exec();
}

void SellStockClass::textChange(const QString &query)
{
    symbolLookups->suggest(query);
}

void SellStockClass::getStockPrice()
{
    symbolLookups->fetchPrice();
}

void SellStockClass::okBtnClick()
{
    GDatabaseClass &store = GDatabaseClass::mainStore();
    const QString goneText =
        tr("This holding is no longer in your portfolio; nothing has been sold.");
    if (!PortfolioStore::heldShares(store, holdingId)) {
        MessageBoxes::warning(&dialog, tr("Warning"), goneText);
        dialog.reject();
        return;
    }
    const TradeEntry::Checked checked = TradeEntry::checkTrade(fields.input());
    if (!checked.trade) {
        MessageBoxes::warning(&dialog, tr("Warning"), checked.error);
        return;
    }
    PortfolioStore::Sale sale;
    sale.holdingId = holdingId;
    sale.shares = checked.trade->shares;
    sale.updateCash = fields.cashCheck->isChecked();
    sale.cashRow.symbol = checked.trade->symbol;
    sale.cashRow.date = fields.dateText();
    sale.cashRow.price = checked.trade->price;
    sale.cashRow.costs = checked.trade->costs;
    sale.cashRow.notes = fields.commentsEdit->text();

    double held = 0;
    switch (PortfolioStore::recordSale(store, sale, &held)) {
    case PortfolioStore::SaleResult::Reduced:
    case PortfolioStore::SaleResult::Closed:
        dialog.accept();
        break;
    case PortfolioStore::SaleResult::NotEnoughShares:
        MessageBoxes::warning(&dialog, tr("Warning"),
                              tr("You hold %1 shares of %2; you cannot sell %3.")
                                  .arg(PortfolioStatements::storedNumber(held),
                                       fields.symbolEdit->text(),
                                       PortfolioStatements::storedNumber(sale.shares)));
        break;
    case PortfolioStore::SaleResult::HoldingGone:
        MessageBoxes::warning(&dialog, tr("Warning"), goneText);
        dialog.reject();
        break;
    case PortfolioStore::SaleResult::NotStored:
        // The dialog stays open with what was entered, so the sale can be tried again.
        MessageBoxes::writeFailed(&dialog, tr("The sale of %1 %2")
                                               .arg(PortfolioStatements::storedNumber(sale.shares),
                                                    fields.symbolEdit->text()));
        break;
    }
}
