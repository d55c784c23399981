#include "news/gmanagefeedsclass.h"
#include "news/templatesclass.h"
#include "support/newsfixture.h"
#include "support/scriptedhttpserver.h"

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

namespace {

template <typename T> T *child(QDialog *dialog, const char *name)
{
    return dialog->findChild<T *>(QString::fromLatin1(name));
}

QToolButton *buttonWithHelp(QDialog *dialog, const QString &help)
{
    for (QToolButton *button : dialog->findChildren<QToolButton *>()) {
        if (button->whatsThis() == help)
            return button;
    }
    return nullptr;
}

} // namespace

class TemplatesTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void listsTemplatesWithSwatchActiveStateAndCounts();
    void tickingAndUntickingStoresTheActiveState();
    void deletingAsksFirstAndPurgesTheArticles();
    void deleteWithoutATemplateRowAsksNothing();
    void anAddressWithoutPlaceholderCannotBeVerified();
    void verifiedTemplateIsSavedWithItsChannelText();
    void verificationFollowsRedirectsAndFailuresKeepSaveDisabled();
    void aDuplicateAddressIsRefusedAndTheDialogStaysOpen();
    void editingLoadsTheTemplateAndSavingResetsItsLastUpdate();
    void doubleClickOpensTheEditorForThatTemplateOnly();

private:
    NewsFixture *news = nullptr;
    ScriptedHttpServer *server = nullptr;
};

void TemplatesTest::init()
{
    news = new NewsFixture;
    server = new ScriptedHttpServer;
}

void TemplatesTest::cleanup()
{
    delete server;
    delete news;
}

void TemplatesTest::listsTemplatesWithSwatchActiveStateAndCounts()
{
    news->addTemplate(1, "Zeta", "http://z.example/?s=<SYMBOL>", 0, 2, "crimson");
    news->addTemplate(2, "Alpha", "http://a.example/?s=<SYMBOL>", 0, 0, "teal");
    for (const char *values : {"1,'a','IBM'", "1,'b','IBM'", "2,'c','KO'", "99,'d','GE'"})
        news->store().ExecSQL(
            QString("INSERT INTO newsItems (feedId, title, symbol) VALUES(%1)").arg(values));

    TemplatesClass templates;
    auto *grid = child<QTableWidget>(templates.dialogWindow(), "templateGrid");
    QCOMPARE(grid->rowCount(), 3);
    QCOMPARE(grid->item(0, 1)->text(), QString("Alpha"));
    QCOMPARE(grid->item(0, 2)->text(), QString("http://a.example/?s=<SYMBOL>"));
    QCOMPARE(grid->item(0, 3)->checkState(), Qt::Unchecked);
    QCOMPARE(grid->item(0, 4)->text(), QString("1"));
    QCOMPARE(grid->item(1, 0)->background().color(), QColor("crimson"));
    QCOMPARE(grid->item(1, 3)->checkState(), Qt::Checked);
    QCOMPARE(grid->item(1, 4)->text(), QString("2"));
    // The totals row counts every stored item, also those of templates that are gone.
    QCOMPARE(grid->item(2, 4)->text(), QString("4"));
    QVERIFY(!grid->item(2, 0));
    QCOMPARE(grid->columnWidth(0), 5);
}

void TemplatesTest::tickingAndUntickingStoresTheActiveState()
{
    news->addTemplate(5, "Heads", "http://h.example/?s=<SYMBOL>");
    TemplatesClass templates;
    auto *grid = child<QTableWidget>(templates.dialogWindow(), "templateGrid");
    grid->item(0, 3)->setCheckState(Qt::Unchecked);
    QCOMPARE(news->value("SELECT active FROM feeds WHERE id=5"), QString("0"));
    grid->item(0, 3)->setCheckState(Qt::Checked);
    QCOMPARE(news->value("SELECT active FROM feeds WHERE id=5"), QString("2"));
}

void TemplatesTest::deletingAsksFirstAndPurgesTheArticles()
{
    news->addTemplate(1, "Keep", "http://k.example/?s=<SYMBOL>");
    news->addTemplate(2, "Drop", "http://d.example/?s=<SYMBOL>");
    news->store().ExecSQL(
        "INSERT INTO newsItems (feedId, title, symbol) VALUES(1,'k','IBM'),(2,'d','IBM')");
    TemplatesClass templates;
    auto *grid = child<QTableWidget>(templates.dialogWindow(), "templateGrid");
    QToolButton *remove = buttonWithHelp(templates.dialogWindow(), "Delete Feed");
    grid->setCurrentCell(0, 1); // "Drop" sorts first

    news->boxes().answer("Delete Feed", QMessageBox::Cancel);
    remove->click();
    QCOMPARE(news->boxes().shown().last().text,
             QString("Are you certain you want to delete this feed?"));
    QCOMPARE(news->boxes().shown().last().defaultButton, QMessageBox::Cancel);
    QCOMPARE(news->count("feeds"), 2);

    news->boxes().answer("Delete Feed", QMessageBox::Yes);
    remove->click();
    QCOMPARE(news->rows("SELECT title FROM feeds"), QStringList({"Keep"}));
    QCOMPARE(news->rows("SELECT feedId FROM newsItems"), QStringList({"1"}));
}

