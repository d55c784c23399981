// corvane-style-preview: builds a mock main window with the application's object names,
// applies stylesheet.txt and saves screenshots of its pages, dialogs and a menu.
// Usage: corvane-style-preview [output-folder] [stylesheet]

#include "mockpages.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QSplashScreen>
#include <cstdio>

namespace {

void settle()
{
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

void save(QWidget *widget, const QString &path)
{
    settle();
    if (!widget->grab().save(path))
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    else
        std::printf("%s\n", qPrintable(path));
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString outDir = args.size() > 1 ? args.at(1) : QStringLiteral("shots");
    const QString beside = QStringLiteral(CORVANE_RESOURCES_DIR "/beside");
    const QString sheetPath = args.size() > 2 ? args.at(2) : beside + "/stylesheet.txt";
    QDir().mkpath(outDir);

    QFile sheet(sheetPath);
    if (!sheet.open(QIODevice::ReadOnly | QIODevice::Text)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(sheetPath));
        return 1;
    }
    // Same order as the application: the window first, then the style sheet.
    QMainWindow *window = preview::buildMainWindow(beside);
    app.setStyleSheet(QString::fromUtf8(sheet.readAll()));
    window->show();
    auto *list = window->findChild<QListWidget *>(QStringLiteral("listWidget"));
    save(window, outDir + "/start.png");
    const QList<QPair<int, QString>> pages = {{0, "home"},         {1, "charts"},
                                              {2, "fundamentals"}, {3, "portfolio"},
                                              {4, "watchlists"},   {6, "calendar"}};
    for (const auto &page : pages) {
        list->setCurrentRow(page.first);
        save(window, outDir + "/page-" + page.second + ".png");
    }

    const QList<QPair<QDialog *, QString>> dialogs = {
        {preview::buildManageSymbolsDialog(), "dialog-symbols"},
        {preview::buildBuyDialog(), "dialog-buy"},
        {preview::buildFieldChooserDialog(), "dialog-fields"},
    };
    for (const auto &dialog : dialogs) {
        dialog.first->show();
        save(dialog.first, outDir + "/" + dialog.second + ".png");
        delete dialog.first;
    }

    QMessageBox box(QMessageBox::Critical, QStringLiteral("Warning"),
                    QStringLiteral("<p>Corvane could not load its StyleSheet.</p><P>The "
                                   "application will still attempt to run but your installation "
                                   "appears to be missing files.<p>Please re-install as soon as "
                                   "possible.</p>"),
                    QMessageBox::Ok);
    box.show();
    save(&box, outDir + "/messagebox.png");

    QMenu *help = window->menuBar()->actions().last()->menu();
    help->popup(QPoint(100, 100));
    help->setActiveAction(help->actions().at(1));
    save(help, outDir + "/menu.png");
    help->close();

    // The start-up messages use alignment value 3 (left and right flags, no vertical flag).
    QSplashScreen splash(QPixmap(beside + "/images/splash.png"));
    splash.show();
    splash.showMessage(QStringLiteral("Loading FundamentalClass."),
                       Qt::Alignment(Qt::AlignLeft | Qt::AlignRight), Qt::white);
    save(&splash, outDir + "/splash.png");

    delete window;
    return 0;
}
