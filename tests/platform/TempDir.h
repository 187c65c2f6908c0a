#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <map>
#include <string>
#include <unistd.h>

namespace kamelune::test {

namespace fs = std::filesystem;

// This process's folder for test files: the sanitizer build's tests run beside the plain ones.
inline std::filesystem::path TestRoot() {
    return std::filesystem::temp_directory_path() / "kamelune-tests" / std::to_string(::getpid());
}

// Removes the process's folder when the tests are done.
struct RemoveTestRoot : ::testing::Environment {
    void TearDown() override {
        std::error_code ec;
        std::filesystem::remove_all(TestRoot(), ec);
    }
};
inline const bool kRemoveTestRoot = (::testing::AddGlobalTestEnvironment(new RemoveTestRoot), true);

// A fresh folder per instance, named after its test and numbered (two in one test never share
// one), removed afterwards.
class TempDir {
public:
    TempDir() {
        static std::atomic<int> made{0};
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = info ? std::string(info->test_suite_name()) + "." + info->name()
                                : std::string("outside-a-test");
        for (char& c : name)
            if (c == '/') c = '_';
        path_ = TestRoot() / (name + "." + std::to_string(++made));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(path_, ec);
    }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }
    std::string str() const { return path_.string(); }

    static void Write(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    // The files under `root`, relative and sorted, each with "=" and its bytes when asked:
    // "a.jpg cache/T_a.jpg" or "a.jpg=A cache/T_a.jpg=thumb". Nothing when there is no `root`.
    static std::string Tree(const std::string& root, bool withBytes = false) {
        std::map<std::string, std::string> files;
        std::error_code ec;
        for (const auto& e : fs::recursive_directory_iterator(root, ec))
            if (!e.is_directory())
                files[fs::relative(e.path(), root).string()] =
                    withBytes ? "=" + Read(e.path().string()) : "";
        std::string out;
        for (const auto& [name, bytes] : files)
            out += (out.empty() ? "" : " ") + name + bytes;
        return out;
    }

private:
    std::filesystem::path path_;
};

// A folder of pictures beside one of thumbnails; each picture named at the start holds its name.
// Paths of Put, Read and Has are relative to the test's folder ("pics/a.jpg").
struct PictureFolder {
    TempDir dir;
    std::string pics = dir / "pics", cache = dir / "cache";
    explicit PictureFolder(std::initializer_list<const char*> names = {}) {
        fs::create_directories(pics);
        fs::create_directories(cache);
        for (const char* n : names)
            TempDir::Write(pics + "/" + n, n);
    }
    void Put(const std::string& relative, const std::string& bytes) const {
        TempDir::Write(dir / relative, bytes);
    }
    std::string Read(const std::string& relative) const { return TempDir::Read(dir / relative); }
    bool Has(const std::string& relative) const { return fs::exists(dir / relative); }
    std::string Tree() const { return TempDir::Tree(dir.str(), true); }
};

} // namespace kamelune::test
