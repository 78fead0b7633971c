#include "presets/presets.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "documents/import_plan.h"
#include "presets/preset_folder.h"
#include "settings/cp932_text.h"
#include "settings/default_image.h"
#include "settings/file_layout.h"
#include "storage/file_io.h"
#include "storage/settings_commit.h"

const char kDefaultsPresetName[] = "標準設定";

namespace {

const char kExtension[] = ".toml";
constexpr size_t kExtensionSize = sizeof kExtension - 1;

struct FoldRun {
    char16_t first, last;
    int32_t difference;
    int step;
};

constexpr FoldRun kFoldRuns[] = {
#include "presets/name_fold_table.inc"
};

char16_t foldUnit(char16_t unit) {
    const FoldRun* run = std::upper_bound(std::begin(kFoldRuns), std::end(kFoldRuns), unit,
                                          [](char16_t u, const FoldRun& r) { return u < r.first; });
    if (run == std::begin(kFoldRuns))
        return unit;
    --run;
    if (unit > run->last || (unit - run->first) % run->step != 0)
        return unit;
    return static_cast<char16_t>(unit + run->difference);
}

bool isDeviceName(const std::u16string& name) {
    // The part before the first dot names the device: "NUL.toml" is NUL too.
    std::u16string stem = name.substr(0, name.find(u'.'));
    while (!stem.empty() && stem.back() == u' ')
        stem.pop_back();
    for (char16_t& c : stem)
        c = foldUnit(c);
    if (stem == u"CON" || stem == u"PRN" || stem == u"AUX" || stem == u"NUL")
        return true;
    return stem.size() == 4 && (stem.starts_with(u"COM") || stem.starts_with(u"LPT")) &&
           stem[3] >= u'1' && stem[3] <= u'9';
}

// A folder's file, with the separator the folder's path uses (Windows' own,
// or a native test's '/').
std::string inFolder(const std::string& folder, std::string_view file) {
    const bool slashes =
        folder.find('/') != std::string::npos && folder.find('\\') == std::string::npos;
    return folder + (slashes ? '/' : '\\') + std::string(file);
}

std::string baseName(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool endsWithExtension(const std::string& file) {
    if (file.size() <= kExtensionSize)
        return false;
    for (size_t i = 0; i < kExtensionSize; ++i) {
        const char c = file[file.size() - kExtensionSize + i];
        if ((c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c) != kExtension[i])
            return false;
    }
    return true;
}

std::string firstProblems(const std::vector<ImportProblem>& problems, const std::string& source) {
    std::string text = formatProblem(source, problems.front());
    if (problems.size() > 1)
        text += " (and " + std::to_string(problems.size() - 1) + " more)";
    return text;
}

const char* readFailure(ReadOutcome outcome) {
    switch (outcome) {
    case ReadOutcome::Missing:
        return "no such file";
    case ReadOutcome::Denied:
        return "access denied";
    case ReadOutcome::InUse:
        return "held by another program (sharing violation)";
    case ReadOutcome::TooLarge:
        return "larger than 1 MiB";
    default:
        return "cannot be read";
    }
}

// One file of a folder: read, and checked whole against the defaults.
Preset readPreset(const std::string& folder, const std::string& file, PresetKind kind) {
    Preset preset;
    preset.name = file.substr(0, file.size() - kExtensionSize);
    preset.kind = kind;
    preset.path = inFolder(folder, file);
    const NameProblem nameProblem = checkPresetName(preset.name);
    if (nameProblem != NameProblem::None) {
        preset.reason = file + ": " + nameProblemEnglish(nameProblem);
        return preset;
    }
    FileBytes bytes;
    ReadOutcome read = readWholeFile(preset.path, &bytes);
    if (read == ReadOutcome::Read && bytes.size() > kPresetMaxBytes)
        read = ReadOutcome::TooLarge;
    if (read != ReadOutcome::Read) {
        preset.reason = file + ": " + readFailure(read);
        return preset;
    }
    preset.text.assign(bytes.begin(), bytes.end());
    const ImportPlan plan = planImport(preset.text, file, nullptr);
    if (!plan.problems.empty()) {
        preset.reason = firstProblems(plan.problems, file);
        return preset;
    }
    preset.readable = true;
    return preset;
}

void listFolder(const std::string& folder, PresetKind kind, PresetList* list) {
    if (folder.empty())
        return;
    std::vector<std::string> files;
    std::string reason;
    const FolderListing listed = listFolderFiles(folder, &files, &reason);
    if (listed == FolderListing::Failed)
        list->folderProblems.push_back(folder + ": " + reason);
    if (listed != FolderListing::Listed)
        return;
    std::vector<Preset> found;
    for (const std::string& file : files)
        if (endsWithExtension(file))
            found.push_back(readPreset(folder, file, kind));
    std::sort(found.begin(), found.end(), [](const Preset& a, const Preset& b) {
        const std::u16string fa = foldPresetName(a.name), fb = foldPresetName(b.name);
        return fa != fb ? fa < fb : a.name < b.name;
    });
    std::move(found.begin(), found.end(), std::back_inserter(list->presets));
}

// The preset file of that name (in any case) in folder, when there is one.
bool findPresetFile(const std::string& folder, std::string_view name, std::string* path) {
    std::vector<std::string> files;
    std::string reason;
    if (listFolderFiles(folder, &files, &reason) != FolderListing::Listed)
        return false;
    for (const std::string& file : files)
        if (endsWithExtension(file) &&
            samePresetName(std::string_view(file).substr(0, file.size() - kExtensionSize), name)) {
            *path = inFolder(folder, file);
            return true;
        }
    return false;
}

bool hasSharedPreset(const PresetFolders& folders, std::string_view name) {
    std::string path;
    return !folders.shared.empty() && findPresetFile(folders.shared, name, &path);
}

// The folder and those above it that are missing, outermost first; an
// existing one refuses silently and the save that follows tells.
void createFolders(const std::string& folder) {
    for (size_t at = folder.find_first_of("\\/", 1); at != std::string::npos;
         at = folder.find_first_of("\\/", at + 1))
        createDirectory(folder.substr(0, at).c_str());
    createDirectory(folder.c_str());
}

void computeRects(PresetSettings* settings) {
    PlotterRecord record = {};
    const std::vector<unsigned char>& image = settings->image;
    if (image.size() > kRecordOffset)
        std::memcpy(&record, image.data() + kRecordOffset,
                    std::min<size_t>(kRecordSize, image.size() - kRecordOffset));
    computePageRects(&settings->pageSetup, record);
}

// The defaults over the record, the catalogue and the page-setup values; the
// rest of the file (the region carried for the driver, a tail) stays.
void applyDefaults(const PresetSettings* current, PresetApplied* applied) {
    std::vector<unsigned char>& image = applied->settings.image;
    image = defaultSettingsImage();
    if (current != nullptr) {
        if (current->image.size() > image.size())
            image.resize(current->image.size());
        for (size_t i = kCarriedOffset; i < current->image.size(); ++i)
            image[i] = current->image[i];
    }
    pageSetupDefaults(&applied->settings.pageSetup);
    for (int i = 0; i < kPageSetupValueCount; ++i)
        if (!pageSetupValueComputed(i))
            applied->pageSetupGiven.emplace_back(i, pageSetupValue(applied->settings.pageSetup, i));
}

} // namespace

// ---- names ---------------------------------------------------------------

std::u16string foldPresetName(std::string_view name) {
    std::u16string wide;
    utf8ToUtf16(name, &wide);
    for (char16_t& c : wide)
        c = foldUnit(c);
    return wide;
}

bool samePresetName(std::string_view a, std::string_view b) {
    return foldPresetName(a) == foldPresetName(b);
}

NameProblem checkPresetName(std::string_view name) {
    std::u16string wide;
    if (!utf8ToUtf16(name, &wide))
        return NameProblem::NotText;
    if (wide.empty())
        return NameProblem::Empty;
    if (wide.size() > kPresetNameMax)
        return NameProblem::TooLong;
    for (char16_t c : wide) {
        if (c < 0x20 || c == 0x7F)
            return NameProblem::ControlChar;
        if (std::u16string_view(u"\\/:*?\"<>|").find(c) != std::u16string_view::npos)
            return NameProblem::ForbiddenChar;
    }
    if (wide.back() == u'.' || wide.back() == u' ')
        return NameProblem::TrailingDotSpace;
    if (isDeviceName(wide))
        return NameProblem::DeviceName;
    if (samePresetName(name, kDefaultsPresetName))
        return NameProblem::Reserved;
    return NameProblem::None;
}

const char* nameProblemEnglish(NameProblem problem) {
    switch (problem) {
    case NameProblem::None:
        return "";
    case NameProblem::Empty:
        return "a name is needed";
    case NameProblem::TooLong:
        return "a name has at most 64 characters";
    case NameProblem::ForbiddenChar:
        return "a name cannot hold \\ / : * ? \" < > |";
    case NameProblem::ControlChar:
        return "a name cannot hold control characters";
    case NameProblem::TrailingDotSpace:
        return "a name cannot end in a dot or a space";
    case NameProblem::DeviceName:
        return "Windows reserves this name for a device (CON, PRN, AUX, NUL, COM1-9, LPT1-9)";
    case NameProblem::NotText:
        return "the name is not valid UTF-8";
    case NameProblem::Reserved:
        return "the built-in defaults have this name";
    }
    return "";
}

const char* nameProblemJapanese(NameProblem problem) {
    switch (problem) {
    case NameProblem::None:
        return "";
    case NameProblem::Empty:
        return "名前を入力してください。";
    case NameProblem::TooLong:
        return "名前は 64 文字以内で入力してください。";
    case NameProblem::ForbiddenChar:
        return "名前に次の文字は使えません: \\ / : * ? \" < > |";
    case NameProblem::ControlChar:
        return "名前に制御文字は使えません。";
    case NameProblem::TrailingDotSpace:
        return "名前の最後にピリオドや空白は使えません。";
    case NameProblem::DeviceName:
        return "この名前は Windows が予約しているため使えません。";
    case NameProblem::NotText:
        return "名前に使えない文字が含まれています。";
    case NameProblem::Reserved:
        return "この名前は標準設定に使われています。";
    }
    return "";
}

// ---- the list ------------------------------------------------------------

PresetList listPresets(const PresetFolders& folders) {
    PresetList list;
    Preset defaults;
    defaults.name = kDefaultsPresetName;
    defaults.kind = PresetKind::Defaults;
    defaults.readable = true;
    list.presets.push_back(std::move(defaults));
    listFolder(folders.shared, PresetKind::Shared, &list);
    listFolder(folders.own, PresetKind::Own, &list);
    return list;
}

const Preset* findPreset(const PresetList& list, std::string_view name) {
    for (const Preset& preset : list.presets)
        if (samePresetName(preset.name, name))
            return &preset;
    return nullptr;
}

// ---- apply, save, delete -------------------------------------------------

PresetApplied applyPreset(const Preset& preset, const PresetSettings* current) {
    PresetApplied applied;
    if (preset.kind == PresetKind::Defaults) {
        applyDefaults(current, &applied);
        computeRects(&applied.settings);
        return applied;
    }
    if (!preset.readable) {
        applied.problems.push_back(preset.reason);
        return applied;
    }
    const std::string source = baseName(preset.path);
    ImportPlan plan = planImport(preset.text, source, current ? &current->image : nullptr);
    for (const ImportProblem& problem : plan.problems)
        applied.problems.push_back(formatProblem(source, problem));
    if (!applied.problems.empty())
        return applied;
    applied.settings.image = std::move(plan.image);
    if (current != nullptr)
        applied.settings.pageSetup = current->pageSetup;
    else
        pageSetupDefaults(&applied.settings.pageSetup);
    for (const auto& [index, word] : plan.pageSetup)
        setPageSetupValue(&applied.settings.pageSetup, index, word);
    applied.pageSetupGiven = std::move(plan.pageSetup);
    computeRects(&applied.settings);
    return applied;
}

PresetResult savePreset(const PresetFolders& folders, std::string_view name,
                        const std::vector<unsigned char>& image, const StoredPageSetup* pageSetup,
                        bool replace) {
    PresetResult result;
    result.nameProblem = checkPresetName(name);
    if (result.nameProblem != NameProblem::None) {
        result.status = PresetStatus::BadName;
        return result;
    }
    if (folders.own.empty()) {
        result.status = PresetStatus::NoFolder;
        return result;
    }
    if (hasSharedPreset(folders, name)) {
        result.status = PresetStatus::Shared;
        return result;
    }
    result.path = inFolder(folders.own, std::string(name) + kExtension);
    const bool exists = findPresetFile(folders.own, name, &result.path);
    if (exists && !replace) {
        result.status = PresetStatus::Exists;
        return result;
    }
    if (!exists)
        createFolders(folders.own);
    const std::string text = exportDocument(image, pageSetup);
    CommitRequest request;
    request.path = result.path;
    // Not over a file that appeared meanwhile, unless replacing.
    request.compare = !replace;
    request.build = [&text](const FileBytes*, FileBytes* bytes) {
        bytes->assign(text.begin(), text.end());
        return true;
    };
    const CommitResult committed = commitFile(request);
    if (committed.outcome == CommitOutcome::Changed) {
        result.status = PresetStatus::Exists;
    } else if (committed.outcome != CommitOutcome::Saved) {
        // A new file that cannot be made is the folder's failure.
        result.status = exists ? PresetStatus::WriteFailed : PresetStatus::FolderFailed;
        if (!exists)
            result.path = folders.own;
    }
    return result;
}

PresetResult deletePreset(const PresetFolders& folders, std::string_view name) {
    PresetResult result;
    if (samePresetName(name, kDefaultsPresetName)) {
        result.status = PresetStatus::Shared;
        return result;
    }
    if (!folders.own.empty() && findPresetFile(folders.own, name, &result.path)) {
        if (!removeFile(result.path.c_str()))
            result.status = PresetStatus::WriteFailed;
        return result;
    }
    result.status = hasSharedPreset(folders, name) ? PresetStatus::Shared : PresetStatus::NotFound;
    return result;
}

std::string presetMessageEnglish(const PresetResult& result, std::string_view name) {
    const std::string quoted = "preset \"" + std::string(name) + "\"";
    switch (result.status) {
    case PresetStatus::Done:
        return quoted + ": done";
    case PresetStatus::BadName:
        return quoted + ": " + nameProblemEnglish(result.nameProblem);
    case PresetStatus::NotFound:
        return quoted + ": no such preset";
    case PresetStatus::Exists:
        return quoted + " exists (" + result.path + "); replace it with --replace";
    case PresetStatus::Shared:
        return quoted + " is shared or built in and cannot be changed";
    case PresetStatus::FolderFailed:
        return result.path + ": the presets folder cannot be created or written";
    case PresetStatus::WriteFailed:
        return result.path + ": cannot be written";
    case PresetStatus::NoFolder:
        return "no presets folder: use --presets DIR or set ZEMBCFG_PRESETS";
    }
    return quoted;
}

std::string presetMessageJapanese(const PresetResult& result, std::string_view name) {
    const std::string quoted = "「" + std::string(name) + "」";
    switch (result.status) {
    case PresetStatus::Done:
        return "";
    case PresetStatus::BadName:
        return nameProblemJapanese(result.nameProblem);
    case PresetStatus::NotFound:
        return quoted + "が見つかりません。";
    case PresetStatus::Exists:
        return quoted + "はすでにあります。置き換えますか?";
    case PresetStatus::Shared:
        return quoted + "は共有または標準の設定のため、変更や削除はできません。";
    case PresetStatus::FolderFailed:
        return "お気に入りのフォルダを作成できないか、書き込めません。\n" + result.path;
    case PresetStatus::WriteFailed:
        return "お気に入りのファイルに書き込めません。\n" + result.path;
    case PresetStatus::NoFolder:
        return "お気に入りのフォルダがありません。";
    }
    return "";
}
