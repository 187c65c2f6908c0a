#include "support/Plain.h"

namespace kamelune::test {

RgbImage Gradient(int w, int h) {
    RgbImage img(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            std::uint8_t* p = img.RowPtr(y) + x * 3;
            p[0] = static_cast<std::uint8_t>(x * 255 / std::max(1, w - 1));
            p[1] = static_cast<std::uint8_t>(y * 255 / std::max(1, h - 1));
            p[2] = 128;
        }
    return img;
}

std::vector<std::uint8_t> Encoded(const RgbImage& img, int quality = 90) {
    std::vector<std::uint8_t> out;
    EXPECT_TRUE(EncodeJpeg(img, quality, out));
    return out;
}

TEST(Jpeg, RoundTripKeepsSizeAndColours) {
    const RgbImage img = Gradient(64, 48);
    const auto bytes = Encoded(img, 100);
    const JpegDecodeResult r = DecodeJpegMemory(bytes.data(), bytes.size());
    ASSERT_TRUE(r.ok);
    ASSERT_EQ(r.image.width, 64);
    ASSERT_EQ(r.image.height, 48);
    int worst = 0;
    for (std::size_t i = 0; i < img.pixels.size(); ++i)
        worst = std::max(worst, std::abs(int(img.pixels[i]) - int(r.image.pixels[i])));
    EXPECT_LT(worst, 12);
    EXPECT_EQ(r.warnings, 0);
}

TEST(Jpeg, QualityIsClampedAndChangesTheSize) {
    const RgbImage img = Gradient(200, 200);
    const auto low = Encoded(img, 1), high = Encoded(img, 100);
    EXPECT_LT(low.size(), high.size());
    EXPECT_EQ(Encoded(img, -5), low);
    EXPECT_EQ(Encoded(img, 1000), high);
    std::vector<std::uint8_t> out;
    EXPECT_FALSE(EncodeJpeg(RgbImage(), 70, out));
}

TEST(Jpeg, BrokenInputReturnsErrors) {
    const auto good = Encoded(Gradient(64, 48));
    struct {
        const char* name;
        std::vector<std::uint8_t> bytes;
    } cases[] = {
        {"empty", {}},
        {"garbage", std::vector<std::uint8_t>(1000, 0x5A)},
        {"header only", std::vector<std::uint8_t>(good.begin(), good.begin() + 20)},
        {"half", std::vector<std::uint8_t>(good.begin(), good.begin() + good.size() / 2)},
        {"no end marker", std::vector<std::uint8_t>(good.begin(), good.end() - 2)},
        {"png", {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}},
    };
    for (const auto& c : cases) {
        const JpegDecodeResult r = DecodeJpegMemory(c.bytes.data(), c.bytes.size());
        EXPECT_FALSE(r.ok) << c.name;
        ASSERT_FALSE(r.error.empty()) << c.name;
        EXPECT_TRUE(std::any_of(r.error.begin(), r.error.end(), [](char ch) { return ch & 0x80; }))
            << "told in Japanese: " << r.error;
        EXPECT_TRUE(r.image.Empty()) << c.name;
    }
}

// A decode nobody waits for any more ends at its next row: asked before it starts, it gives
// nothing; a flag left false changes nothing.
TEST(Jpeg, ACancelledDecodeEndsAsAFailure) {
    const auto bytes = Encoded(Gradient(640, 480));
    std::atomic<bool> cancel{true};
    JpegDecodeOptions options;
    options.cancel = &cancel;
    const JpegDecodeResult r = DecodeJpegMemory(bytes.data(), bytes.size(), options);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, "中止しました");
    EXPECT_TRUE(r.image.Empty());
    cancel = false;
    EXPECT_TRUE(DecodeJpegMemory(bytes.data(), bytes.size(), options).ok);
}

