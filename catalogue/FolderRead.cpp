#include "FolderRead.h"

#include <sys/resource.h>
#include <unistd.h>

namespace kamelune {
namespace {
constexpr int kReadNiceness = 10;
} // namespace

FolderRead::FolderRead(Request request, std::function<void(int)> progress,
                       std::function<void()> done, std::function<void()> firstRows) {
    thread_ = std::jthread([this, request = std::move(request), progress = std::move(progress),
                            done = std::move(done),
                            firstRows = std::move(firstRows)](std::stop_token stop) {
        // The read gives way to the window: this thread and the helpers it starts (which take
        // its priority) yield a core at once to input, while both cores read.
        ::setpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()), kReadNiceness);
        ReadHelpers helpers; // starting while the folder is listed
        int error = 0;
        const std::vector<std::string> files =
            ListPictures(request.folder, MasksToList(request.masks, request.flags.exif), &error);
        const ReadControl control{stop, request.delay};
        if (firstRows && PictureRowCount(static_cast<int>(files.size()),
                                         request.flags.allPictures) > kMaxPictures) {
            // A large folder: its first rows on their own first (read again with the rest).
            const std::vector<std::string> head(files.begin(), files.begin() + kFirstRows);
            ReadFolder(request.folder, head, first_, request.flags, {}, control, &helpers);
            firstRows();
        }
        ReadFolder(request.folder, files, result_, request.flags, progress, control, &helpers);
        result_.counts.folderError = error;
        if (request.view && !result_.counts.stopped)
            request.view->Make(result_.base, result_.view.emplace());
        if (done) done();
    });
}

} // namespace kamelune
