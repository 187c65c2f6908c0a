#include "Jpeg.h"

#include "FileUtil.h"

#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <jpeglib.h>
// after jpeglib.h, which it builds on
#include <jerror.h>
#include <memory>

namespace kamelune {
namespace {

struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    int warnings;
    char message[JMSG_LENGTH_MAX];
};

// The user reads why a picture could not be used in Japanese: the common causes by name,
// others with libjpeg's own words after them.
void ErrorExit(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    static constexpr std::pair<int, const char*> kTexts[] = {
        {JERR_NO_SOI, "JPEG 画像ではありません"},
        {JERR_INPUT_EMPTY, "ファイルが空です"},
        {JERR_INPUT_EOF, "画像の途中でファイルが終わっています"},
        {JERR_OUT_OF_MEMORY, "メモリが足りません"},
        {JERR_IMAGE_TOO_BIG, "画像が大きすぎます"},
        {JERR_EMPTY_IMAGE, "画像が空です"},
        {JERR_SOF_UNSUPPORTED, "この形式の JPEG は読めません"},
        {JERR_FILE_WRITE, "ファイルに書けません"},
    };
    for (const auto& [code, text] : kTexts)
        if (cinfo->err->msg_code == code) {
            std::snprintf(err->message, sizeof err->message, "%s", text);
            std::longjmp(err->jump, 1);
        }
    char english[JMSG_LENGTH_MAX / 2];
    (*cinfo->err->format_message)(cinfo, english);
    std::snprintf(err->message, sizeof err->message, "JPEG 画像を読めません（%s）", english);
    std::longjmp(err->jump, 1);
}

// Warnings are counted, not printed; a flood of them is a crafted file and ends the decode, and
// so does a file that ends early (libjpeg would fill the rest with grey).
void EmitMessage(j_common_ptr cinfo, int level) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    if (level >= 0) return;
    if (cinfo->err->msg_code == JWRN_JPEG_EOF) {
        std::snprintf(err->message, sizeof err->message, "画像の途中でファイルが終わっています");
        std::longjmp(err->jump, 1);
    }
    if (++err->warnings > kMaxJpegWarnings) {
        std::snprintf(err->message, sizeof err->message, "壊れたデータが多すぎます");
        std::longjmp(err->jump, 1);
    }
}

void OutputMessage(j_common_ptr) {}

// Errors come back through the manager's jump; warnings are counted.
jpeg_error_mgr* UseErrorManager(ErrorManager& err) {
    jpeg_error_mgr* pub = jpeg_std_error(&err.pub);
    pub->error_exit = ErrorExit;
    pub->emit_message = EmitMessage;
    pub->output_message = OutputMessage;
    err.warnings = 0;
    err.message[0] = '\0';
    return pub;
}

struct ProgressMonitor {
    jpeg_progress_mgr pub;
    std::uint64_t sourcePixels;
    const std::atomic<bool>* cancel;
};

void ProgressCheck(j_common_ptr cinfo) {
    if (!cinfo->is_decompressor) return;
    auto* d = reinterpret_cast<j_decompress_ptr>(cinfo);
    auto* progress = reinterpret_cast<ProgressMonitor*>(cinfo->progress);
    if (progress->cancel && progress->cancel->load(std::memory_order_relaxed)) {
        auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
        std::snprintf(err->message, sizeof err->message, "中止しました");
        std::longjmp(err->jump, 1);
    }
    const int scans = d->input_scan_number;
    if (scans > kMaxProgressiveScans ||
        static_cast<std::uint64_t>(scans) * progress->sourcePixels > kMaxScanPixelWork) {
        auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
        std::snprintf(err->message, sizeof err->message, "プログレッシブのスキャンが多すぎます");
        std::longjmp(err->jump, 1);
    }
}

// Everything between setjmp and the last libjpeg call lives in C structs owned by the caller, so
// that a longjmp skips no destructor.
struct DecodeJob {
    jpeg_decompress_struct cinfo;
    ErrorManager err;
    ProgressMonitor progress;
    const unsigned char* data;
    unsigned long size;
    int minWidth, minHeight, minLongerSide;
    // results
    RgbImage* out;
    int fullWidth, fullHeight, scaleDenom;
};

