#include "thumbnails/ThumbJobs.h"
#include "platform/Jpeg.h"
#include "platform/TempDir.h"

#include <filesystem>

namespace kamelune {
namespace {

using test::TempDir;

// n pictures p0.jpg ... of widths 200 + i; picture `broken` is not a picture.
std::vector<ThumbJobs::Job> MakeJobs(const TempDir& dir, int n, int broken) {
    std::vector<ThumbJobs::Job> jobs;
    for (int i = 0; i < n; ++i) {
        const std::string name = "p" + std::to_string(i) + ".jpg";
        if (i == broken) {
            TempDir::Write(dir / name, "not a picture");
        } else {
            RgbImage img(200 + i, 150);
            for (std::size_t b = 0; b < img.pixels.size(); ++b)
                img.pixels[b] = static_cast<std::uint8_t>(b * (i + 3));
            EXPECT_TRUE(WriteJpegFile(img, 80, dir / name));
        }
        jobs.push_back({dir / "cache", dir.str(), name, "1kb"});
    }
    return jobs;
}

TEST(ThumbJobs, ResultsInOrderWhoeverMadeThem) {
    for (int threads : {1, 2, 4}) {
        TempDir dir;
        ThumbJobs jobs(MakeJobs(dir, 9, 4), threads);
        for (std::size_t k = 0; k < 9; ++k) {
            const ThumbnailOutcome r = jobs.Take(k);
            EXPECT_EQ(r.ok, k != 4) << k;
            if (r.ok) {
                EXPECT_EQ(r.sizeLines.at(0), std::to_string(200 + k));
                EXPECT_TRUE(std::filesystem::exists(r.thumbPath));
            } else {
                EXPECT_FALSE(r.error.empty());
            }
        }
    }
}

TEST(ThumbJobs, JobsNotStartedAreDroppedWithTheirPage) {
    TempDir dir;
    {
        ThumbJobs jobs(MakeJobs(dir, 40, -1), 1);
        jobs.Take(0);
    }
    int made = 0;
    for (int i = 0; i < 40; ++i)
        made += std::filesystem::exists(dir / ("cache/T_p" + std::to_string(i) + ".jpg"));
    EXPECT_GE(made, 1);
    EXPECT_LT(made, 40) << "a page given up does not go on making thumbnails";
}

} // namespace
} // namespace kamelune
