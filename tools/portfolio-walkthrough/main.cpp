// Usage: corvane-portfolio-walkthrough [output folder] [symbol]
// Run from the folder beside the program (build/bin), offscreen or on a display. Starts the
// simulator, opens the window in a fresh profile, buys 100 shares of the symbol at the live
// price, sells 40, deposits 5 000 and saves a picture of each dialog and of both tabs.
#include "app/mainwindow.h"
#include "app/stylesheet.h"
#include "common/messageboxes.h"
#include "portfolio/portfolioclass.h"
#include "support/simsession.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProcess>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <QToolButton>

#include <functional>

using SimSession::settle;
using SimSession::startSimulator;

namespace {

// Runs `step` on the modal dialog a button is about to open.
void onNextDialog(std::function<void(QDialog *)> step)
{
    QTimer::singleShot(200, [step] {
        if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
            step(dialog);
        else
            onNextDialog(step);
    });
}

// Runs `action` once `ready` holds, looking every 100 ms. Each look returns at once, so a lookup
// that waits in a local event loop below it can finish.
void whenReady(std::function<bool()> ready, std::function<void()> action)
{
    QTimer::singleShot(100, [ready, action] {
        if (ready())
            action();
        else
            whenReady(ready, action);
    });
}

void grabPopup(QLineEdit *edit, const QString &path)
{
    if (edit->completer() && edit->completer()->popup()->isVisible())
        edit->completer()->popup()->grab().save(path);
}

QToolButton *button(QDialog *dialog, const QString &text)
{
    for (auto *candidate : dialog->findChildren<QToolButton *>())
        if (candidate->text() == text)
            return candidate;
    return nullptr;
}

// The dialogs' line edits in the order they were made: symbol, shares, price, costs, comments
// (amount and comments in the cash dialog).
QList<QLineEdit *> edits(QDialog *dialog)
{
    QList<QLineEdit *> found;
    for (auto *edit : dialog->findChildren<QLineEdit *>(Qt::FindDirectChildrenOnly))
        found << edit;
    return found;
}

void printTable(QTextStream &out, const QString &title, const QTableWidget *table)
{
    out << title << Qt::endl;
    for (int row = 0; row < table->rowCount(); ++row) {
        QStringList cells;
        for (int column = 1; column < table->columnCount(); ++column)
            cells << (table->item(row, column) ? table->item(row, column)->text() : QString());
        out << "  " << cells.join(QStringLiteral(" | ")) << Qt::endl;
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    if (!qEnvironmentVariableIsSet("QTWEBENGINE_CHROMIUM_FLAGS"))
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--no-sandbox");
    QApplication application(argc, argv);
    QApplication::setApplicationVersion(QStringLiteral(CORVANE_VERSION));
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("shots"));
    const QString symbol = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("AAPL");
    QDir().mkpath(folder.path());
    QTextStream out(stdout);

    QProcess sim;
    const QString base = startSimulator(sim);
    if (base.isEmpty()) {
        QTextStream(stderr) << "corvane-portfolio-walkthrough: the simulator did not start\n";
        return 1;
    }
    qputenv("CORVANE_SERVICE_URL", base.toUtf8());
    // The first-run question is answered Yes; every other box is printed and answered.
    MessageBoxes::setAnswerer([&out](const MessageBoxes::Box &box) {
        out << "message box: " << box.title << ": " << box.text << " " << box.informativeText
            << Qt::endl;
        return box.buttons.testFlag(QMessageBox::Yes) ? QMessageBox::Yes : QMessageBox::Ok;
    });

    MainWindow window;
    StyleSheet::applyAtStartup(&window);
    window.resize(1280, 800);
    window.show();
    settle(5000); // the first quote snapshot
    window.changeListWidgetRow(3);
    auto *page = window.findChild<PortfolioClass *>();
    if (!page) {
        QTextStream(stderr) << "corvane-portfolio-walkthrough: no portfolio page\n";
        return 1;
    }

    onNextDialog([&](QDialog *dialog) {
        QLineEdit *symbolEdit = edits(dialog).value(0);
        symbolEdit->setFocus();
        symbolEdit->setText(symbol.left(2));
        settle(1500);
        dialog->grab().save(folder.filePath(QStringLiteral("buy-dialog-suggestions.png")));
        grabPopup(symbolEdit, folder.filePath(QStringLiteral("buy-dialog-suggestion-list.png")));
        symbolEdit->setText(symbol);
        settle(800);
        button(dialog, QStringLiteral("Get Live Price"))->click();
        settle(800);
        dialog->grab().save(folder.filePath(QStringLiteral("buy-dialog.png")));
        out << "live price: " << edits(dialog).value(2)->text() << Qt::endl;
        button(dialog, QStringLiteral("OK"))->click();
    });
    page->buyButton()->click();
    settle(500);

    page->holdingsTable()->selectRow(0);
    onNextDialog([&](QDialog *dialog) {
        QLineEdit *price = edits(dialog).value(2);
        whenReady([price] { return !price->text().isEmpty() && price->text() != "Loading..."; },
                  [&, dialog, price] {
                      edits(dialog).value(1)->setText(QStringLiteral("40"));
                      dialog->grab().save(folder.filePath(QStringLiteral("sell-dialog.png")));
                      out << "sale price: " << price->text() << Qt::endl;
                      button(dialog, QStringLiteral("OK"))->click();
                  });
    });
    page->sellButton()->click();
    settle(500);

    onNextDialog([&](QDialog *dialog) {
        edits(dialog).value(0)->setText(QStringLiteral("5000"));
        edits(dialog).value(1)->setText(QStringLiteral("Savings"));
        dialog->grab().save(folder.filePath(QStringLiteral("deposit-dialog.png")));
        button(dialog, QStringLiteral("OK"))->click();
    });
    page->newTransactionButton()->click();
    settle(500);

    page->tabs()->setCurrentIndex(0);
    settle(300);
    window.grab().save(folder.filePath(QStringLiteral("portfolio-overview.png")));
    page->tabs()->setCurrentIndex(1);
    settle(300);
    window.grab().save(folder.filePath(QStringLiteral("portfolio-transactions.png")));

    printTable(out, QStringLiteral("Overview"), page->holdingsTable());
    printTable(out, QStringLiteral("Transactions"), page->transactionsTable());
    out << "corvane-portfolio-walkthrough: pictures in " << QDir(folder).absolutePath() << Qt::endl;
    out.flush();
    sim.kill();
    sim.waitForFinished();
    return 0;
}