void TemplatesTest::deleteWithoutATemplateRowAsksNothing()
{
    news->addTemplate(1, "Keep", "http://k.example/?s=<SYMBOL>");
    news->boxes().answer("Delete Feed", QMessageBox::Yes);
    TemplatesClass templates;
    auto *grid = child<QTableWidget>(templates.dialogWindow(), "templateGrid");
    QToolButton *remove = buttonWithHelp(templates.dialogWindow(), "Delete Feed");
    news->boxes().clear();
    grid->setCurrentCell(-1, -1);
    remove->click();
    grid->setCurrentCell(1, 4); // the totals row
    remove->click();
    QVERIFY(news->boxes().shown().isEmpty());
    QCOMPARE(news->count("feeds"), 1);
    // With the template's own row chosen, the same click asks.
    grid->setCurrentCell(0, 1);
    remove->click();
    QCOMPARE(news->boxes().titles(), QStringList({"Delete Feed"}));
    QCOMPARE(news->count("feeds"), 0);
}

void TemplatesTest::anAddressWithoutPlaceholderCannotBeVerified()
{
    gManageFeedsClass editor;
    editor.setUpDialog();
    QDialog *form = editor.dialogWindow();
    QCOMPARE(form->windowTitle(), QString("Add New Feed"));
    QCOMPARE(child<QComboBox>(form, "colourBox")->currentIndex(), 0);
    child<QLineEdit>(form, "urlEdit")->setText(server->url("/feed?s=<symbol>"));
    child<QToolButton>(form, "verifyButton")->click();
    QVERIFY(news->boxes().wasShown("Warning"));
    QVERIFY(news->boxes().shown().last().text.contains("not formatted correctly"));
    QCOMPARE(child<QToolButton>(form, "verifyButton")->text(), QString("Verify Feed"));
    QVERIFY(!child<QToolButton>(form, "saveButton")->isEnabled());
    QTest::qWait(50);
    QVERIFY(server->requests().isEmpty());
}

void TemplatesTest::verifiedTemplateIsSavedWithItsChannelText()
{
    server->scriptBody("/news?s=MSFT", rssDocument({}, "Bob's | Headlines"));
    gManageFeedsClass editor;
    editor.setUpDialog();
    QDialog *form = editor.dialogWindow();
    const QString address = server->url("/news?s=<SYMBOL>&o='x'");
    server->scriptBody("/news?s=MSFT&o='x'", rssDocument({}, "Bob's | Headlines"));
    child<QLineEdit>(form, "urlEdit")->setText(address);
    child<QComboBox>(form, "colourBox")->setCurrentText("teal");
    auto *verify = child<QToolButton>(form, "verifyButton");
    auto *save = child<QToolButton>(form, "saveButton");
    verify->click();
    QCOMPARE(verify->text(), QString("Verifying..."));
    QVERIFY(!verify->isEnabled());
    QTRY_VERIFY(save->isEnabled());
    QCOMPARE(verify->text(), QString("Verify Feed"));
    QVERIFY(verify->isEnabled());
    QCOMPARE(child<QLabel>(form, "titleValue")->text(), QString("Bob's | Headlines"));
    QCOMPARE(child<QLabel>(form, "siteValue")->text(), QString("http://example.org/"));

    QSignalSpy accepted(form, &QDialog::accepted);
    save->click();
    QCOMPARE(accepted.count(), 1);
    QCOMPARE(
        news->rows("SELECT title, colour, feedURL, desc, lastUpdate, template, active FROM feeds"),
        QStringList({"Bobs  Headlines|teal|" + address + "|About Bobs  Headlines|0|1|2"}));
}

