#pragma once

#include <QLabel>

// A one-line label that shortens its text with "…" to the width it is given instead of being
// cut mid-letter or pushing its column wider; the whole text stays available as its tooltip.
class ElidedLabel : public QLabel
{
    Q_OBJECT

public:
    explicit ElidedLabel(const QString &text = QString(), QWidget *parent = nullptr);

    void setFullText(const QString &text);
    QString fullText() const { return whole; }

    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void elide();

    QString whole;
};
