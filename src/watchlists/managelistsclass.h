#pragma once

#include <QWidget>

class QDialog;
class QLineEdit;
class QTableWidget;
class QToolButton;

// The small dialog in which the investor creates and deletes watchlists. Deleting a list takes
// its symbols with it.
class ManageListsClass : public QWidget
{
    Q_OBJECT

public:
    explicit ManageListsClass(QWidget *parent = nullptr);
    ~ManageListsClass() override;

    // Shows the lists and runs the dialog modally.
    int execDialog();

    QDialog *dialog() const { return form; }
    QLineEdit *nameEdit() const { return titleField; }
    QToolButton *addButton() const { return addListButton; }
    QTableWidget *listGrid() const { return grid; }

public slots:
    void addBtnClick();
    void displayLists();
    void removeList(int row, int column);

private:
    QDialog *form = nullptr;
    QLineEdit *titleField = nullptr;
    QToolButton *addListButton = nullptr;
    QTableWidget *grid = nullptr;
};
