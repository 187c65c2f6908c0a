// Where the program keeps things and which folder it shows: the folder of its settings and
// "Default.pkm", the thumbnail cache and the open folder's subfolder in it, the folder shown and
// the file-type filter's masks. Part of the folder model; its setters say a change by changed().
#pragma once

#include <QObject>
#include <string>

class QString;

namespace kamelune {

// Where the program keeps its files: the folder of the program (or the per-user data folder
// when that is not writable) and the settings file.
struct AppPaths {
    std::string appDir;
    std::string settingsPath;
    // The "Default.pkm" installed with the program, for a user whose folder holds none.
    std::string shippedPkm{};
    // The default place of the thumbnail cache; empty: appDir.
    std::string cacheDir{};
    // Where the column widths the user set are kept; empty: for the session alone.
    std::string stateDir{};
};
AppPaths ResolveAppPaths(const QString& programPath);

class FolderPlaces : public QObject {
    Q_OBJECT
public:
    explicit FolderPlaces(AppPaths paths);

    const AppPaths& Paths() const { return paths_; }
    // Where the settings and "Default.pkm" live.
    const std::string& AppDir() const { return paths_.appDir; }
    std::string DefaultCacheDir() const;
    // Where the thumbnail cache lives, and the open folder's subfolder in it (set as a folder
    // is opened: ShowCurrentDir).
    const std::string& ThumbDir() const { return thumbDir_; }
    void SetThumbDir(std::string dir) { Assign(thumbDir_, std::move(dir)); }
    const std::string& CacheSubName() const { return cacheSubName_; }
    std::string CacheFolderOfCurrent() const;
    void ShowCurrentDir();

    // The folder shown (the folder list's current folder) and the file-type filter's masks.
    const std::string& CurrentDir() const { return currentDir_; }
    void SetCurrentDir(std::string folder) { Assign(currentDir_, std::move(folder)); }
    const std::string& FileMask() const { return fileMask_; }
    void SetFileMask(std::string masks) { Assign(fileMask_, std::move(masks)); }

signals:
    void changed();

private:
    void Assign(std::string& member, std::string value) {
        if (member == value) return;
        member = std::move(value);
        emit changed();
    }
    const AppPaths paths_;
    std::string thumbDir_;
    std::string cacheSubName_;
    std::string currentDir_;
    std::string fileMask_;
};

} // namespace kamelune
