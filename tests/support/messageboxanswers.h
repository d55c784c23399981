#pragma once

#include "common/messageboxes.h"

#include <QHash>
#include <QList>

// Answers message boxes for a test instead of showing them, and remembers every box asked.
// Boxes without a scripted answer get their default button (or Ok).
class MessageBoxAnswers
{
public:
    MessageBoxAnswers();
    ~MessageBoxAnswers();

    void answer(const QString &title, QMessageBox::StandardButton button);
    QList<MessageBoxes::Box> shown() const { return boxes; }
    QStringList titles() const;
    bool wasShown(const QString &title) const { return titles().contains(title); }
    void clear() { boxes.clear(); }

private:
    QHash<QString, QMessageBox::StandardButton> answers;
    QList<MessageBoxes::Box> boxes;
};
