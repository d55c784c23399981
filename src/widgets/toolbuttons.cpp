#include "widgets/toolbuttons.h"

#include <QToolButton>

namespace ToolButtons {

namespace {

QToolButton *textButton(QWidget *parent, const QString &objectName, const QString &text,
                        const QString &iconFile)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(objectName);
    button->setText(text);
    if (!iconFile.isEmpty())
        button->setIcon(icon(iconFile));
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    return button;
}

} // namespace

QIcon icon(const QString &iconFile)
{
    return QIcon(QStringLiteral(":/Icons/Images/Icons/sets/png/128x128/") + iconFile);
}

QToolButton *smallButton(QWidget *parent, const QString &iconFile, const QString &help)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(QStringLiteral("smallBtn"));
    button->setIcon(icon(iconFile));
    if (!help.isEmpty()) {
        button->setWhatsThis(help);
        button->setToolTip(help);
    }
    return button;
}

QToolButton *smallTextButton(QWidget *parent, const QString &text, const QString &iconFile)
{
    return textButton(parent, QStringLiteral("smallBtn"), text, iconFile);
}

QToolButton *largeButton(QWidget *parent, const QString &text, const QString &iconFile)
{
    return textButton(parent, QStringLiteral("largeBtn"), text, iconFile);
}

} // namespace ToolButtons
