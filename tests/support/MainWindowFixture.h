// The main window started as the program starts it, in a temporary program folder.
#pragma once

#include "catalogue/Forms.h"
#include "catalogue/SetKomoku.h"
#include "platform/TempDir.h"
#include "platform/TextFile.h"
#include "support/ScriptedDialogService.h"
#include "thumbnails/Pkm.h"

#include <filesystem>

namespace kamelune::test {

namespace fs = std::filesystem;

inline const fs::path kSamples = fs::path(KAMELUNE_SAMPLES);

// A "Default.pkm" of the built-in choice and attributes.
inline void WriteDefaultPkm(const std::string& path) {
    ASSERT_TRUE(WriteTextLines(path, BuiltInPkmLines()));
}

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(fs::exists(kSamples)) << "test pictures missing: " << kSamples;
        fs::create_directories(AppDir());
        fs::create_directories(Pictures());
    }
    void TearDown() override { DestroyWindows(); }

    std::string AppDir() const { return dir / "app"; }
    std::string Pictures() const { return dir / "pics"; }
    std::string Ini() const { return AppDir() + "/kamelune.ini"; }

    // Starts the program with the given settings file (none when empty).
    void Start(const std::string& ini = {}, bool defaultPkm = true) {
        if (!ini.empty()) TempDir::Write(Ini(), ini);
        if (defaultPkm) WriteDefaultPkm(AppDir() + "/Default.pkm");
        CreateWindows({AppDir(), Ini()});
    }
    void StartIn(const std::string& folder) { Start("[Dir]\r\nDir=" + folder + "\r\n"); }

    void ThreePictures() {
        fs::copy_file(kSamples / "exif-org/olympus-c960.jpg", Pictures() + "/a.jpg");
        fs::copy_file(kSamples / "Canon_40D.jpg", Pictures() + "/b.jpg");
        fs::copy_file(kSamples / "exif-org/canon-ixus.jpg", Pictures() + "/c.jpg");
    }

    const StringGrid& View() const { return FormMain->gridExif; }
    std::vector<std::string> ViewColumn(int col) const {
        std::vector<std::string> out;
        for (int r = 1; r < View().RowCount(); ++r)
            out.push_back(View().Cell(col, r));
        return out;
    }

    TempDir dir;
    ScriptedDialogService dialogs;
};

} // namespace kamelune::test
