#pragma once

#include <QUrl>
#include <QWidget>

// The support page: the vendor's user forum in an embedded browser, loaded at start-up.
class SupportClass : public QWidget
{
    Q_OBJECT

public:
    explicit SupportClass(QWidget *parent = nullptr);

    static QUrl forumUrl();
};
