// kamelune-default-pkm FILE: writes the "Default.pkm" of the built-in item choice that ships with
// the program, so that a first start needs no message. An existing file is left alone: it may be
// one the user saved.
#include "platform/FileUtil.h"
#include "platform/TextFile.h"
#include "thumbnails/Pkm.h"

#include <iostream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: kamelune-default-pkm FILE\n";
        return 2;
    }
    if (kamelune::FileExists(argv[1])) return 0;
    if (const kamelune::FileResult r =
            kamelune::WriteTextLines(argv[1], kamelune::BuiltInPkmLines());
        !r) {
        std::cerr << "kamelune-default-pkm: " << r.error << "\n";
        return 1;
    }
    return 0;
}
