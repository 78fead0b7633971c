#include "documents/document_layout.h"
#include "settings/le_bytes.h"
#include "settings/record_fields.h"
#include "storage/settings_commit.h"
#include "storage/settings_file.h"
#include "zembcfg/zembcfg.h"

// Through the settings program's own file layer, so that reading never
// stands in the way of the driver or the settings program.
ReadOutcome readFileBytes(const std::string& path, std::vector<unsigned char>* bytes,
                          std::string* reason) {
    const ReadOutcome outcome = readWholeFile(path, bytes);
    if (outcome != ReadOutcome::Read)
        *reason = readFailureWords(outcome, "too large to be a settings file");
    return outcome;
}

ReadOutcome loadSettingsImage(const std::string& fileOption, SettingsImage* image, Io& io) {
    image->bytes.clear();
    image->path = fileOption;
    if (image->path.empty() && !defaultSettingsPath(&image->path)) {
        io.err += "zembcfg: no settings file given: use --file PATH\n";
        return ReadOutcome::Failed;
    }
    std::string reason;
    const ReadOutcome outcome = readFileBytes(image->path, &image->bytes, &reason);
    if (outcome != ReadOutcome::Read)
        io.err += "zembcfg: " + image->path + ": " + reason + "\n";
    return outcome;
}

bool loadExportSource(const std::string& fileOption, ExportSource* source, Io& io) {
    if (loadSettingsImage(fileOption, &source->image, io) != ReadOutcome::Read)
        return false;
    if (source->image.bytes.size() > kMaxDocumentFileSize) {
        io.err += "zembcfg: " + source->image.path + ": too large to export\n";
        return false;
    }
    source->registry = readStoredPageSetup(&source->pageSetup);
    return true;
}

std::vector<unsigned char> pageSetupImage(const PageSetup& values) {
    std::vector<unsigned char> image(kPageSetupFields.size);
    for (int i = 0; i < kPageSetupValueCount; ++i)
        storeU32(&image, kPageSetupFields.fields[i].offset, pageSetupValue(values, i));
    return image;
}
