// Feeds arbitrary bytes to the JPEG decoder as the thumbnail maker uses it (for a RAW file, to
// the preview it would choose), then reduces the picture as the thumbnail maker does.
#include "exif/Containers.h"
#include "platform/Jpeg.h"
#include "thumbnails/PictureReduction.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::uint8_t head[kamelune::kFormatHeadBytes] = {};
    for (std::size_t k = 0; k < size && k < sizeof head; ++k)
        head[k] = data[k];
    const kamelune::PictureFormat format = kamelune::FormatOfHead(head);
    if (format != kamelune::PictureFormat::Jpeg) {
        kamelune::ExifSource source;
        source.OpenMemory(data, size);
        const auto previews = kamelune::FindEmbeddedJpegs(source, format);
        const kamelune::EmbeddedJpeg* p = kamelune::ChoosePreview(previews, 0, 0, 88);
        if (!p) return 0;
        if (p->offset + p->length > size) __builtin_trap(); // a preview must lie in the file
        data += p->offset;
        size = static_cast<std::size_t>(p->length);
    }
    kamelune::JpegDecodeOptions options;
    options.minLongerSide = 88;
    const kamelune::JpegDecodeResult r = kamelune::DecodeJpegMemory(data, size, options);
    if (r.ok) {
        const kamelune::StretchSizes s =
            kamelune::ComputeStretchSizes(r.fullWidth, r.fullHeight, 88);
        if (s.w > 0 && s.h > 0) kamelune::Stretch(r.image, s.w, s.h);
    }
    return 0;
}
