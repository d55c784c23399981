#include "widgets/elidedlabel.h"

#include <QEvent>
#include <QFontMetrics>

ElidedLabel::ElidedLabel(const QString &text, QWidget *parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    setFullText(text);
}

void ElidedLabel::setFullText(const QString &text)
{
    whole = text;
    setToolTip(text);
    elide();
}

QSize ElidedLabel::minimumSizeHint() const
{
    return {0, QLabel::minimumSizeHint().height()};
}

void ElidedLabel::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    elide();
}

void ElidedLabel::changeEvent(QEvent *event)
{
    QLabel::changeEvent(event);
    // The style sheet may set another font when the label is polished or renamed.
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        elide();
}

void ElidedLabel::elide()
{
    const int width = contentsRect().width();
    const QString shown =
        width > 0 ? fontMetrics().elidedText(whole, Qt::ElideRight, width) : whole;
    if (shown != text())
        QLabel::setText(shown);
}
