#pragma once

class QWidget;

// Pages are created on one of the main window's stacked pages and fill it edge to edge.
namespace PageContainer {

// Lays `page` into `container` without margin or spacing; does nothing without a container.
void fill(QWidget *container, QWidget *page);

} // namespace PageContainer
