#include "support/Plain.h"

namespace kamelune::test {

// n pictures p0.jpg ... of widths 200 + i; picture `broken` is not a picture.
std::vector<ThumbLoader::Job> MakeJobs(const TempDir& dir, int n, int broken) {
    std::vector<ThumbLoader::Job> jobs;
    for (int i = 0; i < n; ++i) {
        const std::string name = "p" + std::to_string(i) + ".jpg";
        if (i == broken) {
            TempDir::Write(dir / name, "not a picture");
        } else {
            WritePicture(dir / name, 200 + i, 150);
        }
        jobs.push_back({dir / "cache", dir.str(), name, "1kb"});
    }
    return jobs;
}

// Every job reports once, under its build and place, whichever worker made it.
TEST(ThumbLoader, EachJobReportsItsOwnResult) {
    for (int threads : {1, 3}) {
        TempDir dir;
        std::mutex mutex;
        std::map<std::size_t, ThumbnailOutcome> got;
        std::promise<void> all;
        ThumbLoader loader(threads);
        loader.Submit(7, MakeJobs(dir, 9, 4), [&](int build, std::size_t k, ThumbnailOutcome r) {
            EXPECT_EQ(build, 7);
            std::lock_guard lock(mutex);
            got[k] = std::move(r);
            if (got.size() == 9) all.set_value();
        });
        all.get_future().wait();
        for (std::size_t k = 0; k < 9; ++k) {
            const ThumbnailOutcome& r = got.at(k);
            EXPECT_EQ(r.ok, k != 4) << k;
            if (r.ok)
                EXPECT_EQ(r.sizeLines.at(0), std::to_string(200 + k));
            else
                EXPECT_FALSE(r.error.empty());
        }
    }
}

// A page given up does not go on making thumbnails: its queued jobs go, the next page's run.
TEST(ThumbLoader, ACancelledBuildStopsAndTheNextOneRuns) {
    TempDir dir;
    std::atomic<int> first{0};
    std::promise<void> second;
    {
        ThumbLoader loader(1);
        loader.Submit(1, MakeJobs(dir, 40, -1),
                      [&](int, std::size_t, ThumbnailOutcome) { ++first; });
        loader.Cancel(1);
        TempDir other;
        loader.Submit(2, MakeJobs(other, 1, -1), [&](int build, std::size_t, ThumbnailOutcome r) {
            EXPECT_EQ(build, 2);
            EXPECT_TRUE(r.ok);
            second.set_value();
        });
        second.get_future().wait();
    }
    EXPECT_LT(first.load(), 40);
}

} // namespace kamelune::test
