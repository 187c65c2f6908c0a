#include "PictureFile.h"

#include "exif/Containers.h"

#include <algorithm>
#include <fnmatch.h>
#include <libheif/heif.h>
#include <memory>

namespace kamelune {
namespace {

constexpr const char* kUnreadable = "画像を読めません";
constexpr std::uint64_t kMaxPreviewBytes = 256u << 20;

JpegDecodeResult Failure(std::string why) {
    JpegDecodeResult r;
    r.error = std::move(why);
    return r;
}

// What a file's first bytes say it is; Jpeg (the JPEG path and its messages) for every file whose
// name is not a RAW or HEIC name.
PictureFormat FormatOfFile(const std::string& path, ExifSource& source, std::string& error) {
    if (!IsRawHeicName(path)) return PictureFormat::Jpeg;
    if (!source.OpenFile(path)) {
        error = FailureText("画像を開けません", path, errno);
        return PictureFormat::Unknown;
    }
    std::uint8_t head[kFormatHeadBytes];
    if (!source.ReadAt(0, head, sizeof head)) {
        error = FailureText("画像を読めません", path, errno);
        return PictureFormat::Unknown;
    }
    const PictureFormat format = FormatOfHead(head);
    if (format == PictureFormat::Unknown) error = kUnreadable;
    return format;
}

// RAW: the preview ChoosePreview picks for the options' sizes, decoded from memory.
JpegDecodeResult DecodePreview(ExifSource& source, PictureFormat format,
                               const JpegDecodeOptions& options) {
    const std::vector<EmbeddedJpeg> previews = FindEmbeddedJpegs(source, format);
    const bool sized = options.minWidth > 0 && options.minHeight > 0;
    const EmbeddedJpeg* p = ChoosePreview(previews, sized ? options.minWidth : 0,
                                          sized ? options.minHeight : 0, options.minLongerSide);
    // As large as a JPEG file the program reads whole, at most.
    if (!p || p->length > kMaxPreviewBytes) return Failure(kUnreadable);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(p->length));
    if (!source.ReadDirect(p->offset, bytes.data(), bytes.size())) return Failure(kUnreadable);
    return DecodeJpegMemory(bytes.data(), bytes.size(), options);
}

struct HeifDeleter {
    void operator()(heif_context* c) const { heif_context_free(c); }
    void operator()(heif_image_handle* h) const { heif_image_handle_release(h); }
    void operator()(heif_image* i) const { heif_image_release(i); }
};
template <typename T> using HeifPtr = std::unique_ptr<T, HeifDeleter>;

bool LargeEnough(int w, int h, const JpegDecodeOptions& o) {
    if (o.minWidth <= 0 && o.minHeight <= 0 && o.minLongerSide <= 0) return false;
    return (o.minWidth <= 0 || o.minHeight <= 0 || (w >= o.minWidth && h >= o.minHeight)) &&
           std::max(w, h) >= o.minLongerSide;
}

// The whole-number reduction a decode asked for a minimum size can take, as a JPEG's DCT scaling
// does (up to 1/8): a large HEIF picture is averaged in blocks before anything stretches it.
int ReductionFor(int w, int h, const JpegDecodeOptions& o) {
    int k = 1;
    while (k < 8 && LargeEnough(w / (k + 1), h / (k + 1), o))
        ++k;
    return k;
}

// The mean of each k × k block (the last row and column of blocks take what is left).
RgbImage Reduce(const std::uint8_t* plane, int stride, int w, int h, int k) {
    RgbImage out(w / k, h / k);
    std::vector<std::uint32_t> sums(static_cast<std::size_t>(out.width) * 3);
    for (int y = 0; y < out.height; ++y) {
        std::fill(sums.begin(), sums.end(), 0);
        for (int dy = 0; dy < k; ++dy) {
            const std::uint8_t* row = plane + static_cast<std::size_t>(y * k + dy) * stride;
            for (int x = 0; x < out.width; ++x)
                for (int dx = 0; dx < k; ++dx)
                    for (int c = 0; c < 3; ++c)
                        sums[static_cast<std::size_t>(x) * 3 + c] += row[(x * k + dx) * 3 + c];
        }
        std::uint8_t* target = out.RowPtr(y);
        for (std::size_t i = 0; i < sums.size(); ++i)
            target[i] = static_cast<std::uint8_t>((sums[i] + k * k / 2) / (k * k));
    }
    return out;
}

// HEIF: the primary image's handle, or the error text.
HeifPtr<heif_image_handle> OpenHeif(const std::string& path, HeifPtr<heif_context>& context,
                                    std::string& error) {
    // The library's one set-up, before threads of the thumbnail loader share it.
    static const bool ready = (heif_init(nullptr), true);
    (void)ready;
    context.reset(heif_context_alloc());
    heif_image_handle* primary = nullptr;
    heif_error e = heif_context_read_from_file(context.get(), path.c_str(), nullptr);
    if (e.code == heif_error_Ok) e = heif_context_get_primary_image_handle(context.get(), &primary);
    if (e.code != heif_error_Ok) error = std::string(kUnreadable) + ": " + e.message;
    return HeifPtr<heif_image_handle>(primary);
}

JpegDecodeResult DecodeHeif(const std::string& path, const JpegDecodeOptions& options) {
    HeifPtr<heif_context> context;
    std::string error;
    HeifPtr<heif_image_handle> primary = OpenHeif(path, context, error);
    if (!primary) return Failure(error);
    JpegDecodeResult result;
    result.fullWidth = heif_image_handle_get_width(primary.get());
    result.fullHeight = heif_image_handle_get_height(primary.get());
    // A thumbnail the file carries is enough for a small picture and far faster.
    HeifPtr<heif_image_handle> chosen;
    heif_item_id ids[4];
    const int thumbs = heif_image_handle_get_list_of_thumbnail_IDs(primary.get(), ids, 4);
    for (int k = 0; k < thumbs && !chosen; ++k) {
        heif_image_handle* thumb = nullptr;
        if (heif_image_handle_get_thumbnail(primary.get(), ids[k], &thumb).code != heif_error_Ok)
            continue;
        HeifPtr<heif_image_handle> held(thumb);
        if (LargeEnough(heif_image_handle_get_width(thumb), heif_image_handle_get_height(thumb),
                        options))
            chosen = std::move(held);
    }
    heif_image_handle* handle = chosen ? chosen.get() : primary.get();
    const int w = heif_image_handle_get_width(handle), h = heif_image_handle_get_height(handle);
    if (w <= 0 || h <= 0 || std::uint64_t(w) * std::uint64_t(h) > kMaxJpegPixels)
        return Failure(kUnreadable);
    if (options.cancel && options.cancel->load()) return Failure("中止しました");
    heif_image* decoded = nullptr;
    const heif_error e = heif_decode_image(handle, &decoded, heif_colorspace_RGB,
                                           heif_chroma_interleaved_RGB, nullptr);
    HeifPtr<heif_image> image(decoded);
    if (e.code != heif_error_Ok) return Failure(std::string(kUnreadable) + ": " + e.message);
    int stride = 0;
    const std::uint8_t* plane =
        heif_image_get_plane_readonly(image.get(), heif_channel_interleaved, &stride);
    const int iw = heif_image_get_width(image.get(), heif_channel_interleaved);
    const int ih = heif_image_get_height(image.get(), heif_channel_interleaved);
    if (!plane || iw <= 0 || ih <= 0 || stride < iw * 3) return Failure(kUnreadable);
    if (const int k = ReductionFor(iw, ih, options); k > 1) {
        result.image = Reduce(plane, stride, iw, ih, k);
        result.scaleDenom = k;
    } else {
        result.image = RgbImage(iw, ih);
        for (int y = 0; y < ih; ++y)
            std::copy_n(plane + static_cast<std::size_t>(y) * stride,
                        static_cast<std::size_t>(iw) * 3, result.image.RowPtr(y));
    }
    result.ok = true;
    return result;
}

} // namespace

