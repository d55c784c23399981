#pragma once

class QHBoxLayout;
class QVBoxLayout;
class QWidget;

// The pages stack their parts edge to edge: layouts without margins or spacing.
namespace TightLayouts {

QVBoxLayout *column(QWidget *parent = nullptr);
QHBoxLayout *row(QWidget *parent = nullptr);

// Makes the content fill its container (a stacked page or a frame of the main window); does
// nothing without a container.
void fillContainer(QWidget *container, QWidget *content);

} // namespace TightLayouts
