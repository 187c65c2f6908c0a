#include "ExportRun.h"

#include "catalogue/FolderScan.h"
#include "pictures/PictureFile.h"
#include "platform/FileUtil.h"
#include "platform/Jpeg.h"
#include "platform/TextFile.h"
#include "thumbnails/PictureReduction.h"

#include <thread>

namespace kamelune {
namespace {

void StartPhase(ExportProgress& progress, ExportPhase phase, int total) {
    progress.done = 0;
    progress.total = total;
    progress.phase = phase;
}

void MakeImages(const ExportRun& run, bool large, ExportProgress& progress,
                std::vector<std::string>& failures) {
    const ExportImages& images = large ? run.large : run.small;
    StartPhase(progress, large ? ExportPhase::LargeImages : ExportPhase::SmallImages,
               static_cast<int>(run.pictures.size()));
    for (const HtmlPicture& p : run.pictures) {
        if (progress.stop) break;
        if (run.delay.count() > 0) std::this_thread::sleep_for(run.delay);
        const std::string from = JoinPath(run.source, p.fileName);
        const std::string name = ImageFileName(large, p.fileName);
        const std::string target = run.folder + "/" + name;
        if (large && images.copyUnchanged && IsRawHeicName(p.fileName)) {
            // The page's images are JPEG: a RAW or HEIC picture is written as one, whole size.
            const JpegDecodeResult whole = DecodePictureFile(from);
            const FileResult r =
                whole.ok ? WriteJpegFile(whole.image, images.quality, target) : FileResult(whole);
            if (!r) failures.push_back(name + ": " + r.error);
        } else if (large && images.copyUnchanged) {
            if (FileResult r = CopyFileByBlocks(from, target); !r) failures.push_back(r.error);
        } else if (const MakeJpegResult r =
                       WriteReducedJpeg(from, target, images.quality, images.size);
                   !r.ok) {
            failures.push_back(name + ": " + r.error);
        }
        ++progress.done;
    }
}

void Save(const std::string& path, const std::vector<std::string>& lines,
          std::vector<std::string>& failures) {
    if (FileResult r = WriteTextLines(path, lines, Unmappable::HtmlReference); !r)
        failures.push_back(r.error);
}

} // namespace

std::vector<std::string> RunExport(ExportRun run, ExportProgress& progress) {
    std::vector<std::string> failures;
    // The album's page is whole or not written: it would link images a stop left unmade, so a
    // stop in any phase leaves it (and what follows it) out, and says so. The table's page has
    // no stop.
    const auto stopped = [&] {
        if (!run.album || !progress.stop) return false;
        failures.push_back(run.pagePath + ": 中止したため書いていません");
        return true;
    };
    if (run.small.on) MakeImages(run, false, progress, failures);
    if (run.large.on && !progress.stop) MakeImages(run, true, progress, failures);
    if (run.pictures.empty() || stopped()) return failures;

    // The page: the display size of every picture, read from its file.
    StartPhase(progress, run.album ? ExportPhase::Page : progress.phase.load(),
               static_cast<int>(run.pictures.size()));
    for (HtmlPicture& p : run.pictures) {
        if (stopped()) return failures;
        if (run.delay.count() > 0) std::this_thread::sleep_for(run.delay);
        int w = 0, h = 0;
        if (const FileResult r = ReadPictureSize(JoinPath(run.source, p.fileName), w, h); r) {
            const StretchSizes s = ComputeStretchSizes(w, h, run.pageSize);
            p.width = s.w;
            p.height = s.h;
        } else {
            failures.push_back(r.error); // the page shows it at its own size
        }
        ++progress.done;
    }
    Save(run.pagePath,
         run.album ? AlbumPageLines(run.albumSettings, run.pictures, run.headings)
                   : TablePageLines(run.tableSettings, run.pictures, run.headings),
         failures);
    if (run.textFiles)
        for (const HtmlPicture& p : run.pictures)
            if (FileResult r = WriteTextLines(run.folder + "/" + ExifTextFileName(p.fileName),
                                              ExifTextLines(p, run.headings));
                !r)
                failures.push_back(r.error);
    return failures;
}

} // namespace kamelune
