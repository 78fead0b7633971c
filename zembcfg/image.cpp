#include "settings/catalogue.h"
#include "settings/cp932_text.h"
#include "settings/record_fields.h"
#include "settings/settings_commit.h"
#include "settings/settings_file.h"
#include "zembcfg/zembcfg.h"

// Through the settings program's own file layer, so that reading never
// stands in the way of the driver or the settings program.
ReadFailure readFileBytes(const std::string& path, std::vector<unsigned char>* bytes,
                          std::string* reason) {
    switch (readWholeFile(path, bytes)) {
    case ReadOutcome::Read:
        return ReadFailure::None;
    case ReadOutcome::Missing:
        *reason = "no such file";
        return ReadFailure::Missing;
    case ReadOutcome::Denied:
        *reason = "access denied";
        return ReadFailure::AccessDenied;
    case ReadOutcome::InUse:
        *reason = "held by another program (sharing violation)";
        return ReadFailure::InUse;
    case ReadOutcome::TooLarge:
        *reason = "too large to be a settings file";
        return ReadFailure::TooLarge;
    case ReadOutcome::Failed:
        break;
    }
    *reason = "cannot be read";
    return ReadFailure::Other;
}

ReadFailure loadSettingsImage(const std::string& fileOption, SettingsImage* image, Io& io) {
    image->bytes.clear();
    image->path = fileOption;
    if (image->path.empty() && !defaultSettingsPath(&image->path)) {
        io.err += "zembcfg: no settings file given: use --file PATH\n";
        return ReadFailure::NoPath;
    }
    std::string reason;
    const ReadFailure failure = readFileBytes(image->path, &image->bytes, &reason);
    if (failure != ReadFailure::None)
        io.err += "zembcfg: " + image->path + ": " + reason + "\n";
    return failure;
}

std::vector<unsigned char> pageSetupImage(const PageSetup& values) {
    std::vector<unsigned char> image(kPageSetupFields.size);
    for (int i = 0; i < kPageSetupValueCount; ++i) {
        const uint32_t word = pageSetupValue(values, i);
        for (int b = 0; b < 4; ++b)
            image[4 * i + b] = static_cast<unsigned char>(word >> (8 * b));
    }
    return image;
}

int imageEntryCount(const std::vector<unsigned char>& image) {
    int64_t count = 0;
    if (!readFieldInt(image, kCatalogueOffset, 2, true, &count) || count < 0)
        return 0;
    return count > kMaxPaperEntries ? kMaxPaperEntries : static_cast<int>(count);
}

bool storedTextToUtf8(std::string_view bytes, std::string* utf8) {
    std::u16string wide;
    const bool exact = cp932ToUtf16(bytes, &wide);
    *utf8 = utf16ToUtf8(wide);
    return exact;
}
