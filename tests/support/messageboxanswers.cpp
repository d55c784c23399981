#include "support/messageboxanswers.h"

MessageBoxAnswers::MessageBoxAnswers()
{
    MessageBoxes::setAnswerer([this](const MessageBoxes::Box &box) {
        boxes << box;
        if (answers.contains(box.title))
            return answers.value(box.title);
        if (box.defaultButton != QMessageBox::NoButton)
            return box.defaultButton;
        return QMessageBox::Ok;
    });
}

MessageBoxAnswers::~MessageBoxAnswers()
{
    MessageBoxes::setAnswerer({});
}

void MessageBoxAnswers::answer(const QString &title, QMessageBox::StandardButton button)
{
    answers.insert(title, button);
}

QStringList MessageBoxAnswers::titles() const
{
    QStringList result;
    for (const auto &box : boxes)
        result << box.title;
    return result;
}
