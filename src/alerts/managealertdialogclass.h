#pragma once

#include <QWidget>

class QDialog;
class QLabel;
class QTabWidget;
class QTableWidget;
class QToolButton;

// The alert list: every stored alert with its delivery choices and enabled flag (switched in
// place), buttons to add, edit and delete one, and on a second tab the alerts that fired.
// A widget object owning a parentless dialog; callers create it, run execDialog() and destroy it.
class ManageAlertDialogClass : public QWidget
{
    Q_OBJECT

public:
    explicit ManageAlertDialogClass(QWidget *parent = nullptr);
    ~ManageAlertDialogClass() override;

    // Runs the dialog window modally.
    void execDialog();
    void displayAlerts();
    void displayEvents();

    QDialog *dialogWindow() const { return dialog; }
    QTableWidget *alertTable() const { return table; }
    QTableWidget *eventTable() const { return events; }
    QTabWidget *tabs() const { return pages; }

    // Columns of the alert table.
    enum Column
    {
        IdColumn,
        SymbolColumn,
        FieldColumn,
        CompareColumn,
        ValueColumn,
        PopupColumn,
        EmailColumn,
        SmsColumn,
        EnabledColumn,
        ColumnCount
    };

public slots:
    void addBtnClick();
    void delBtnClick();
    void editBtnClick();
    void cellBeenChanged(int row, int column);

private:
    // The id of the first selected alert row; -1 for no selection or the empty last row.
    int selectedAlertId() const;
    int alertIdOfRow(int row) const;

    QDialog *dialog = nullptr;
    QTabWidget *pages = nullptr;
    QLabel *explanation = nullptr;
    QTableWidget *table = nullptr;
    QTableWidget *events = nullptr;
    QToolButton *addBtn = nullptr;
    QToolButton *delBtn = nullptr;
    QToolButton *editBtn = nullptr;
    bool filling = false;
};