void TemplatesTest::verificationFollowsRedirectsAndFailuresKeepSaveDisabled()
{
    server->scriptRedirect("/moved?s=MSFT", "/here?s=MSFT");
    server->scriptBody("/here?s=MSFT", rssDocument({}, "Arrived"));
    server->scriptBody("/html?s=MSFT", "<html><p>no feed</html>");
    gManageFeedsClass editor;
    editor.setUpDialog();
    QDialog *form = editor.dialogWindow();
    auto *verify = child<QToolButton>(form, "verifyButton");
    auto *save = child<QToolButton>(form, "saveButton");

    for (const char *path : {"/html?s=<SYMBOL>", "/gone?s=<SYMBOL>"}) {
        child<QLineEdit>(form, "urlEdit")->setText(server->url(QString::fromLatin1(path)));
        verify->click();
        QTRY_VERIFY(verify->isEnabled());
        QVERIFY(!save->isEnabled());
        QVERIFY(child<QLabel>(form, "titleValue")->text().isEmpty());
    }
    child<QLineEdit>(form, "urlEdit")->setText(server->url("/moved?s=<SYMBOL>"));
    verify->click();
    QTRY_VERIFY(save->isEnabled());
    QCOMPARE(child<QLabel>(form, "titleValue")->text(), QString("Arrived"));
}

void TemplatesTest::aDuplicateAddressIsRefusedAndTheDialogStaysOpen()
{
    const QString address = server->url("/dup?s=<SYMBOL>");
    news->addTemplate(1, "Existing", address);
    server->scriptBody("/dup?s=MSFT", rssDocument({}, "Again"));
    gManageFeedsClass editor;
    editor.setUpDialog();
    QDialog *form = editor.dialogWindow();
    child<QLineEdit>(form, "urlEdit")->setText(address);
    child<QToolButton>(form, "verifyButton")->click();
    QTRY_VERIFY(child<QToolButton>(form, "saveButton")->isEnabled());
    QSignalSpy accepted(form, &QDialog::accepted);
    child<QToolButton>(form, "saveButton")->click();
    QVERIFY(news->boxes().wasShown("Error"));
    QCOMPARE(news->boxes().shown().last().text,
             QString("This feed has already been added. Please try another."));
    QCOMPARE(accepted.count(), 0);
    QCOMPARE(news->count("feeds"), 1);
}

void TemplatesTest::editingLoadsTheTemplateAndSavingResetsItsLastUpdate()
{
    const QString address = server->url("/e?s=<SYMBOL>");
    news->addTemplate(3, "Old title", address, 123456, 2, "goldenrod");
    news->addTemplate(4, "Odd colour", address + "&x", 5, 2, "#123456");
    server->scriptBody("/e?s=MSFT", rssDocument({}, "New title"));

    gManageFeedsClass editor;
    editor.feedId = 3;
    editor.setUpDialog();
    QDialog *form = editor.dialogWindow();
    QCOMPARE(form->windowTitle(), QString("Manage Feed"));
    QCOMPARE(child<QComboBox>(form, "colourBox")->currentText(), QString("goldenrod"));
    QCOMPARE(child<QLineEdit>(form, "urlEdit")->text(), address);
    QCOMPARE(child<QLabel>(form, "titleValue")->text(), QString("Old title"));
    child<QToolButton>(form, "verifyButton")->click();
    QTRY_VERIFY(child<QToolButton>(form, "saveButton")->isEnabled());
    child<QToolButton>(form, "saveButton")->click();
    QCOMPARE(news->rows("SELECT title, colour, lastUpdate FROM feeds WHERE id=3"),
             QStringList({"New title|goldenrod|0"}));

    gManageFeedsClass odd;
    odd.feedId = 4;
    odd.setUpDialog();
    QCOMPARE(child<QComboBox>(odd.dialogWindow(), "colourBox")->currentIndex(), -1);
}

void TemplatesTest::doubleClickOpensTheEditorForThatTemplateOnly()
{
    news->addTemplate(7, "Heads", "http://h.example/?s=<SYMBOL>");
    TemplatesClass templates;
    auto *grid = child<QTableWidget>(templates.dialogWindow(), "templateGrid");
    QStringList titles;
    QStringList addresses;
    // Answers the modal editor as soon as it shows.
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto *form = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            form && form->objectName() == "form") {
            titles << form->windowTitle();
            addresses << form->findChild<QLineEdit *>("urlEdit")->text();
            form->reject();
        }
    });
    closer.start(10);
    emit grid->cellDoubleClicked(1, 4); // totals row: nothing opens
    emit grid->cellDoubleClicked(0, 1);
    QCOMPARE(titles, QStringList({"Manage Feed"}));
    QCOMPARE(addresses, QStringList({"http://h.example/?s=<SYMBOL>"}));
}

QTEST_MAIN(TemplatesTest)
#include "tst_templates.moc"
