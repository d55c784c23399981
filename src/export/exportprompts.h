#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

// The questions an export asks: where to save, and which symbol when no chart names one. Tests
// install answerers instead of the modal dialogs, as they do for message boxes.
namespace ExportPrompts {

struct SaveRequest
{
    QString title;
    QString suggestedPath;  // folder and default file name
    QString companionOffer; // text of a check box offering a second file; none when empty
};

struct SaveChoice
{
    QString path; // empty when the user cancelled
    bool companion = false;
};

SaveChoice chooseSaveFile(QWidget *parent, const SaveRequest &request);
// Empty when the user cancelled.
QString chooseSymbol(QWidget *parent, const QStringList &symbols);

using SaveAnswerer = std::function<SaveChoice(const SaveRequest &)>;
using SymbolAnswerer = std::function<QString(const QStringList &)>;
// An empty function restores the dialogs.
void setSaveAnswerer(SaveAnswerer answerer);
void setSymbolAnswerer(SymbolAnswerer answerer);

} // namespace ExportPrompts
