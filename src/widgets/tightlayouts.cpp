#include "widgets/tightlayouts.h"

#include <QHBoxLayout>
#include <QVBoxLayout>
#include <QWidget>

namespace TightLayouts {

namespace {

template <typename Layout> Layout *tight(QWidget *parent)
{
    auto *layout = new Layout(parent);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    return layout;
}

} // namespace

QVBoxLayout *column(QWidget *parent)
{
    return tight<QVBoxLayout>(parent);
}

QHBoxLayout *row(QWidget *parent)
{
    return tight<QHBoxLayout>(parent);
}

void fillContainer(QWidget *container, QWidget *content)
{
    if (container)
        column(container)->addWidget(content);
}

} // namespace TightLayouts
