#include "storage/settings_commit.h"

#include "storage/file_io.h"

// A driver that reads the file without delete sharing holds it only for a
// moment: about a second of retries before writing in place.
enum : unsigned { kReplaceAttempts = 10, kRetryPauseMs = 100 };

ReadOutcome readWholeFile(const std::string& path, FileBytes* bytes) {
    bytes->clear();
    ReadOutcome outcome = ReadOutcome::Failed;
    const FileHandle file = openFileRead(path.c_str(), &outcome);
    if (file == kNoFile)
        return outcome;
    uint32_t length = 0;
    if (!fileLength(file, &length)) {
        outcome = ReadOutcome::Failed;
    } else if (length > kLargestFile) {
        outcome = ReadOutcome::TooLarge;
    } else {
        bytes->resize(length);
        if (length > 0 && readFile(file, bytes->data(), length) != length)
            outcome = ReadOutcome::Failed;
    }
    closeFile(file);
    if (outcome != ReadOutcome::Read)
        bytes->clear();
    return outcome;
}

std::string temporaryFileName(const std::string& path, int n) {
    return n == 0 ? path + ".new" : path + ".new" + std::to_string(n);
}

std::string backupFileName(const std::string& path, int n) {
    return n == 0 ? path + ".bak" : path + "." + std::to_string(n) + ".bak";
}

// Written whole and flushed, or not there at all.
static bool writeNewFile(FileHandle file, const FileBytes& bytes) {
    return writeFile(file, bytes.data(), bytes.size()) == bytes.size() && flushFile(file);
}

std::string keepBesideFile(const std::string& path, const FileBytes& bytes) {
    for (int n = 0; n < kBackupNameCount; ++n) {
        const std::string name = backupFileName(path, n);
        CreateOutcome outcome = CreateOutcome::Failed;
        const FileHandle backup = createNewFile(name.c_str(), &outcome);
        if (outcome == CreateOutcome::AlreadyExists)
            continue;
        if (backup == kNoFile)
            return {};
        const bool written = writeNewFile(backup, bytes);
        if (closeFile(backup) && written)
            return name;
        removeFile(name.c_str()); // a partial copy must not pass for the old file
        return {};
    }
    return {};
}

// The image in a new file beside path, flushed, then put in place of path.
// Temporary files an earlier crash left are removed first; a name refused
// (still open in another program's save, or deleted but not yet gone)
// gives way to the next.
static ReplaceOutcome replaceWith(const std::string& path, const FileBytes& image, bool* held) {
    for (int n = 0; n < kTemporaryNameCount; ++n)
        removeFile(temporaryFileName(path, n).c_str());
    for (int n = 0; n < kTemporaryNameCount; ++n) {
        const std::string name = temporaryFileName(path, n);
        CreateOutcome outcome = CreateOutcome::Failed;
        FileError error = kFileOk;
        const FileHandle file = createNewFile(name.c_str(), &outcome, &error);
        if (outcome == CreateOutcome::AlreadyExists || error == kErrorAccessDenied)
            continue;
        if (file == kNoFile)
            return ReplaceOutcome::Failed;
        const bool written = writeNewFile(file, image);
        if (!closeFile(file) || !written) {
            removeFile(name.c_str());
            return ReplaceOutcome::Failed;
        }
        ReplaceOutcome replaced = ReplaceOutcome::Failed;
        for (unsigned attempt = 1;; ++attempt) {
            replaced = replaceFile(name.c_str(), path.c_str());
            if (replaced == ReplaceOutcome::Replaced)
                return replaced;
            if (replaced == ReplaceOutcome::Held)
                *held = true;
            if (replaced != ReplaceOutcome::Held || attempt == kReplaceAttempts)
                break;
            pauseBeforeRetry(kRetryPauseMs);
        }
        removeFile(name.c_str());
        return replaced;
    }
    return ReplaceOutcome::Failed;
}

// The whole image in one write over the file, for a file that cannot be
// replaced: a reader then sees the new bytes as soon as they are written.
// The file cannot be shortened this way, and a read-only one is left alone
// (Windows refuses it anyway; Wine as root does not). After a failed write
// the old bytes go back.
static bool writeInPlace(const std::string& path, const FileBytes& image, const FileBytes& old) {
    bool readOnly = false;
    if (image.size() < old.size() || fileAttributes(path.c_str(), &readOnly) != kFileOk || readOnly)
        return false;
    const FileHandle file = openFileWriteShared(path.c_str());
    if (file == kNoFile)
        return false;
    bool written = seekFile(file, 0) && writeFile(file, image.data(), image.size()) == image.size();
    if (!written && seekFile(file, 0))
        writeFile(file, old.data(), old.size());
    written = written && flushFile(file);
    return closeFile(file) && written;
}

CommitResult commitFile(const CommitRequest& request) {
    CommitResult result;
    result.read = readWholeFile(request.path, &result.current);
    if (result.read != ReadOutcome::Read && result.read != ReadOutcome::Missing) {
        result.outcome = CommitOutcome::Unreadable;
        return result;
    }
    const bool present = result.read == ReadOutcome::Read;
    if (request.compare &&
        (request.expected == nullptr ? present : !present || result.current != *request.expected)) {
        result.outcome = CommitOutcome::Changed;
        return result;
    }
    if (!request.build(present ? &result.current : nullptr, &result.image)) {
        result.outcome = CommitOutcome::NotBuilt;
        return result;
    }
    bool readOnly = false;
    if (present && fileAttributes(request.path.c_str(), &readOnly) == kFileOk && readOnly) {
        result.outcome = CommitOutcome::ReadOnly;
        return result;
    }
    if (request.keepCurrent && present) {
        result.backup = keepBesideFile(request.path, result.current);
        if (result.backup.empty()) {
            result.outcome = CommitOutcome::NotBackedUp;
            return result;
        }
    }
    const ReplaceOutcome replaced = replaceWith(request.path, result.image, &result.held);
    if (replaced == ReplaceOutcome::Replaced) {
        result.outcome = CommitOutcome::Saved;
        return result;
    }
    if (replaced != ReplaceOutcome::ReadOnly && present &&
        writeInPlace(request.path, result.image, result.current)) {
        result.outcome = CommitOutcome::Saved;
        result.inPlace = true;
        return result;
    }
    result.outcome =
        replaced == ReplaceOutcome::ReadOnly ? CommitOutcome::ReadOnly : CommitOutcome::Failed;
    // The copy goes only when the file is seen to hold what it held: a
    // failed write in place that could not put the old bytes back leaves
    // the copy as the one whole old file.
    FileBytes now;
    if (!result.backup.empty() && readWholeFile(request.path, &now) == ReadOutcome::Read &&
        now == result.current) {
        removeFile(result.backup.c_str());
        result.backup.clear();
    }
    return result;
}
