// OK's save as the plotter driver and other programs meet it: a crash at any
// point leaves the old file or the new one, a file another program changed is
// never saved over unasked, and a file held open is still given the new
// settings.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "bytes.h"
#include "fuzz/memory_files.h"
#include "storage/file_io.h"
#include "storage/settings_commit.h"
#include "settings_folder.h"

namespace {

using Bytes = std::vector<unsigned char>;

// The system's files, with what a test needs on top: a log of the calls, a
// crash after call n (no further call happens; the open handles go as the
// process's would), a replace refused as another program's open handle
// refuses it, and writing in place or creating new files refused.
namespace recording {

unsigned g_calls, g_crashAfter, g_heldReplaces, g_pauses;
bool g_inPlaceRefused, g_createRefused;
std::vector<std::string> g_log;
std::set<FileHandle> g_open;

void arm(unsigned crashAfter, unsigned heldReplaces) {
    g_calls = g_pauses = 0;
    g_crashAfter = crashAfter;
    g_heldReplaces = heldReplaces;
    g_inPlaceRefused = g_createRefused = false;
    g_log.clear();
    g_open.clear();
}

// Whether the call happens: none does after the crash.
bool happens(const std::string& what) {
    ++g_calls;
    if (g_crashAfter != 0 && g_calls > g_crashAfter)
        return false;
    g_log.push_back(what);
    return true;
}

// The file's name, from a Windows-style path.
std::string name(const std::string& path) {
    return path.substr(path.find_last_of("/\\") + 1);
}

FileHandle opened(FileHandle file, const char* what, const char* path) {
    if (file != kNoFile) {
        g_open.insert(file);
        g_log.back() = std::string(what) + " " + name(path) + " #" + std::to_string(file);
    }
    return file;
}

void crash() {
    for (FileHandle file : g_open)
        ::close(static_cast<int>(file));
    g_open.clear();
}

FileHandle open(const char* path, OpenMode mode, FileError* error) {
    const bool inPlace = mode == OpenMode::WriteShared;
    const char* what = inPlace ? "open in place" : mode == OpenMode::Read ? "read" : "open";
    if (!happens(what) || (inPlace && g_inPlaceRefused)) {
        *error = kErrorAccessDenied;
        return kNoFile;
    }
    return opened(kSystemFiles.open(path, mode, error), what, path);
}
FileHandle createNew(const char* path, FileError* error) {
    *error = kErrorAccessDenied;
    if (!happens("create") || (g_createRefused && name(path) != "KELDORIX.INI"))
        return kNoFile;
    *error = kFileOk;
    return opened(kSystemFiles.createNew(path, error), "create", path);
}
bool seek(FileHandle file, uint32_t offset) {
    return happens("seek") && kSystemFiles.seek(file, offset);
}
bool length(FileHandle file, uint32_t* out) {
    return happens("length") && kSystemFiles.length(file, out);
}
size_t read(FileHandle file, void* buffer, size_t size) {
    return happens("read #" + std::to_string(file)) ? kSystemFiles.read(file, buffer, size) : 0;
}
size_t write(FileHandle file, const void* data, size_t size) {
    return happens("write #" + std::to_string(file)) ? kSystemFiles.write(file, data, size) : 0;
}
bool flush(FileHandle file) {
    return happens("flush #" + std::to_string(file)) && kSystemFiles.flush(file);
}
bool close(FileHandle file) {
    if (!happens("close #" + std::to_string(file)))
        return false;
    g_open.erase(file);
    return kSystemFiles.close(file);
}
FileError remove(const char* path) {
    return happens("remove " + name(path)) ? kSystemFiles.remove(path) : kErrorNotReady;
}
FileError attributes(const char* path, bool* readOnly) {
    return happens("attributes") ? kSystemFiles.attributes(path, readOnly) : kErrorNotReady;
}
FileError takeSecurity(FileHandle file, const char* from, const char* to) {
    return happens("security") ? kSystemFiles.takeSecurity(file, from, to) : kErrorNotReady;
}
// Refused as the classic rename refuses a target another program holds.
FileError rename(FileHandle file, const char* from, const char* to, RenameKind kind) {
    if (!happens("replace " + name(from)))
        return kErrorNotReady;
    if (g_heldReplaces > 0) {
        --g_heldReplaces;
        return kErrorAccessDenied;
    }
    return kSystemFiles.rename(file, from, to, kind);
}
void pause(unsigned) {
    ++g_pauses;
}

const FileLayer kLayer = {
    .open = open,
    .createNew = createNew,
    .seek = seek,
    .length = length,
    .read = read,
    .write = write,
    .flush = flush,
    .close = close,
    .remove = remove,
    .attributes = attributes,
    .takeSecurity = takeSecurity,
    .rename = rename,
    .createDirectory = kSystemFiles.createDirectory,
    .pause = pause,
};

} // namespace recording

enum : unsigned { kAlwaysHeld = 1000 };

class SettingsCommit : public SettingsFolder {
  protected:
    void TearDown() override {
        useFileLayer(nullptr);
        SettingsFolder::TearDown();
    }

