#include "common/pagecontainer.h"

#include <QVBoxLayout>
#include <QWidget>

namespace PageContainer {

void fill(QWidget *container, QWidget *page)
{
    if (!container)
        return;
    auto *layout = new QVBoxLayout(container);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(page);
}

} // namespace PageContainer
