// make_raw_shapes OUTDIR JPEG:EXT ...: writes OUTDIR/<JPEG's stem>.<EXT>, a RAW file of that
// extension's layout made from the camera JPEG (tests and benchmarks; nothing is fetched).
#include "exif/RawShapes.h"

#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

using namespace kamelune::test;

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: make_raw_shapes OUTDIR JPEG:EXT ...\n";
        return 2;
    }
    const std::string out = argv[1];
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        const auto colon = arg.rfind(':');
        const std::string path = arg.substr(0, colon), ext = arg.substr(colon + 1);
        const RawShapeName* shape = nullptr;
        for (const RawShapeName& s : AllRawShapes())
            if (ext == s.extension) shape = &s;
        std::ifstream in(path, std::ios::binary);
        const std::string jpeg{std::istreambuf_iterator<char>(in), {}};
        const std::string raw = shape ? BuildRawShape(jpeg, shape->shape) : std::string();
        if (colon == std::string::npos || raw.empty()) {
            std::cerr << "make_raw_shapes: cannot make " << arg << "\n";
            return 1;
        }
        std::string stem = path.substr(path.rfind('/') + 1);
        stem = stem.substr(0, stem.rfind('.'));
        std::ofstream(out + "/" + stem + "." + ext, std::ios::binary) << raw;
    }
    return 0;
}
