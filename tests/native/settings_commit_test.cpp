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
#include "settings/file_io.h"
#include "settings/settings_commit.h"
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

FileHandle openReadWrite(const char* path) {
    return happens("open") ? opened(kSystemFiles.openReadWrite(path), "open", path) : kNoFile;
}
FileHandle openWriteShared(const char* path) {
    if (!happens("open in place") || g_inPlaceRefused)
        return kNoFile;
    return opened(kSystemFiles.openWriteShared(path), "open in place", path);
}
FileHandle openRead(const char* path, OpenFailure* failure) {
    if (!happens("read"))
        return kNoFile;
    return opened(kSystemFiles.openRead(path, failure), "read", path);
}
FileHandle createNew(const char* path, CreateOutcome* outcome) {
    *outcome = CreateOutcome::Failed;
    if (!happens("create") || (g_createRefused && name(path) != "KELDORIX.INI"))
        return kNoFile;
    return opened(kSystemFiles.createNew(path, outcome), "create", path);
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
bool remove(const char* path) {
    return happens("remove " + name(path)) && kSystemFiles.remove(path);
}
ReplaceOutcome replace(const char* from, const char* to) {
    if (!happens("replace " + name(from)))
        return ReplaceOutcome::Failed;
    if (g_heldReplaces > 0) {
        --g_heldReplaces;
        return ReplaceOutcome::Held;
    }
    return kSystemFiles.replace(from, to);
}
void pause(unsigned) {
    ++g_pauses;
}

const FileLayer kLayer = {
    .openReadWrite = openReadWrite,
    .openWriteShared = openWriteShared,
    .openRead = openRead,
    .createNew = createNew,
    .seek = seek,
    .length = length,
    .read = read,
    .write = write,
    .flush = flush,
    .close = close,
    .remove = remove,
    .replace = replace,
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
        writeAll(settingsBackupName(settings.string(), n), {1});
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
