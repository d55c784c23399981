#pragma once

#include <QStringList>
#include <QtGlobal>

// Collects the debug log while it lives, so a test can check what an operation reported.
class LogCapture
{
public:
    LogCapture();
    ~LogCapture();
    QStringList lines() const;
    bool contains(const QString &text) const;
    void clear();

private:
    QtMessageHandler previous;
};
