// JPEG decoding and encoding over libjpeg-turbo, with errors returned instead of exiting and the
// work a crafted file can cause bounded. No Qt.
#pragma once

#include "platform/FileUtil.h"

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

namespace kamelune {

// 8-bit RGB, rows top to bottom, no padding.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;

    RgbImage() = default;
    RgbImage(int w, int h) : width(w), height(h), pixels(static_cast<std::size_t>(w) * h * 3) {}
    bool Empty() const { return width <= 0 || height <= 0; }
    std::uint8_t* RowPtr(int y) { return pixels.data() + static_cast<std::size_t>(y) * width * 3; }
    const std::uint8_t* RowPtr(int y) const {
        return pixels.data() + static_cast<std::size_t>(y) * width * 3;
    }
};

struct JpegDecodeOptions {
    // When both are above zero, DCT scaling (1/2, 1/4, 1/8) reduces the picture as far as it can
    // while keeping it at least this large.
    int minWidth = 0;
    int minHeight = 0;
    // When above zero: as far as the longer side stays at least this long (so that a reduction of
    // the whole picture to that longer side never has to enlarge).
    int minLongerSide = 0;
    // When set and it becomes true, the decode is abandoned at its next row or scan
    // ("中止しました"): a large picture nobody waits for any more does not hold its thread for
    // seconds.
    const std::atomic<bool>* cancel = nullptr;
};

// A decode that can fail, with what it made.
// [[nodiscard]] does not pass from FileResult to a derived type: said again.
struct [[nodiscard]] JpegDecodeResult : FileResult {
    JpegDecodeResult() : FileResult{false, {}} {}
    RgbImage image;
    int fullWidth = 0; // the picture's own size, whatever the scale
    int fullHeight = 0;
    int scaleDenom = 1; // 1, 2, 4 or 8
    int warnings = 0;   // libjpeg warnings: corrupt data the decoder went past (a file that
                        // ends before its picture is an error, not a warning)
};

// Limits against crafted files.
constexpr std::uint64_t kMaxJpegPixels = 120'000'000; // source width × height
constexpr int kMaxProgressiveScans = 500;
constexpr std::uint64_t kMaxScanPixelWork = 2'000'000'000; // scans × source pixels
constexpr int kMaxJpegWarnings = 1000;

JpegDecodeResult DecodeJpegFile(const std::string& path, const JpegDecodeOptions& options = {});
JpegDecodeResult DecodeJpegMemory(const std::uint8_t* data, std::size_t size,
                                  const JpegDecodeOptions& options = {});

// The version of the libjpeg-turbo the program was built with ("2.1.5").
std::string JpegLibraryVersion();

// The picture's size from its header, without decoding it.
FileResult ReadJpegSize(const std::string& path, int& width, int& height);
bool ReadJpegSizeMemory(const std::uint8_t* data, std::size_t size, int& width, int& height);

// The DCT scale denominator (1, 2, 4, 8) that keeps a fullW × fullH picture at least minW × minH.
int ChooseScaleDenom(int fullW, int fullH, int minW, int minH);

// Baseline JPEG, 4:2:0, quality clamped to 1..100.
FileResult EncodeJpeg(const RgbImage& image, int quality, std::vector<std::uint8_t>& out);
// Encodes and writes the file in one step (replacing it whole or not at all).
FileResult WriteJpegFile(const RgbImage& image, int quality, const std::string& path);

// The picture turned upright for an EXIF orientation (1 to 8; others leave it as it is): 2 and 4
// mirror it, 3 turns it half round, 6 and 8 a quarter (clockwise, counter-clockwise), 5 and 7
// mirror it across a diagonal.
RgbImage Orient(const RgbImage& source, int orientation);

// Resamples to exactly w × h: area averaging when reducing, bilinear when enlarging.
RgbImage Stretch(const RgbImage& source, int w, int h);

} // namespace kamelune
