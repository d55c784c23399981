#include "export/exportprompts.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QGridLayout>
#include <QInputDialog>

namespace ExportPrompts {

namespace {

SaveAnswerer &saveAnswerer()
{
    static SaveAnswerer answerer;
    return answerer;
}

SymbolAnswerer &symbolAnswerer()
{
    static SymbolAnswerer answerer;
    return answerer;
}

QString tr(const char *text)
{
    return QCoreApplication::translate("ExportPrompts", text);
}

} // namespace

SaveChoice chooseSaveFile(QWidget *parent, const SaveRequest &request)
{
    if (saveAnswerer())
        return saveAnswerer()(request);

    QFileDialog dialog(parent, request.title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters({tr("CSV files (*.csv)"), tr("All files (*)")});
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    dialog.selectFile(request.suggestedPath);
    QCheckBox *companion = nullptr;
    if (!request.companionOffer.isEmpty()) {
        // A check box needs the toolkit's own dialog; the platform's has no room for one.
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        companion = new QCheckBox(request.companionOffer, &dialog);
        companion->setObjectName(QStringLiteral("companionCheck"));
        companion->setChecked(true);
        if (auto *grid = qobject_cast<QGridLayout *>(dialog.layout()))
            grid->addWidget(companion, grid->rowCount(), 0, 1, grid->columnCount());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return {dialog.selectedFiles().constFirst(), companion && companion->isChecked()};
}

QString chooseSymbol(QWidget *parent, const QStringList &symbols)
{
    if (symbolAnswerer())
        return symbolAnswerer()(symbols);
    bool ok = false;
    const QString symbol = QInputDialog::getItem(
        parent, tr("Export historical data"),
        tr("No chart shows a symbol. Export the price history of:"), symbols, 0, false, &ok);
    return ok ? symbol : QString();
}

void setSaveAnswerer(SaveAnswerer answerer)
{
    saveAnswerer() = std::move(answerer);
}

void setSymbolAnswerer(SymbolAnswerer answerer)
{
    symbolAnswerer() = std::move(answerer);
}

} // namespace ExportPrompts
