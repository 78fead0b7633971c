#include "settings/le_bytes.h"
#include "settings/record_fields.h"
#include "storage/settings_commit.h"
#include "storage/settings_file.h"
#include "zembcfg/zembcfg.h"

static const char* failureReason(ReadOutcome outcome) {
    switch (outcome) {
    case ReadOutcome::Missing:
        return "no such file";
    case ReadOutcome::Denied:
        return "access denied";
    case ReadOutcome::InUse:
        return "held by another program (sharing violation)";
    case ReadOutcome::TooLarge:
        return "too large to be a settings file";
    default:
        return "cannot be read";
    }
}

// Through the settings program's own file layer, so that reading never
// stands in the way of the driver or the settings program.
ReadOutcome readFileBytes(const std::string& path, std::vector<unsigned char>* bytes,
                          std::string* reason) {
    const ReadOutcome outcome = readWholeFile(path, bytes);
    if (outcome != ReadOutcome::Read)
        *reason = failureReason(outcome);
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

std::vector<unsigned char> pageSetupImage(const PageSetup& values) {
    std::vector<unsigned char> image(kPageSetupFields.size);
    for (int i = 0; i < kPageSetupValueCount; ++i)
        storeU32(&image, kPageSetupFields.fields[i].offset, pageSetupValue(values, i));
    return image;
}
