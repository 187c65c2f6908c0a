// The folder read, the model's one job: a read at a time on a thread of its own (FolderRead), its
// progress and end carried to the user-interface thread as signals. A new read stops the one
// running; a stopped read finishes its last file by itself and is let go.
#pragma once

#include "catalogue/FolderRead.h"

#include <QObject>
#include <chrono>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace kamelune {

class FolderReader : public QObject {
    Q_OBJECT
public:
    // take(scan, firstRows): the model takes a read's table (or a large folder's first rows)
    // before the signal that says they are there.
    using Take = std::function<void(FolderScan& scan, bool firstRows)>;
    explicit FolderReader(Take take);
    ~FolderReader() override;

    // Starts reading (the delay is added); readStarted first.
    void Start(FolderRead::Request request);
    // Stops the running read; its result is dropped and readStopped said.
    void Stop();
    bool Reading() const { return read_ != nullptr; }
    // Which read the tables come from: work begun on one read is not applied to another's.
    int ReadNumber() const { return generation_; }
    // A pause before each file of a read, each thumbnail made and the small picture (tests and
    // benchmarks: a slow disk; also $KAMELUNE_READ_DELAY_MS).
    std::chrono::milliseconds Delay() const { return delay_; }
    void SetDelay(std::chrono::milliseconds delay) { delay_ = delay; }

signals:
    // A read started (the tables are empty until it is done), moved on (n rows read), ended
    // with the folder's tables in place, or was stopped.
    void readStarted();
    // A large folder's first rows are in the base table: they may be shown while the rest is
    // read; the read goes on.
    void firstRowsRead();
    void rowsRead(int n);
    void readFinished();
    void readStopped();

private:
    void Retire();
    void Done(int generation);
    Take take_;
    std::chrono::milliseconds delay_{0};
    std::unique_ptr<FolderRead> read_;
    int generation_ = 0; // of the read running
    // Reads stopped but maybe still in their last file, by generation; released as they end.
    std::vector<std::pair<int, std::unique_ptr<FolderRead>>> stopped_;
};

} // namespace kamelune
