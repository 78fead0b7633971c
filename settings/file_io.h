// The few file operations the settings file needs. The Windows build uses the
// classic kernel32 file calls; the native build maps them onto POSIX so the
// real load and save code can be tested on real files.
//
// Paths are Windows-style (backslash separators, system code page).
#pragma once

#include <cstddef>
#include <cstdint>

using FileHandle = intptr_t;
constexpr FileHandle kNoFile = -1;

enum class CreateOutcome { Created, AlreadyExists, Failed };

// Open an existing file; neither ever creates one.
FileHandle openFileReadWrite(const char* path);
FileHandle openFileWriteOnly(const char* path);

// Creates the file only when it does not exist yet, so a file that merely
// could not be opened (locked, access denied) is never emptied.
FileHandle createNewFile(const char* path, CreateOutcome* outcome);

bool seekFile(FileHandle file, uint32_t offset);
// Both return the number of bytes transferred (0 on failure).
size_t readFile(FileHandle file, void* buffer, size_t size);
size_t writeFile(FileHandle file, const void* data, size_t size);
void closeFile(FileHandle file);

// Create a directory; failure (including "already exists") is not reported
// because the open that follows tells whether the folder is usable.
void createDirectory(const char* path);

// The user's documents folder, without guarantee of a trailing backslash.
// False when it cannot be resolved or does not fit.
bool documentsFolder(char* buffer, size_t capacity);
