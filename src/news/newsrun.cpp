#include "news/newsrun.h"

#include "news/downloadthread.h"

#include <QDebug>
#include <QThread>
#include <QTimer>

namespace NewsRun {

downloadThread *start(QTimer *newsTimer, const std::function<void(downloadThread *)> &connectPage)
{
    newsTimer->stop();
    qDebug() << "Updating RSS";

    auto *thread = new QThread;
    auto *worker = new downloadThread;
    worker->moveToThread(thread);

    QObject::connect(thread, &QThread::started, worker, &downloadThread::downloadRss);
    QObject::connect(worker, &downloadThread::done, newsTimer, qOverload<>(&QTimer::start));
    if (connectPage)
        connectPage(worker);
    QObject::connect(worker, &downloadThread::done, thread, &QThread::quit);
    QObject::connect(worker, &downloadThread::done, worker, &QObject::deleteLater);
    // One thread object per run; without this each run would leave one behind.
    QObject::connect(thread, &QThread::finished, thread, &QObject::deleteLater);

    thread->start(QThread::InheritPriority);
    return worker;
}

} // namespace NewsRun