TEST(Jpeg, CorruptScanDataIsCountedNotFatal) {
    auto bytes = Encoded(Gradient(256, 256), 90);
    // Damage entropy-coded data in the middle with a stray marker.
    bytes[bytes.size() / 2] = 0xFF;
    bytes[bytes.size() / 2 + 1] = 0xD3;
    const JpegDecodeResult r = DecodeJpegMemory(bytes.data(), bytes.size());
    EXPECT_TRUE(r.ok) << r.error;
    EXPECT_GT(r.warnings, 0);
}

TEST(Jpeg, FilesOnDisk) {
    TempDir dir;
    const RgbImage img = Gradient(30, 20);
    const FileResult written = WriteJpegFile(img, 70, dir / "t.jpg");
    ASSERT_TRUE(written) << written.error;
    const JpegDecodeResult r = DecodeJpegFile(dir / "t.jpg");
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.image.width, 30);
    EXPECT_FALSE(DecodeJpegFile(dir / "missing.jpg").ok);
    const FileResult failed = WriteJpegFile(img, 70, dir / "no/such/dir/t.jpg");
    EXPECT_FALSE(failed);
    EXPECT_FALSE(failed.error.empty());
}

// A grayscale progressive file of 631 valid scans: DC, then each AC coefficient on its own in
// ten successive-approximation steps.
TEST(Jpeg, ProgressiveFileOfTooManyScansIsRefused) {
    const std::string bytes = TempDir::Read(KAMELUNE_TEST_DATA "/many-scans.jpg");
    const JpegDecodeResult r =
        DecodeJpegMemory(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.error.find("スキャンが多すぎます"), std::string::npos) << r.error;
}

TEST(Jpeg, HugeDeclaredSizeIsRefused) {
    auto bytes = Encoded(Gradient(16, 16));
    // The SOF0 frame header holds height and width after its length and precision.
    for (std::size_t i = 2; i + 9 < bytes.size(); ++i)
        if (bytes[i] == 0xFF && bytes[i + 1] == 0xC0) {
            bytes[i + 5] = 0xEA, bytes[i + 6] = 0x60; // height 60000
            bytes[i + 7] = 0xEA, bytes[i + 8] = 0x60; // width 60000
            break;
        }
    const JpegDecodeResult r = DecodeJpegMemory(bytes.data(), bytes.size(), {88, 88});
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.fullWidth, 60000);
}

TEST(Stretch, GivesExactSizesAndKeepsFlatColour) {
    RgbImage flat(640, 480);
    for (std::size_t i = 0; i < flat.pixels.size(); i += 3)
        flat.pixels[i] = 200, flat.pixels[i + 1] = 100, flat.pixels[i + 2] = 50;
    for (auto [w, h] : {std::pair{88, 66}, {1, 1}, {641, 481}, {1280, 3}, {3, 960}}) {
        const RgbImage out = Stretch(flat, w, h);
        ASSERT_EQ(out.width, w);
        ASSERT_EQ(out.height, h);
        for (std::size_t i = 0; i < out.pixels.size(); i += 3) {
            ASSERT_EQ(out.pixels[i], 200) << w << "x" << h;
            ASSERT_EQ(out.pixels[i + 1], 100);
            ASSERT_EQ(out.pixels[i + 2], 50);
        }
    }
    EXPECT_TRUE(Stretch(RgbImage(), 5, 5).Empty());
    EXPECT_TRUE(Stretch(flat, 0, 5).Empty());
}

TEST(Stretch, AveragesWhenReducing) {
    RgbImage stripes(4, 1);
    const std::uint8_t values[] = {0, 255, 0, 255};
    for (int x = 0; x < 4; ++x)
        stripes.RowPtr(0)[x * 3] = values[x];
    const RgbImage half = Stretch(stripes, 2, 1);
    EXPECT_NEAR(half.RowPtr(0)[0], 128, 1);
    EXPECT_NEAR(half.RowPtr(0)[3], 128, 1);
}

} // namespace kamelune::test