    // The file as it is, loaded as start-up loads it, then the operator's
    // edits: every record byte 0x5A, every catalogue byte 0xA5.
    void startAndEdit(const Bytes& file) {
        writeAll(settings, file);
        for (const fs::path& other : besideSettings())
            fs::remove(other);
        ASSERT_EQ(loadSettings(), LoadStatus::Loaded);
        std::memset(&g_plotterRecord, 0x5A, sizeof g_plotterRecord);
        std::memset(&g_paperCatalogue, 0xA5, sizeof g_paperCatalogue);
    }

    // What OK must leave: the file with the edited blocks at 2 and 1538,
    // grown as writes there would grow it.
    static Bytes saved(Bytes file) {
        file.resize(std::max<size_t>(file.size(), 8476), 0);
        std::fill(file.begin() + 2, file.begin() + 758, 0x5A);
        std::fill(file.begin() + 1538, file.begin() + 8476, 0xA5);
        return file;
    }

    // OK through the recording layer.
    SaveOutcome pressOk(unsigned crashAfter, unsigned heldReplaces, bool keep = false) {
        recording::arm(crashAfter, heldReplaces);
        useFileLayer(&recording::kLayer);
        const SaveOutcome outcome = saveSettings(keep);
        recording::crash();
        useFileLayer(nullptr);
        return outcome;
    }