bool RunDecode(DecodeJob& job) {
    jpeg_decompress_struct& cinfo = job.cinfo;
    cinfo.err = UseErrorManager(job.err);
    volatile bool created = false;
    if (setjmp(job.err.jump)) {
        if (created) jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    created = true;
    cinfo.mem->max_memory_to_use = 1024L * 1024 * 1024;
    jpeg_mem_src(&cinfo, job.data, job.size);
    jpeg_read_header(&cinfo, TRUE);
    job.fullWidth = static_cast<int>(cinfo.image_width);
    job.fullHeight = static_cast<int>(cinfo.image_height);
    const std::uint64_t pixels = static_cast<std::uint64_t>(cinfo.image_width) * cinfo.image_height;
    if (pixels == 0 || pixels > kMaxJpegPixels) {
        std::snprintf(job.err.message, sizeof job.err.message, "画像が大きすぎます: %ux%u",
                      cinfo.image_width, cinfo.image_height);
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    job.progress.pub.progress_monitor = ProgressCheck;
    job.progress.sourcePixels = pixels;
    cinfo.progress = &job.progress.pub;
    cinfo.out_color_space = JCS_RGB;
    int minW = job.minWidth, minH = job.minHeight;
    if (job.minLongerSide > 0) {
        minW = job.fullWidth >= job.fullHeight ? job.minLongerSide : 1;
        minH = job.fullWidth >= job.fullHeight ? 1 : job.minLongerSide;
    }
    job.scaleDenom = ChooseScaleDenom(job.fullWidth, job.fullHeight, minW, minH);
    cinfo.scale_num = 1;
    cinfo.scale_denom = static_cast<unsigned>(job.scaleDenom);
    cinfo.dct_method = JDCT_ISLOW;
    jpeg_start_decompress(&cinfo);
    *job.out =
        RgbImage(static_cast<int>(cinfo.output_width), static_cast<int>(cinfo.output_height));
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = job.out->RowPtr(static_cast<int>(cinfo.output_scanline));
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return true;
}

struct EncodeJob {
    jpeg_compress_struct cinfo;
    ErrorManager err;
    const RgbImage* image;
    int quality;
    unsigned char* buffer;
    unsigned long size;
};

bool RunEncode(EncodeJob& job) {
    jpeg_compress_struct& cinfo = job.cinfo;
    cinfo.err = UseErrorManager(job.err);
    volatile bool created = false;
    if (setjmp(job.err.jump)) {
        if (created) jpeg_destroy_compress(&cinfo);
        return false;
    }
    jpeg_create_compress(&cinfo);
    created = true;
    jpeg_mem_dest(&cinfo, &job.buffer, &job.size);
    cinfo.image_width = static_cast<JDIMENSION>(job.image->width);
    cinfo.image_height = static_cast<JDIMENSION>(job.image->height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, job.quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row =
            const_cast<JSAMPROW>(job.image->RowPtr(static_cast<int>(cinfo.next_scanline)));
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return true;
}

// Resamples one axis. Each output sample is the coverage-weighted mean of the source samples
// under it (reducing) or the linear blend of its two neighbours (enlarging).
struct AxisWeights {
    std::vector<int> first;     // first source index per output
    std::vector<int> count;     // number of source samples per output
    std::vector<float> weights; // count per output, concatenated
    std::vector<int> offset;    // start of each output's weights
};

AxisWeights MakeWeights(int src, int dst) {
    AxisWeights w;
    w.first.resize(dst);
    w.count.resize(dst);
    w.offset.resize(dst);
    const double scale = static_cast<double>(src) / dst;
    for (int i = 0; i < dst; ++i) {
        w.offset[i] = static_cast<int>(w.weights.size());
        if (scale >= 1.0) {
            const double a = i * scale;
            const double b = (i + 1) * scale;
            const int lo = static_cast<int>(a);
            const int hi = std::min(src, static_cast<int>(std::ceil(b)));
            w.first[i] = lo;
            w.count[i] = hi - lo;
            for (int s = lo; s < hi; ++s) {
                const double cover = std::min<double>(b, s + 1) - std::max<double>(a, s);
                w.weights.push_back(static_cast<float>(cover / scale));
            }
        } else {
            const double centre = (i + 0.5) * scale - 0.5;
            int lo = static_cast<int>(std::floor(centre));
            double frac = centre - lo;
            if (lo < 0) {
                lo = 0;
                frac = 0;
            }
            if (lo >= src - 1) {
                lo = src - 1;
                frac = 0;
            }
            w.first[i] = lo;
            w.count[i] = frac > 0 ? 2 : 1;
            w.weights.push_back(static_cast<float>(1.0 - frac));
            if (frac > 0) w.weights.push_back(static_cast<float>(frac));
        }
    }
    return w;
}

} // namespace

int ChooseScaleDenom(int fullW, int fullH, int minW, int minH) {
    if (minW <= 0 || minH <= 0) return 1;
    for (int denom : {8, 4, 2}) {
        // libjpeg rounds scaled sizes up
        const int w = (fullW + denom - 1) / denom;
        const int h = (fullH + denom - 1) / denom;
        if (w >= minW && h >= minH) return denom;
    }
    return 1;
}

JpegDecodeResult DecodeJpegMemory(const std::uint8_t* data, std::size_t size,
                                  const JpegDecodeOptions& options) {
    JpegDecodeResult result;
    if (size == 0) {
        result.error = "ファイルが空です";
        return result;
    }
    auto job = std::make_unique<DecodeJob>();
    std::memset(static_cast<void*>(job.get()), 0, sizeof(DecodeJob));
    job->data = data;
    job->size = static_cast<unsigned long>(size);
    job->minWidth = options.minWidth;
    job->minHeight = options.minHeight;
    job->minLongerSide = options.minLongerSide;
    job->progress.cancel = options.cancel;
    job->out = &result.image;
    job->scaleDenom = 1;
    try {
        result.ok = RunDecode(*job);
    } catch (const std::bad_alloc&) {
        jpeg_destroy_decompress(&job->cinfo);
        result.ok = false;
        std::snprintf(job->err.message, sizeof job->err.message, "メモリが足りません");
    }
    result.fullWidth = job->fullWidth;
    result.fullHeight = job->fullHeight;
    result.scaleDenom = job->scaleDenom;
    result.warnings = job->err.warnings;
    if (!result.ok) {
        result.error = job->err.message[0] ? job->err.message : "画像を読めません";
        result.image = RgbImage();
    }
    return result;
}

JpegDecodeResult DecodeJpegFile(const std::string& path, const JpegDecodeOptions& options) {
    std::string bytes;
    if (FileResult r = ReadWholeFile(path, bytes); !r) {
        JpegDecodeResult result;
        result.error = r.error;
        return result;
    }
    return DecodeJpegMemory(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(),
                            options);
}

namespace {

struct HeaderJob {
    jpeg_decompress_struct cinfo;
    ErrorManager err;
    const unsigned char* data;
    unsigned long size;
    int width, height;
};

bool RunHeader(HeaderJob& job) {
    job.cinfo.err = UseErrorManager(job.err);
    volatile bool created = false;
    if (setjmp(job.err.jump)) {
        if (created) jpeg_destroy_decompress(&job.cinfo);
        return false;
    }
    jpeg_create_decompress(&job.cinfo);
    created = true;
    jpeg_mem_src(&job.cinfo, job.data, job.size);
    jpeg_read_header(&job.cinfo, TRUE);
    job.width = static_cast<int>(job.cinfo.image_width);
    job.height = static_cast<int>(job.cinfo.image_height);
    jpeg_destroy_decompress(&job.cinfo);
    return true;
}

} // namespace

FileResult ReadJpegSize(const std::string& path, int& width, int& height) {
    // The header sits in the first kilobytes (after the EXIF block); the whole file is read only
    // when the header is not within them.
    for (const std::size_t limit : {std::size_t(256) << 10, std::size_t(0)}) {
        std::string bytes;
        if (FileResult r = limit ? ReadFileStart(path, bytes, limit) : ReadWholeFile(path, bytes);
            !r)
            return r;
        if (ReadJpegSizeMemory(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(),
                               width, height))
            return FileResult::Ok();
        if (bytes.size() < limit) break; // the whole file was read already
    }
    return FileResult::Fail("画像の大きさが読めません: " + path);
}

RgbImage Orient(const RgbImage& source, int orientation) {
    if (orientation < 2 || orientation > 8 || source.Empty()) return source;
    const int w = source.width, h = source.height;
    const bool turned = orientation >= 5; // width and height change places
    RgbImage out(turned ? h : w, turned ? w : h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            int ox = x, oy = y;
            switch (orientation) {
            case 2:
                ox = w - 1 - x;
                break;
            case 3:
                ox = w - 1 - x, oy = h - 1 - y;
                break;
            case 4:
                oy = h - 1 - y;
                break;
            case 5:
                ox = y, oy = x;
                break;
            case 6:
                ox = h - 1 - y, oy = x;
                break;
            case 7:
                ox = h - 1 - y, oy = w - 1 - x;
                break;
            case 8:
                ox = y, oy = w - 1 - x;
                break;
            }
            std::memcpy(out.RowPtr(oy) + ox * 3, source.RowPtr(y) + x * 3, 3);
        }
    return out;
}

std::string JpegLibraryVersion() {
    const int n = LIBJPEG_TURBO_VERSION_NUMBER; // major × 1,000,000 + minor × 1,000 + patch
    return std::to_string(n / 1000000) + "." + std::to_string(n / 1000 % 1000) + "." +
           std::to_string(n % 1000);
}

bool ReadJpegSizeMemory(const std::uint8_t* data, std::size_t size, int& width, int& height) {
    if (size == 0) return false;
    auto job = std::make_unique<HeaderJob>();
    std::memset(static_cast<void*>(job.get()), 0, sizeof(HeaderJob));
    job->data = data;
    job->size = static_cast<unsigned long>(size);
    if (!RunHeader(*job)) return false;
    width = job->width;
    height = job->height;
    return width > 0 && height > 0;
}

FileResult EncodeJpeg(const RgbImage& image, int quality, std::vector<std::uint8_t>& out) {
    out.clear();
    if (image.Empty() || image.width > JPEG_MAX_DIMENSION || image.height > JPEG_MAX_DIMENSION)
        return FileResult::Fail("書く画像がありません");
    auto job = std::make_unique<EncodeJob>();
    std::memset(static_cast<void*>(job.get()), 0, sizeof(EncodeJob));
    job->image = &image;
    job->quality = std::clamp(quality, 1, 100);
    const bool ok = RunEncode(*job);
    if (ok) out.assign(job->buffer, job->buffer + job->size);
    std::free(job->buffer);
    return ok ? FileResult::Ok() : FileResult::Fail(job->err.message);
}

FileResult WriteJpegFile(const RgbImage& image, int quality, const std::string& path) {
    std::vector<std::uint8_t> bytes;
    if (FileResult r = EncodeJpeg(image, quality, bytes); !r) return r;
    return WriteFileAtomically(
        path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

RgbImage Stretch(const RgbImage& source, int w, int h) {
    if (source.Empty() || w <= 0 || h <= 0) return {};
    if (w == source.width && h == source.height) return source;
    const AxisWeights xs = MakeWeights(source.width, w);
    const AxisWeights ys = MakeWeights(source.height, h);
    // Horizontal pass into floats, then vertical pass into bytes.
    std::vector<float> mid(static_cast<std::size_t>(w) * source.height * 3);
    for (int y = 0; y < source.height; ++y) {
        const std::uint8_t* in = source.RowPtr(y);
        float* out = mid.data() + static_cast<std::size_t>(y) * w * 3;
        for (int x = 0; x < w; ++x) {
            float r = 0, g = 0, b = 0;
            const float* wt = xs.weights.data() + xs.offset[x];
            for (int k = 0; k < xs.count[x]; ++k) {
                const std::uint8_t* p = in + (xs.first[x] + k) * 3;
                r += wt[k] * p[0];
                g += wt[k] * p[1];
                b += wt[k] * p[2];
            }
            out[x * 3] = r;
            out[x * 3 + 1] = g;
            out[x * 3 + 2] = b;
        }
    }
    RgbImage result(w, h);
    std::vector<float> acc(static_cast<std::size_t>(w) * 3);
    for (int y = 0; y < h; ++y) {
        std::fill(acc.begin(), acc.end(), 0.0f);
        const float* wt = ys.weights.data() + ys.offset[y];
        for (int k = 0; k < ys.count[y]; ++k) {
            const float* row = mid.data() + static_cast<std::size_t>(ys.first[y] + k) * w * 3;
            for (int i = 0; i < w * 3; ++i)
                acc[i] += wt[k] * row[i];
        }
        std::uint8_t* out = result.RowPtr(y);
        for (int i = 0; i < w * 3; ++i)
            out[i] = static_cast<std::uint8_t>(std::clamp(acc[i] + 0.5f, 0.0f, 255.0f));
    }
    return result;
}

} // namespace kamelune
