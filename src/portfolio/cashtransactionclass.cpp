#include "portfolio/cashtransactionclass.h"

#include "common/messageboxes.h"
#include "portfolio/portfoliostore.h"
#include "portfolio/tradeentry.h"
#include "portfolio/tradeform.h"
#include "store/gdatabaseclass.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

CashTransactionClass::CashTransactionClass(QWidget *parent) : QWidget(parent)
{
    dialog.setObjectName(QStringLiteral("dialog"));
    dialog.setWindowTitle(tr("New Transaction"));
    dialog.setModal(true);
    dialog.setMinimumWidth(340);

    typeCombo = new QComboBox(&dialog);
    typeCombo->addItem(tr("Deposit"), PortfolioValuation::DepositType);
    typeCombo->addItem(tr("Withdrawal"), PortfolioValuation::WithdrawalType);
    amount = new QLineEdit(&dialog);
    amount->setPlaceholderText(tr("e.g. 5000"));
    date = new QDateEdit(QDate::currentDate(), &dialog);
    date->setCalendarPopup(true);
    comments = new QLineEdit(&dialog);
    okButton = dialogButton(&dialog, tr("OK"), QStringLiteral("accept.png"));
    cancelButton = dialogButton(&dialog, tr("Cancel"), QStringLiteral("delete.png"));

    auto *form = new QFormLayout;
    form->addRow(tr("Type:"), typeCombo);
    form->addRow(tr("Amount:"), amount);
    form->addRow(tr("Date:"), date);
    form->addRow(tr("Comments:"), comments);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    auto *layout = new QVBoxLayout(&dialog);
    layout->addLayout(form);
    layout->addStretch(1);
    layout->addLayout(buttons);

    connect(okButton, &QToolButton::clicked, this, &CashTransactionClass::okBtnClick);
    connect(cancelButton, &QToolButton::clicked, &dialog, &QDialog::close);
}

CashTransactionClass::~CashTransactionClass() = default;

int CashTransactionClass::execDialog()
{
    return dialog.exec();
}

void CashTransactionClass::okBtnClick()
{
    const TradeEntry::CheckedAmount checked = TradeEntry::checkAmount(amount->text());
    if (!checked.amount) {
        MessageBoxes::warning(&dialog, tr("Warning"), checked.error);
        return;
    }
    PortfolioStatements::Entry entry;
    entry.date = TradeEntry::storedDate(date->date());
    entry.shares = 1;
    entry.price = *checked.amount;
    entry.type = typeCombo->currentData().toString();
    entry.notes = comments->text();
    PortfolioStore::recordCashTransaction(GDatabaseClass::mainStore(), entry);
    dialog.accept();
}
