// The platform under the presets: where the folders are and what files a
// folder holds (presets_win.cpp on Windows, presets_posix.cpp elsewhere).
#pragma once

#include <string>
#include <vector>

enum class FolderListing { Listed, Missing, Failed };

// The names of the files (not folders) directly in folder, UTF-8; on Failed,
// *reason says why in words.
FolderListing listFolderFiles(const std::string& folder, std::vector<std::string>* names,
                              std::string* reason);
