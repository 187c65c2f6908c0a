#include "FolderRead.h"

namespace kamelune {

FolderRead::FolderRead(Request request, std::function<void(int)> progress,
                       std::function<void()> done) {
    thread_ = std::thread([this, request = std::move(request), progress = std::move(progress),
                           done = std::move(done)] {
        result_ = ScanFolder(request.folder, request.masks, request.flags, progress,
                             {&stop_, request.delay});
        if (done) done();
    });
}

FolderRead::~FolderRead() {
    Stop();
    if (thread_.joinable()) thread_.join();
}

} // namespace kamelune
