// Usage: corvane-page-shots [output folder] [symbol] [chart options, e.g.
// typeCombo=1,timeCombo=6,tech1=27,compare=MSFT] Run from the folder beside the program
// (build/bin), offscreen or on a display.
#include "app/mainwindow.h"
#include "app/stylesheet.h"
#include "charts/chartclass.h"
#include "charts/chartframeclass.h"
#include "common/messageboxes.h"
#include "news/addrssclass.h"
#include "news/articlesclass.h"
#include "store/gdatabaseclass.h"
#include "store/settingskeys.h"
#include "support/simsession.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextStream>

using SimSession::settle;
using SimSession::startSimulator;

int main(int argc, char *argv[])
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    if (!qEnvironmentVariableIsSet("QTWEBENGINE_CHROMIUM_FLAGS"))
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--no-sandbox");
    QApplication application(argc, argv);
    QApplication::setApplicationVersion(QStringLiteral(CORVANE_VERSION));
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("shots");
    const QString symbol = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("AAPL");
    QDir().mkpath(folder);

    QProcess sim;
    const QString base = startSimulator(sim);
    if (base.isEmpty()) {
        QTextStream(stderr) << "corvane-page-shots: the simulator did not start\n";
        return 1;
    }
    qputenv("CORVANE_SERVICE_URL", base.toUtf8());
    // The first-run question is answered Yes, every other box with its default.
    MessageBoxes::setAnswerer([](const MessageBoxes::Box &box) {
        return box.buttons.testFlag(QMessageBox::Yes) ? QMessageBox::Yes : QMessageBox::Ok;
    });

    MainWindow window;
    StyleSheet::applyAtStartup(&window);
    window.resize(1280, 800);
    window.show();
    settle(4000);

    const QStringList names{"home",       "charts",  "fundamentals", "portfolio",
                            "watchlists", "reports", "calendar",     "feeds",
                            "education",  "support", "settings"};
    for (int row = 0; row < names.size(); ++row) {
        window.changeListWidgetRow(row);
        settle(row == 1 ? 500 : 1500);
        window.grab().save(QDir(folder).filePath(
            QStringLiteral("page-%1-%2.png").arg(row, 2, 10, QLatin1Char('0')).arg(names.at(row))));
    }
    // The reader with a feed added as the user adds one: the simulator's Atom feed.
    if (auto *reader = window.findChild<ArticlesClass *>()) {
        window.changeListWidgetRow(7);
        QDialog *manager = reader->feedManager()->dialogWindow();
        manager->findChild<QLineEdit *>(QStringLiteral("addressEdit"))
            ->setText(base + QStringLiteral("/feeds/asia.atom"));
        manager->show();
        manager->findChild<QPushButton *>(QStringLiteral("saveButton"))->click();
        settle(2000);
        reader->getNewArticles();
        settle(2000);
        auto *sources = reader->findChild<QComboBox *>(QStringLiteral("sourceBox"));
        sources->setCurrentText(QStringLiteral("Asia Pacific Markets"));
        reader->findChild<QComboBox *>(QStringLiteral("articleBox"))->setCurrentIndex(1);
        settle(4000);
        window.grab().save(QDir(folder).filePath(QStringLiteral("feeds-atom.png")));
        manager->show();
        settle(500);
        manager->grab().save(QDir(folder).filePath(QStringLiteral("feeds-manager.png")));
        manager->hide();
    }
    if (ChartClass *charts = ChartClass::instance()) {
        window.changeListWidgetRow(1);
        charts->latestChart()->showSymbol(symbol);
        settle(4000);
        window.grab().save(QDir(folder).filePath(QStringLiteral("chart-%1.png").arg(symbol)));
        if (argc > 3) {
            // Options as a page would have saved them, picked up by a new chart tab;
            // "compare=SYMBOL" picks the symbol to compare with.
            QString compared;
            for (const QString &option : QString::fromLocal8Bit(argv[3]).split(QLatin1Char(','))) {
                const QStringList pair = option.split(QLatin1Char('='));
                if (pair.value(0) == QLatin1String("compare"))
                    compared = pair.value(1);
                else
                    SettingsKeys::write(*GDatabaseClass::mainInstance(), pair.value(0),
                                        pair.value(1).toLongLong());
            }
            charts->newChart();
            charts->latestChart()->showSymbol(symbol);
            settle(4000);
            if (!compared.isEmpty()) {
                QComboBox *compare = charts->latestChart()->compareBox();
                compare->setCurrentIndex(compare->findText(compared));
                settle(4000);
            }
            window.grab().save(
                QDir(folder).filePath(QStringLiteral("chart-%1-options.png").arg(symbol)));
        }
    }
    QTextStream(stdout) << "corvane-page-shots: pictures in " << QDir(folder).absolutePath()
                        << "\n";
    sim.kill();
    sim.waitForFinished();
    return 0;
}
