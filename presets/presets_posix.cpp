// Natively the folders are the caller's (zembcfg's options, the tests).
#include <dirent.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "presets/preset_folder.h"
#include "presets/presets.h"

bool systemPresetFolders(PresetFolders* folders) {
    *folders = {};
    return false;
}

FolderListing listFolderFiles(const std::string& folder, std::vector<std::string>* names,
                              std::string* reason) {
    names->clear();
    std::string path = folder;
    for (char& c : path)
        if (c == '\\')
            c = '/';
    DIR* dir = opendir(path.c_str());
    if (dir == nullptr) {
        if (errno == ENOENT)
            return FolderListing::Missing;
        *reason = std::strerror(errno);
        return FolderListing::Failed;
    }
    while (const dirent* entry = readdir(dir)) {
        struct stat info;
        const std::string file = path + "/" + entry->d_name;
        if (stat(file.c_str(), &info) == 0 && S_ISREG(info.st_mode))
            names->push_back(entry->d_name);
    }
    closedir(dir);
    return FolderListing::Listed;
}
