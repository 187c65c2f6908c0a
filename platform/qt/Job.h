// Slow work off the user-interface thread. While a job runs, the event loop goes on: windows
// repaint and show progress, and input is answered at once but dropped, as under a modal progress
// window, except by the one widget allowed (a stop button). The caller reads on when the job is
// done, so the code around it keeps its order.
#pragma once

#include <QEventLoop>
#include <QFutureWatcher>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QtConcurrent/QtConcurrentRun>
#include <functional>
#include <type_traits>

namespace kamelune {

// While it lives, input meant for widgets other than `allowed` (and its children) is dropped,
// and windows do not close.
class InputHold : public QObject {
public:
    explicit InputHold(QWidget* allowed = nullptr);
    ~InputHold() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> allowed_;
};

// Runs work on a worker thread and gives its result; tick, when set, runs every 50 ms meanwhile
// and once at the end (progress). The loop runs once before the work starts, so a stop asked for
// just before is seen by it.
template <class Work>
std::invoke_result_t<Work> RunJob(Work work, const std::function<void()>& tick = {},
                                  QWidget* allowed = nullptr) {
    using Result = std::invoke_result_t<Work>;
    QFutureWatcher<Result> watcher;
    QEventLoop loop;
    QObject::connect(&watcher, &QFutureWatcher<Result>::finished, &loop, &QEventLoop::quit);
    QTimer ticker;
    if (tick) {
        QObject::connect(&ticker, &QTimer::timeout, &loop, tick);
        ticker.start(50);
    }
    QTimer::singleShot(0, &loop, [&] { watcher.setFuture(QtConcurrent::run(std::move(work))); });
    {
        const InputHold hold(allowed);
        loop.exec();
    }
    if (tick) tick();
    return watcher.future().takeResult();
}

} // namespace kamelune
