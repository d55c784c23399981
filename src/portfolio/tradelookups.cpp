#include "portfolio/tradelookups.h"

#include "common/messageboxes.h"
#include "marketdata/gsymbolsearchclass.h"
#include "portfolio/tradeentry.h"

#include <QCompleter>
#include <QLineEdit>
#include <QToolButton>

TradeLookups::TradeLookups(QLineEdit *symbolEdit, QLineEdit *priceEdit, QToolButton *button,
                           QObject *parent)
    : QObject(parent), symbols(symbolEdit), price(priceEdit), priceButton(button)
{
}

QStringList TradeLookups::symbolList(const QString &text)
{
    ++lookups;
    GSymbolSearchClass search;
    if (timeoutMs > 0)
        search.setLookupTimeout(timeoutMs);
    return search.getSymbolList(text);
}

void TradeLookups::suggest(const QString &query)
{
    if (!symbols)
        return;
    // A chosen suggestion leaves only its symbol; setting it brings us back here with that.
    if (const std::optional<QString> symbol = TradeEntry::symbolOfSuggestion(query)) {
        symbols->setText(*symbol);
        return;
    }
    // Called again from inside the running lookup's wait: that lookup looks at the field once
    // more when it returns, so nothing nests deeper than one lookup.
    if (suggestionRunning)
        return;
    suggestionRunning = true;
    while (symbols) {
        const QString wanted = symbols->text();
        if (wanted.trimmed().isEmpty())
            break;
        const QStringList list = symbolList(wanted);
        if (!symbols)
            break;
        if (symbols->text() != wanted)
            continue; // typed on meanwhile: this answer is for older text

        auto *next = new QCompleter(list, this);
        next->setCaseSensitivity(Qt::CaseInsensitive);
        next->setCompletionColumn(0);
        symbols->setCompleter(next);
        // The old one may be in the middle of handing over a chosen suggestion.
        if (currentCompleter)
            currentCompleter->deleteLater();
        currentCompleter = next;
        if (symbols->hasFocus() && !list.isEmpty()) {
            next->setCompletionPrefix(wanted);
            next->complete();
        }
        break;
    }
    suggestionRunning = false;
}

void TradeLookups::fetchPrice()
{
    if (priceRunning || !symbols || !price)
        return;
    const QString symbol = symbols->text().trimmed();
    if (symbol.isEmpty()) {
        MessageBoxes::warning(price->window(), tr("Warning"), tr("Please enter a symbol."));
        return;
    }
    priceRunning = true;
    if (priceButton)
        priceButton->setEnabled(false);
    const QString loading = tr("Loading...");
    price->setText(loading);

    GSymbolSearchClass search;
    if (timeoutMs > 0)
        search.setLookupTimeout(timeoutMs);
    const QStringList stats = search.getSymbolStats(symbol);

    // Only the placeholder is replaced: a price the user typed meanwhile stays, and a price for
    // a symbol that is no longer in the field is not shown.
    if (price && price->text() == loading) {
        const bool sameSymbol = symbols && symbols->text().trimmed() == symbol;
        price->setText(sameSymbol ? stats.value(2).trimmed() : QString());
    }
    if (priceButton)
        priceButton->setEnabled(true);
    priceRunning = false;
}