bool IsRawHeicName(const std::string& path) {
    const std::string name = path.substr(path.rfind('/') + 1);
    const std::string masks = kRawHeicMasks;
    for (std::size_t start = 0; start < masks.size();) {
        const std::size_t end = std::min(masks.find(';', start), masks.size());
        if (::fnmatch(masks.substr(start, end - start).c_str(), name.c_str(), FNM_CASEFOLD) == 0)
            return true;
        start = end + 1;
    }
    return false;
}

JpegDecodeResult DecodePictureFile(const std::string& path, const JpegDecodeOptions& options) {
    ExifSource source;
    std::string error;
    const PictureFormat format = FormatOfFile(path, source, error);
    switch (format) {
    case PictureFormat::Jpeg:
        return DecodeJpegFile(path, options);
    case PictureFormat::Heif:
        source.Close();
        return DecodeHeif(path, options);
    case PictureFormat::TiffRaw:
    case PictureFormat::Cr3:
    case PictureFormat::Raf:
        return DecodePreview(source, format, options);
    case PictureFormat::Unknown:
        break;
    }
    return Failure(error);
}

FileResult ReadPictureSize(const std::string& path, int& width, int& height) {
    width = height = 0;
    ExifSource source;
    std::string error;
    const PictureFormat format = FormatOfFile(path, source, error);
    switch (format) {
    case PictureFormat::Jpeg:
        return ReadJpegSize(path, width, height);
    case PictureFormat::Heif: {
        source.Close();
        HeifPtr<heif_context> context;
        HeifPtr<heif_image_handle> primary = OpenHeif(path, context, error);
        if (!primary) return FileResult::Fail(error);
        width = heif_image_handle_get_width(primary.get());
        height = heif_image_handle_get_height(primary.get());
        return FileResult::Ok();
    }
    case PictureFormat::TiffRaw:
    case PictureFormat::Cr3:
    case PictureFormat::Raf: {
        const std::vector<EmbeddedJpeg> previews = FindEmbeddedJpegs(source, format);
        const EmbeddedJpeg* largest = ChoosePreview(previews, 0, 0, 0);
        if (!largest) return FileResult::Fail(kUnreadable);
        width = largest->width;
        height = largest->height;
        return FileResult::Ok();
    }
    case PictureFormat::Unknown:
        break;
    }
    return FileResult::Fail(error);
}

} // namespace kamelune
