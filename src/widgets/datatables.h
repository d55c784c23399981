#pragma once

class QTableWidget;

// The look the application's data tables share: alternating rows of one height, no row numbers,
// a whole row selected at a time, one row at most, and cells the user cannot type into. Tables
// differ only in what `Look` says.
namespace DataTables {

struct Look
{
    int rowHeight = 18;
    bool showGrid = true;
    bool frameless = true; // false keeps the style's frame (tables inside dialogs)
    bool editable = false; // true leaves the view's edit triggers for items that allow editing
};

void applyLook(QTableWidget *table, const Look &look = {});

} // namespace DataTables
