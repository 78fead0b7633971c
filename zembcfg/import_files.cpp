#include "zembcfg/import_files.h"

#include <vector>

#include "settings/settings_file.h"

const char* fileStatusText(FileStatus status) {
    switch (status) {
    case FileStatus::Done:
        return "done";
    case FileStatus::Missing:
        return "no such file or folder";
    case FileStatus::Held:
        return "held by another program";
    case FileStatus::Denied:
        return "access denied";
    case FileStatus::Failed:
        break;
    }
    return "cannot be read or written";
}

std::string freeBackupName(const std::string& path) {
    std::vector<char> name(path.size() + 16);
    for (int n = 0; n < kBackupNameCount; ++n)
        if (settingsBackupName(path.c_str(), n, name.data(), name.size()) &&
            !fileExists(name.data()))
            return name.data();
    return {}; // every name taken: the write to "" fails and nothing changes
}

static std::string freeTemporaryName(const std::string& path) {
    std::string name = path + ".new";
    for (int n = 2; fileExists(name); ++n)
        name = path + ".new" + std::to_string(n);
    return name;
}

Replacement replaceFile(const std::string& path, const std::vector<unsigned char>& bytes,
                        const std::vector<unsigned char>* old) {
    Replacement result;
    const std::string temporary = freeTemporaryName(path);
    result.status = writeNewFile(temporary, bytes);
    if (result.status != FileStatus::Done) {
        removeFile(temporary);
        return result;
    }
    if (old) {
        result.backup = freeBackupName(path);
        result.status = writeNewFile(result.backup, *old);
        if (result.status != FileStatus::Done) {
            removeFile(result.backup);
            removeFile(temporary);
            result.backup.clear();
            return result;
        }
    }
    result.status = renameReplacing(temporary, path);
    if (result.status != FileStatus::Done) {
        // The file is as it was: no backup of it is wanted.
        removeFile(temporary);
        if (!result.backup.empty())
            removeFile(result.backup);
        result.backup.clear();
    }
    return result;
}
