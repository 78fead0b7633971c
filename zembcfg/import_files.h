// How the import puts a new settings file in place: the new bytes go to a
// file of their own in the same folder and are flushed, the old file is kept
// beside it under a name no file has yet, and one rename replaces it. A file
// another program holds open is left exactly as it was.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

enum class FileStatus { Done, Missing, Held, Denied, Failed };

// What each status means to the user ("held by another program", ...).
const char* fileStatusText(FileStatus status);

// The platform's few steps; paths are UTF-8.
bool fileExists(const std::string& path);
// Creates path only when no file has that name, writes bytes and flushes them.
FileStatus writeNewFile(const std::string& path, const std::vector<unsigned char>& bytes);
// Renames from onto to in one step, replacing it.
FileStatus renameReplacing(const std::string& from, const std::string& to);
void removeFile(const std::string& path);

// The first of the settings program's backup names that no file has: a
// backup never overwrites an earlier one.
std::string freeBackupName(const std::string& path);

struct Replacement {
    FileStatus status = FileStatus::Failed;
    std::string backup; // where the old file was kept, "" when there was none
};

// old is the file as read before (null when there was none, or when no
// backup is wanted); it becomes the backup.
Replacement replaceFile(const std::string& path, const std::vector<unsigned char>& bytes,
                        const std::vector<unsigned char>* old);

// The page-setup values a document gives, as given, then rPage and rPaper as
// the settings program computes them after OK from the resulting paper,
// orientation, roll flag and the image's margins. False where there is no
// registry.
bool storePageSetup(const std::vector<std::pair<int, uint32_t>>& given,
                    const std::vector<unsigned char>& image);
