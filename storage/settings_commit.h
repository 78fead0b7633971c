// Putting a new image of a file in place so that a reader (the plotter
// driver) finds the old file or the new one, whole, at every moment, and a
// crash leaves one of the two: the new bytes go to a file of their own beside
// it, are flushed, and replace the file in one step. A file that another
// program holds open without letting it be replaced is written in place
// instead, in one write. The sheet's OK and zembcfg's import and export all
// save this way.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "storage/file_io.h"

using FileBytes = std::vector<unsigned char>;

// Far beyond any settings file (17922 bytes), small enough to hold in memory.
enum : uint32_t { kLargestFile = 16 * 1024 * 1024 };

// A whole file, opened so that it stands in nobody's way.
ReadOutcome readWholeFile(const std::string& path, FileBytes* bytes);

// The names a commit's temporary file takes beside path, n from 0; a crash
// can leave one behind, and the next commit removes it. None ends in .bak or
// is the file's own name, so nothing ever reads one as settings.
enum : int { kTemporaryNameCount = 4 };
std::string temporaryFileName(const std::string& path, int n);

// Backups of a file are path.bak, then path.1.bak to path.99.bak; n counts
// through them from 0.
enum : int { kBackupNameCount = 100 };
std::string backupFileName(const std::string& path, int n);

// bytes kept beside path under the first free backup name (path.bak,
// path.1.bak, ...), flushed; the name, or "" when no copy could be made (an
// earlier backup is never overwritten).
std::string keepBesideFile(const std::string& path, const FileBytes& bytes);

enum class CommitOutcome {
    Saved,       // the new image is the file
    Changed,     // not what the caller expected (changed, created or removed
                 // meanwhile): nothing written
    Unreadable,  // the file as it is could not be read: nothing written
    NotBackedUp, // the file as it is could not be kept aside: nothing written
    NotBuilt,    // the caller had nothing to write: nothing written
    ReadOnly,    // the file is marked read-only: nothing written
    Failed,      // neither replaced nor written in place: the file is as it was
                 // (or, should a write in place fail halfway, `backup` holds it)
};

struct CommitRequest {
    std::string path;
    // The file must still be what the caller based its change on: the bytes
    // `expected`, or with expected null, no file at all.
    bool compare = false;
    const FileBytes* expected = nullptr;
    // The file as it is is kept under the first free backup name first.
    bool keepCurrent = false;
    // The new image, from the file as it is (null when there is none).
    // False when there is nothing to write.
    std::function<bool(const FileBytes* current, FileBytes* image)> build;
};

struct CommitResult {
    CommitOutcome outcome = CommitOutcome::Failed;
    ReadOutcome read = ReadOutcome::Failed; // how the file as it was could be read
    FileBytes current;                      // the file as the commit found it
    FileBytes image;                        // what the commit wrote, or would have
    std::string backup;   // where `current` was kept; "" when not (or no longer) kept
    bool held = false;    // another program's open handle refused the replace
    bool inPlace = false; // so the image was written into the file itself
};

CommitResult commitFile(const CommitRequest& request);
