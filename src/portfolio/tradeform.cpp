#include "portfolio/tradeform.h"

#include "widgets/toolbuttons.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("TradeForm", text);
}

} // namespace

QToolButton *dialogButton(QWidget *parent, const QString &text, const QString &iconFile)
{
    QToolButton *button = ToolButtons::smallTextButton(parent, text, iconFile);
    button->setMinimumSize(75, 25);
    return button;
}

void TradeForm::build(QDialog *dialog, const QString &dateLabelText)
{
    symbolEdit = new QLineEdit(dialog);
    longRadio = new QRadioButton(tr("Long"), dialog);
    shortRadio = new QRadioButton(tr("Short"), dialog);
    longRadio->setChecked(true);
    sharesEdit = new QLineEdit(QStringLiteral("100.0000"), dialog);
    priceEdit = new QLineEdit(QStringLiteral("10.0000"), dialog);
    livePriceButton = new QToolButton(dialog);
    livePriceButton->setObjectName(QStringLiteral("smallBtn"));
    livePriceButton->setText(tr("Get Live Price"));
    costsEdit = new QLineEdit(QStringLiteral("10.0000"), dialog);
    cashCheck = new QCheckBox(tr("Update your cash balance?"), dialog);
    cashCheck->setChecked(true);
    dateLabel = new QLabel(dateLabelText, dialog);
    calendar = new QCalendarWidget(dialog);
    commentsEdit = new QLineEdit(dialog);
    okButton = dialogButton(dialog, tr("OK"), QStringLiteral("accept.png"));
    cancelButton = dialogButton(dialog, tr("Cancel"), QStringLiteral("delete.png"));

    auto *fields = new QGridLayout;
    int row = 0;
    fields->addWidget(new QLabel(tr("Symbol:"), dialog), row, 0);
    fields->addWidget(symbolEdit, row++, 1);
    auto *tradeType = new QHBoxLayout;
    tradeType->addWidget(longRadio);
    tradeType->addWidget(shortRadio);
    tradeType->addStretch(1);
    fields->addWidget(new QLabel(tr("Trade type:"), dialog), row, 0);
    fields->addLayout(tradeType, row++, 1);
    fields->addWidget(new QLabel(tr("Number of Shares:"), dialog), row, 0);
    fields->addWidget(sharesEdit, row++, 1);
    auto *priceRow = new QHBoxLayout;
    priceRow->addWidget(priceEdit, 1);
    priceRow->addWidget(livePriceButton);
    fields->addWidget(new QLabel(tr("Buy Price:"), dialog), row, 0);
    fields->addLayout(priceRow, row++, 1);
    fields->addWidget(new QLabel(tr("Transaction Costs:"), dialog), row, 0);
    fields->addWidget(costsEdit, row++, 1);
    fields->addWidget(cashCheck, row++, 0, 1, 2);
    fields->setRowStretch(row, 1);
    fields->setColumnMinimumWidth(1, 220);

    auto *dateColumn = new QVBoxLayout;
    dateColumn->addWidget(dateLabel);
    dateColumn->addWidget(calendar, 1);

    auto *columns = new QHBoxLayout;
    columns->addLayout(fields, 1);
    columns->addSpacing(12);
    columns->addLayout(dateColumn, 0);

    auto *comments = new QHBoxLayout;
    comments->addWidget(new QLabel(tr("Comments:"), dialog));
    comments->addWidget(commentsEdit, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);

    auto *layout = new QVBoxLayout(dialog);
    layout->addLayout(columns, 1);
    layout->addLayout(comments);
    layout->addLayout(buttons);

    QObject::connect(cancelButton, &QToolButton::clicked, dialog, &QDialog::close);
}

TradeEntry::Input TradeForm::input() const
{
    return {symbolEdit->text(), sharesEdit->text(), priceEdit->text(), costsEdit->text()};
}

QString TradeForm::dateText() const
{
    return TradeEntry::storedDate(calendar->selectedDate());
}
