#include "alerts/addalertdialogclass.h"

#include "alerts/alertrules.h"
#include "alerts/alertstatements.h"
#include "common/messageboxes.h"
#include "store/gdatabaseclass.h"
#include "widgets/toolbuttons.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

int checkState(const QCheckBox *box)
{
    return box->isChecked() ? Qt::Checked : Qt::Unchecked;
}

} // namespace

AddAlertDialogClass::AddAlertDialogClass(QWidget *parent) : QWidget(parent)
{
    dialog = new QDialog;
    dialog->setObjectName(QStringLiteral("addAlertDialog"));

    GDatabaseClass &store = GDatabaseClass::mainStore();
    symbolCombo = new QComboBox;
    symbolCombo->setMinimumWidth(75);
    symbolCombo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    symbolCombo->addItems(store.GetSQLRecords(AlertStatements::symbolChoices()));
    fieldCombo = new QComboBox;
    fieldCombo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    fieldCombo->addItems(store.GetSQLRecords(AlertStatements::fieldChoices()));
    compareCombo = new QComboBox;
    compareCombo->setMinimumWidth(75);
    compareCombo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    compareCombo->addItems({tr("Greater"), tr("Lesser"), tr("Equals")});
    valueLine = new QLineEdit;
    valueLine->setMinimumWidth(120);
    valueLine->setPlaceholderText(tr("e.g. 45.5, 2.5% or 1.2B"));

    emailCheck = new QCheckBox(tr("Email"));
    popupCheck = new QCheckBox(tr("Popup"));
    smsCheck = new QCheckBox(tr("SMS"));
    // The style's padding and arrow are not part of the contents' size: leave room for them.
    for (QComboBox *box : {symbolCombo, fieldCombo, compareCombo}) {
        int widest = 0;
        for (int i = 0; i < box->count(); ++i)
            widest = qMax(widest, box->fontMetrics().horizontalAdvance(box->itemText(i)));
        box->setMinimumWidth(qMax(box->minimumWidth(), widest + 48));
    }

    auto *via = new QHBoxLayout;
    via->addWidget(emailCheck);
    via->addWidget(popupCheck);
    via->addWidget(smsCheck);

    // One row of labelled columns.
    auto *fields = new QGridLayout;
    const QStringList labels{tr("Symbol:"), tr("Field:"), tr("Compare:"), tr("Value:"),
                             tr("Alert me via:")};
    for (int column = 0; column < labels.size(); ++column)
        fields->addWidget(new QLabel(labels.at(column)), 0, column);
    fields->addWidget(symbolCombo, 1, 0);
    fields->addWidget(fieldCombo, 1, 1);
    fields->addWidget(compareCombo, 1, 2);
    fields->addWidget(valueLine, 1, 3);
    fields->addLayout(via, 1, 4);

    saveBtn = ToolButtons::smallTextButton(nullptr, tr("Save"), QStringLiteral("accept.png"));
    connect(saveBtn, &QToolButton::clicked, this, &AddAlertDialogClass::saveBtnClick);
    cancelBtn = ToolButtons::smallTextButton(nullptr, tr("Cancel"), QStringLiteral("remove.png"));
    connect(cancelBtn, &QToolButton::clicked, dialog, &QDialog::close);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(saveBtn);
    buttons->addWidget(cancelBtn);

    auto *layout = new QVBoxLayout(dialog);
    layout->addLayout(fields);
    layout->addStretch(1);
    layout->addLayout(buttons);
}

AddAlertDialogClass::~AddAlertDialogClass()
{
    delete dialog;
}

void AddAlertDialogClass::showDialog()
{
    if (id != -1)
        loadAlert();
    dialog->exec();
}

void AddAlertDialogClass::loadAlert()
{
    const QStringList rows =
        GDatabaseClass::mainStore().GetSQLRecords(AlertStatements::loadAlert(id));
    if (rows.isEmpty())
        return;
    const QStringList alert = rows.first().split(QLatin1Char('|'));
    // A symbol or field no longer offered leaves its box with nothing selected.
    symbolCombo->setCurrentIndex(
        symbolCombo->findText(alert.value(0), Qt::MatchExactly | Qt::MatchCaseSensitive));
    fieldCombo->setCurrentIndex(
        fieldCombo->findText(alert.value(1), Qt::MatchExactly | Qt::MatchCaseSensitive));
    compareCombo->setCurrentIndex(alert.value(2).toInt());
    valueLine->setText(alert.value(3));
    emailCheck->setChecked(alert.value(4) != QLatin1String("0"));
    popupCheck->setChecked(alert.value(5) != QLatin1String("0"));
    smsCheck->setChecked(alert.value(6) != QLatin1String("0"));
}

void AddAlertDialogClass::saveBtnClick()
{
    const QString value = valueLine->text().trimmed();
    if (symbolCombo->currentText().isEmpty() || fieldCombo->currentText().isEmpty()) {
        MessageBoxes::warning(dialog, tr("Warning"), tr("Please choose a symbol and a field."));
        return;
    }
    // The alert is compared with the quotes as a number, so it needs one.
    if (!AlertRules::readThreshold(value)) {
        MessageBoxes::warning(dialog, tr("Warning"),
                              tr("The value \"%1\" is not a number. Enter a number such as 45.5, "
                                 "-2.5, 2.5% or 1.2B (K, M and B stand for thousand, million and "
                                 "billion).")
                                  .arg(value));
        valueLine->setFocus();
        return;
    }

    AlertStatements::AlertFields alert;
    alert.symbol = symbolCombo->currentText();
    alert.column = fieldCombo->currentText();
    alert.compare = compareCombo->currentIndex();
    alert.value = value;
    alert.email = checkState(emailCheck);
    alert.popup = checkState(popupCheck);
    alert.sms = checkState(smsCheck);

    GDatabaseClass &store = GDatabaseClass::mainStore();
    if (id == -1) {
        store.ExecSQL(AlertStatements::insertAlert(alert));
    } else {
        store.ExecSQL(AlertStatements::updateAlert(id, alert));
        // The changed condition is judged afresh at the next snapshot.
        store.ExecSQL(AlertStatements::forgetState(id));
    }
    wasSaved = true;
    dialog->close();
}