    static Bytes soundFile() {
        Bytes file(17922, 0);
        put16(file, 0, 302);
        put16(file, 2, 301);
        put16(file, 1538, 11);
        return file;
    }
};

// A flush must come between the last write of the new file and the replace.
void expectFlushBeforeReplace(const std::vector<std::string>& log) {
    const auto replace = std::find_if(log.begin(), log.end(), [](const std::string& call) {
        return call.rfind("replace KELDORIX.INI.new", 0) == 0;
    });
    ASSERT_NE(replace, log.end());
    const auto create = std::find_if(log.begin(), replace, [](const std::string& call) {
        return call.rfind("create KELDORIX.INI.new", 0) == 0;
    });
    ASSERT_NE(create, replace);
    const std::string handle = create->substr(create->find('#'));
    const auto lastWrite = std::find(std::make_reverse_iterator(replace),
                                     std::make_reverse_iterator(create), "write " + handle);
    ASSERT_NE(lastWrite.base(), create) << "the new file was never written";
    EXPECT_NE(std::find(lastWrite.base(), replace, "flush " + handle), replace)
        << "no flush between the last write and the replace";
}

TEST_F(SettingsCommit, ACrashAtAnyPointLeavesTheOldFileOrTheNewOneAndNoTemporaryFile) {
    Bytes shortFile = pattern(100, 3);
    put16(shortFile, 0, 302);
    Bytes longFile = soundFile();
    const Bytes tail = pattern(2078, 4);
    longFile.insert(longFile.end(), tail.begin(), tail.end());
    Bytes foreignGaps = pattern(17922, 5);
    put16(foreignGaps, 0, 302);
    const struct {
        const char* name;
        Bytes bytes;
    } files[] = {
        {"sound", soundFile()},
        {"short", shortFile},
        {"long", longFile},
        {"foreign bytes in the gaps", foreignGaps},
    };
    int points = 0;
    for (const auto& file : files)
        for (unsigned held : {0u, unsigned(kAlwaysHeld)})
            for (unsigned n = 1;; ++n) {
                SCOPED_TRACE(testing::Message() << file.name << (held ? ", held" : "") << ", crash"
                                                << " after call " << n);
                startAndEdit(file.bytes);
                pressOk(n, held);
                const bool ran = recording::g_calls <= n; // the whole save, no crash
                const Bytes after = readAll(settings);
                EXPECT_TRUE(after == file.bytes || after == saved(file.bytes))
                    << "a mixture of the old file and the new one";
                if (ran) {
                    EXPECT_EQ(after, saved(file.bytes));
                    if (!held) {
                        expectFlushBeforeReplace(recording::g_log);
                    }
                }
                // The next start and its OK.
                ASSERT_EQ(loadSettings(), LoadStatus::Loaded);
                std::memset(&g_plotterRecord, 0x5A, sizeof g_plotterRecord);
                std::memset(&g_paperCatalogue, 0xA5, sizeof g_paperCatalogue);
                EXPECT_EQ(saveSettings(false), SaveOutcome::Saved);
                EXPECT_EQ(readAll(settings), saved(file.bytes));
                EXPECT_TRUE(besideSettings().empty()) << besideSettings()[0];
                ++points;
                if (ran)
                    break;
            }
    EXPECT_GT(points, 150);
}

// Between start-up and OK another program does something to the file. OK
// then saves only over what start-up loaded; otherwise it asks (はい keeps
// the other program's file beside it first).
TEST_F(SettingsCommit, AFileChangedMeanwhileIsNeverSavedOverUnasked) {
    const struct Case {
        const char* name;
        void (*other)(const fs::path& settings); // what the other program does
        SaveOutcome ok;
        const char* backup; // after はい; nullptr: none is made
    } cases[] = {
        {"rewritten with the same bytes", [](const fs::path& f) { writeAll(f, readAll(f)); },
         SaveOutcome::Saved, nullptr},
        {"changed",
         [](const fs::path& f) {
             Bytes b = readAll(f);
             b[9800] = 0x77;
             writeAll(f, b);
         },
         SaveOutcome::Changed, "KELDORIX.INI.bak"},
        {"changed, an earlier backup there",
         [](const fs::path& f) {
             writeAll(f.string() + ".bak", {1});
             writeAll(f, pattern(17922, 9));
         },
         SaveOutcome::Changed, "KELDORIX.INI.1.bak"},
        {"emptied", [](const fs::path& f) { writeAll(f, {}); }, SaveOutcome::Changed,
         "KELDORIX.INI.bak"},
        {"removed", [](const fs::path& f) { fs::remove(f); }, SaveOutcome::Changed, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Bytes loaded = soundFile();
        startAndEdit(loaded);
        c.other(settings);
        const bool removed = !fs::exists(settings);
        const Bytes theirs = removed ? loaded : readAll(settings);
        EXPECT_EQ(pressOk(0, 0), c.ok);
        if (c.ok == SaveOutcome::Saved) {
            EXPECT_EQ(readAll(settings), saved(theirs));
            EXPECT_TRUE(besideSettings().empty());
            continue;
        }
        EXPECT_EQ(fs::exists(settings), !removed) << "いいえ leaves the file as it is";
        EXPECT_EQ(readAll(settings), removed ? Bytes{} : theirs);
        EXPECT_EQ(pressOk(0, 0, true), SaveOutcome::Saved); // はい
        EXPECT_EQ(readAll(settings), saved(theirs));
        if (c.backup) {
            EXPECT_EQ(recording::name(savedBackupPath()), c.backup);
            EXPECT_EQ(readAll(settings.parent_path() / c.backup), theirs);
        } else {
            EXPECT_STREQ(savedBackupPath(), "");
        }
    }
}

// Changed again while the question was open: the question comes again, and
// the version kept is the one the operator was last told of.
TEST_F(SettingsCommit, AFileChangedAgainWhileAskingIsAskedAboutAgain) {
    startAndEdit(soundFile());
    writeAll(settings, pattern(17922, 1));
    EXPECT_EQ(saveSettings(false), SaveOutcome::Changed);
    const Bytes second = pattern(17922, 2);
    writeAll(settings, second);
    EXPECT_EQ(saveSettings(true), SaveOutcome::Changed);
    EXPECT_FALSE(fs::exists(settings.string() + ".bak"));
    EXPECT_EQ(saveSettings(true), SaveOutcome::Saved);
    EXPECT_EQ(readAll(settings.string() + ".bak"), second);
    EXPECT_EQ(readAll(settings), saved(second));
    // Saved once, the file is the sheet's own again.
    EXPECT_EQ(saveSettings(false), SaveOutcome::Saved);
}

TEST_F(SettingsCommit, AChangedFileThatCannotBeKeptIsNotSavedOver) {
    startAndEdit(soundFile());
    const Bytes theirs = pattern(17922, 6);
    writeAll(settings, theirs);
    for (int n = 0; n < kBackupNameCount; ++n)
        writeAll(backupFileName(settings.string(), n), {1});
    EXPECT_EQ(saveSettings(false), SaveOutcome::Changed);
    EXPECT_EQ(saveSettings(true), SaveOutcome::NotBackedUp);
    EXPECT_EQ(readAll(settings), theirs);
    EXPECT_EQ(besideSettings().size(), size_t(kBackupNameCount));
}

// A driver that reads the file without delete sharing refuses the replace.
TEST_F(SettingsCommit, AFileHeldOpenIsStillGivenTheNewSettings) {
    const struct Case {
        const char* name;
        unsigned heldReplaces;
        bool inPlaceRefused, createRefused;
        SaveOutcome outcome;
        unsigned pauses; // of 100 ms each
    } cases[] = {
        {"held for a moment", 3, false, false, SaveOutcome::Saved, 3},
        {"held throughout: written in place", kAlwaysHeld, false, false, SaveOutcome::Saved, 9},
        {"held, and refused in place too", kAlwaysHeld, true, false, SaveOutcome::Failed, 9},
        {"no new file allowed in the folder", 0, false, true, SaveOutcome::Saved, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Bytes old = soundFile();
        startAndEdit(old);
        recording::arm(0, c.heldReplaces);
        recording::g_inPlaceRefused = c.inPlaceRefused;
        recording::g_createRefused = c.createRefused;
        useFileLayer(&recording::kLayer);
        EXPECT_EQ(saveSettings(false), c.outcome);
        useFileLayer(nullptr);
        EXPECT_EQ(recording::g_pauses, c.pauses);
        EXPECT_EQ(readAll(settings), c.outcome == SaveOutcome::Saved ? saved(old) : old);
        EXPECT_TRUE(besideSettings().empty());
    }
}

// What a crash leaves beside the file is never read, and goes at the next save.
TEST_F(SettingsCommit, LeftoverTemporaryFilesAreNeverReadAndGoAtTheNextSave) {
    const Bytes file = soundFile();
    writeAll(settings, file);
    for (int n : {0, 3})
        writeAll(temporaryFileName(settings.string(), n), pattern(17922, 8));
    EXPECT_EQ(loadSettings(), LoadStatus::Loaded);
    EXPECT_EQ(g_paperCatalogue.count, 11);
    EXPECT_EQ(saveSettings(false), SaveOutcome::Saved);
    EXPECT_EQ(readAll(settings), file);
    EXPECT_TRUE(besideSettings().empty());
}

// zembcfg's import may give a shorter file; written in place, the old tail
// would stay behind it, so a held file is then left alone.
TEST_F(SettingsCommit, AHeldFileIsNeverShortenedInPlace) {
    for (size_t size : {size_t(30000), size_t(100)}) {
        SCOPED_TRACE(size);
        const Bytes old = pattern(17922, 2), image = pattern(size, 3);
        writeAll(settings, old);
        CommitRequest request;
        request.path = settings.string();
        request.build = [&image](const FileBytes*, FileBytes* out) {
            *out = image;
            return true;
        };
        recording::arm(0, kAlwaysHeld);
        useFileLayer(&recording::kLayer);
        const CommitResult result = commitFile(request);
        useFileLayer(nullptr);
        EXPECT_TRUE(result.held);
        EXPECT_EQ(result.inPlace, size > old.size());
        EXPECT_EQ(readAll(settings), size > old.size() ? image : old);
        EXPECT_TRUE(besideSettings().empty());
    }
}

} // namespace

// ---- Windows file systems, as the model in fuzz/memory_files.h has them ----

namespace model = memory_files;

const char kDocuments[] = "C:\\Users\\op\\Documents";
const std::string kSettings = std::string(kDocuments) + "\\Adobe\\Illustrator\\KELDORIX.INI";
enum : int { kOwnAccessList = 7 };

// POSIX rename, rename by handle, access lists, WRITE_DAC, opens a scanner
// refuses, a delete-pending temporary name, a read-only settings file.
const model::Behaviour kFileSystems[] = {
    {"NTFS, POSIX rename", true, true, true, true, 0, false, false},
    {"NTFS, classic rename only", false, true, true, true, 0, false, false},
    {"FAT/exFAT", false, true, false, true, 0, false, false},
    {"SMB share without WRITE_DAC", false, true, true, false, 0, false, false},
    // Where ReplaceFileW would answer 1175, 1176 or 1177; the save does not
    // call it: MoveFileExW renames.
    {"no rename by handle", false, false, true, true, 0, false, false},
    {"a scanner on the new file", true, true, true, true, 5, false, false},
    {"a scanner past the budget", false, true, true, true, 25, false, false},
    {"a delete-pending temporary name", false, true, true, true, 0, true, false},
    {"read-only settings file", true, true, true, true, 0, false, true},
};

// Another program's handle on the settings file across OK.
struct Holder {
    const char* name;
    bool present, sharesDelete;
    unsigned pauses; // of 100 ms, before it lets go
};
const Holder kHolders[] = {
    {"no other program", false, true, 0},
    {"a reader sharing delete, for 300 ms", true, true, 3},
    {"a reader not sharing delete, for 300 ms", true, false, 3},
    {"a reader sharing delete throughout", true, true, 1000},
    {"a reader not sharing delete throughout", true, false, 1000},
};

// The sheet's OK, or zembcfg's import (which keeps the old file beside it).
bool commitThrough(bool import) {
    if (!import)
        return saveSettings(false) == SaveOutcome::Saved;
    CommitRequest request;
    request.path = kSettings;
    request.compare = true;
    request.keepCurrent = true;
    const FileBytes expected = model::find(kSettings.c_str())->bytes;
    request.expected = &expected;
    request.build = [](const FileBytes* current, FileBytes* image) {
        *image = *current;
        std::fill(image->begin() + 2, image->begin() + 758, 0x5A);
        std::fill(image->begin() + 1538, image->begin() + 8476, 0xA5);
        return true;
    };
    return commitFile(request).outcome == CommitOutcome::Saved;
}

// Every file system, every other program, a crash after every call: the
// settings file is at every moment the old image or the new one, never a
// mixture and never missing, what readers see is one of the two, and a
// backup made goes only once the old file is seen in place. Without a crash
// the save replaces the file whenever the holder lets go within the retry
// budget, and keeps the file's access list where the system allows it.
TEST(WindowsFileSystems, TheSettingsFileIsAlwaysTheOldImageOrTheNewOne) {
    Bytes old(17922, 0);
    put16(old, 0, 302);
    put16(old, 2, 301);
    Bytes edited = old;
    std::fill(edited.begin() + 2, edited.begin() + 758, 0x5A);
    std::fill(edited.begin() + 1538, edited.begin() + 8476, 0xA5);
    const std::string backup = kSettings + ".bak", pending = temporaryFileName(kSettings, 0);
    useFileLayer(&model::kLayer);
    setDocumentsFolder(kDocuments);
    int points = 0;
    for (const model::Behaviour& system : kFileSystems)
        for (const Holder& holder : kHolders)
            for (bool import : {false, true})
                for (unsigned n = 1;; ++n) {
                    SCOPED_TRACE(testing::Message()
                                 << system.name << ", " << holder.name
                                 << (import ? ", import" : ", OK") << ", crash after call " << n);
                    model::reset(system);
                    model::g_watched = kSettings;
                    model::File* file = model::put(kSettings.c_str(), old.data(), old.size());
                    file->accessList = kOwnAccessList;
                    file->readOnly = system.readOnly;
                    if (system.deletePending)
                        model::put(pending.c_str(), nullptr, 0)->deletePending = true;
                    ASSERT_EQ(loadSettings(), LoadStatus::Loaded);
                    std::memset(&g_plotterRecord, 0x5A, sizeof g_plotterRecord);
                    std::memset(&g_paperCatalogue, 0xA5, sizeof g_paperCatalogue);
                    if (holder.present)
                        model::holdFile(kSettings.c_str(), holder.sharesDelete, holder.pauses);
                    model::g_crashAfter = n;
                    const bool saved = commitThrough(import);
                    const bool ran = model::g_calls <= n;
                    model::crash();

                    const model::File* after = model::find(kSettings.c_str());
                    ASSERT_NE(after, nullptr) << "the settings file missing";
                    EXPECT_TRUE(after->bytes == old || after->bytes == edited) << "a mixture";
                    for (const Bytes& seen : model::g_readerSaw)
                        EXPECT_TRUE(seen == old || seen == edited) << "a reader saw a mixture";
                    EXPECT_FALSE(model::g_backupRemovedWhileMissing);
                    const model::File* kept = model::find(backup.c_str());
                    if (system.readOnly) {
                        EXPECT_EQ(kept, nullptr) << "nothing written beside a read-only file";
                    }
                    if (ran) {
                        const bool replaceable = !holder.present || holder.pauses < 10 ||
                                                 (holder.sharesDelete && system.posixRename);
                        const bool replaced = after != file;
                        EXPECT_EQ(saved, !system.readOnly);
                        EXPECT_EQ(after->bytes, system.readOnly ? old : edited);
                        EXPECT_EQ(replaced,
                                  !system.readOnly && replaceable && system.scannerOpens < 20)
                            << (replaced ? "replaced" : "written in place");
                        EXPECT_EQ(after->accessList,
                                  !replaced || (system.accessLists && system.writeDac)
                                      ? kOwnAccessList
                                      : int(model::kInheritedAccessList));
                        EXPECT_EQ(kept != nullptr, import && saved) << "the backup";
                        if (kept != nullptr) {
                            EXPECT_EQ(kept->bytes, old);
                        }
                        for (int t = 0; t < kTemporaryNameCount; ++t) {
                            const model::File* left =
                                model::find(temporaryFileName(kSettings, t).c_str());
                            EXPECT_TRUE(left == nullptr || left->deletePending)
                                << "a temporary file left";
                        }
                    }
                    ++points;
                    if (ran)
                        break;
                }
    useFileLayer(nullptr);
    setDocumentsFolder("");
    EXPECT_GT(points, 2000);
}
