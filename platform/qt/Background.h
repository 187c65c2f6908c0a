// The windows' one way to run slow work: on a worker thread of Qt's pool, its result handed to the
// owner's thread when it is done. The work must not touch the owner; done is dropped when the
// owner is gone first.
#pragma once

#include <QFutureWatcher>
#include <QObject>
#include <QtConcurrent/QtConcurrentRun>
#include <type_traits>
#include <utility>

namespace kamelune {

template <class Work, class Done> void RunInBackground(QObject* owner, Work work, Done done) {
    using Result = std::invoke_result_t<Work>;
    auto* watcher = new QFutureWatcher<Result>(owner);
    QObject::connect(watcher, &QFutureWatcherBase::finished, owner,
                     [watcher, done = std::move(done)]() mutable {
                         watcher->deleteLater();
                         done(watcher->future().takeResult());
                     });
    watcher->setFuture(QtConcurrent::run(std::move(work)));
}

} // namespace kamelune
