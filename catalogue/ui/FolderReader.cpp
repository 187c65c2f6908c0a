#include "catalogue/ui/FolderReader.h"

#include <QThreadPool>
#include <memory>

namespace kamelune {

FolderReader::FolderReader(Take take)
    : take_(std::move(take)),
      // A slow disk on demand, to see (and test) what a user of a network share sees.
      delay_(std::chrono::milliseconds(qEnvironmentVariableIntValue("KAMELUNE_READ_DELAY_MS"))) {}

FolderReader::~FolderReader() {
    // Each waits for the file it is reading; their reports still queued go with this object.
    read_.reset();
    stopped_.clear();
}

void FolderReader::Retire() {
    if (!read_) return;
    read_->Stop();
    stopped_.emplace_back(generation_, std::move(read_));
}

void FolderReader::Start(FolderRead::Request request) {
    Retire();
    const int generation = ++generation_;
    request.delay = delay_;
    emit readStarted();
    // Progress at most every 20 ms: enough for a counter, few events for a large folder.
    auto last = std::make_shared<std::chrono::steady_clock::time_point>();
    auto progress = [this, generation, last](int n) {
        const auto now = std::chrono::steady_clock::now();
        if (n > 1 && now - *last < std::chrono::milliseconds(20)) return;
        *last = now;
        QMetaObject::invokeMethod(
            this,
            [this, generation, n] {
                if (generation == generation_ && read_) emit rowsRead(n);
            },
            Qt::QueuedConnection);
    };
    auto done = [this, generation] {
        QMetaObject::invokeMethod(
            this, [this, generation] { Done(generation); }, Qt::QueuedConnection);
    };
    auto firstRows = [this, generation] {
        QMetaObject::invokeMethod(
            this,
            [this, generation] {
                if (generation != generation_ || !read_) return;
                take_(read_->FirstRows(), true);
                emit firstRowsRead();
            },
            Qt::QueuedConnection);
    };
    read_ = std::make_unique<FolderRead>(std::move(request), std::move(progress), std::move(done),
                                         std::move(firstRows));
}

void FolderReader::Stop() {
    if (!read_) return;
    Retire();
    emit readStopped();
}

void FolderReader::Done(int generation) {
    if (generation != generation_ || !read_) {
        std::erase_if(stopped_, [generation](const auto& r) { return r.first == generation; });
        return;
    }
    take_(read_->Result(), false);
    // The read now holds the tables its rows replaced: a folder of 50,000 pictures is as many
    // blocks to free, which the user-interface thread leaves to the pool.
    QThreadPool::globalInstance()->start([read = std::shared_ptr<FolderRead>(std::move(read_))] {});
    emit readFinished();
}

} // namespace kamelune
