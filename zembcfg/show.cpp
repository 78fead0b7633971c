#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include "settings/stored_values.h"
#include "settings/settings_file.h"
#include "zembcfg/values.h"
#include "zembcfg/zembcfg.h"

namespace {

using Json = nlohmann::ordered_json;

struct ShowOptions {
    std::string file;
    bool json = false;
};

struct Shown {
    const SettingsImage& image;
    int unit;
    std::string& out;
    bool odd = false;
};

void line(Shown& s, const std::string& label, const std::string& value, const std::string& name,
          const std::string& stored) {
    s.out += "  " + label + " " + value + "  [" + name + " " + stored + "]\n";
}

void heading(Shown& s, const std::string& title) {
    s.out += "\n" + title + "\n";
}

FieldValue valueAt(const Shown& s, const FieldDesc& field, uint32_t offset) {
    return readFieldValue(field, s.image.bytes, offset);
}

int storedUnit(const SettingsImage& image) {
    int64_t unit = 0;
    const FieldDesc* field = findField(kCatalogueFields, "lengthUnit");
    if (!readFieldInt(image.bytes, kCatalogueOffset + field->offset, field->width, true, &unit))
        return -1;
    return static_cast<int>(unit);
}

// The fields of one page in a table, leaving out arrays (shown as tables).
void showFields(Shown& s, const FieldTable& table, uint32_t base, const std::string& prefix,
                int page) {
    for (int i = 0; i < table.count; ++i) {
        const FieldDesc& field = table.fields[i];
        // Arrays and the catalogue's count are shown as tables.
        if (labelsOf(field).page != page || field.kind == FieldKind::Slots ||
            &field == findField(kCatalogueFields, "count"))
            continue;
        const FieldValue value = valueAt(s, field, base + field.offset);
        line(s, fieldLabel(field, field.name), shownText(field, value, s.unit, &s.odd),
             prefix + field.name, storedText(field, value));
    }
}

// Pens as rows: number, tool, thickness, colour by name.
void showPens(Shown& s) {
    const FieldDesc& pens = *findField(kRecordFields, "penSlots");
    const FieldTable& slot = *pens.slots;
    s.out += "  Pen  Tool Type / Thick / Color\n";
    for (int i = 0; i < pens.slotCount; ++i) {
        const uint32_t base = kRecordOffset + pens.offset + static_cast<uint32_t>(i) * slot.size;
        std::string row = "  " + std::to_string(i + 1) + (i < 9 ? "    " : "   ");
        int16_t values[6] = {};
        bool present = true;
        for (int f = 0; f < slot.count && f < 6; ++f) {
            const FieldDesc& field = slot.fields[f];
            const FieldValue value = valueAt(s, field, base + field.offset);
            present = present && value.present;
            values[f] = static_cast<int16_t>(value.number);
            if (field.kind != FieldKind::Component && field.name != std::string("colorSet"))
                row += shownText(field, value, s.unit, &s.odd) + " / ";
        }
        if (!present) {
            s.out += row + "(beyond the end of the file)\n";
            s.odd = true;
            continue;
        }
        PenSlot pen = {};
        pen.red = values[2], pen.green = values[3], pen.blue = values[4], pen.colorSet = values[5];
        const int position = colourPositionForSlot(pen);
        const PenColour shown = colourForPosition(position);
        // The page shows the nearest it has; say so when that is not what is stored.
        const bool exact = shown.red == pen.red && shown.green == pen.green &&
                           shown.blue == pen.blue && shown.colorSet == pen.colorSet;
        row += kColourNames[position];
        if (!exact) {
            s.odd = true;
            row += " (!) [red " + std::to_string(pen.red) + " green " + std::to_string(pen.green) +
                   " blue " + std::to_string(pen.blue) + " colorSet " +
                   std::to_string(pen.colorSet) + "]";
        }
        s.out += row + "\n";
    }
}

void showCatalogue(Shown& s) {
    const FieldDesc& entries = *findField(kCatalogueFields, "entries");
    const FieldTable& entry = *entries.slots;
    const uint32_t countOffset = kCatalogueOffset + findField(kCatalogueFields, "count")->offset;
    int64_t count = 0;
    const bool present = readFieldInt(s.image.bytes, countOffset, 2, true, &count);
    const int used = imageEntryCount(s.image.bytes);
    const bool odd = !present || used != count;
    s.odd = s.odd || odd;
    s.out += std::string("  ") + std::to_string(used) + " paper sizes" + (odd ? " (!)" : "") +
             "  [catalogue.count " + (present ? std::to_string(count) : "(beyond the end)") + "]\n";
    s.out += "  No  " + withoutMnemonic(labelsOf(entry.fields[0]).label) + "  " +
             withoutMnemonic(labelsOf(entry.fields[1]).label) + " × " +
             withoutMnemonic(labelsOf(entry.fields[2]).label) + "  " +
             withoutMnemonic(labelsOf(entry.fields[3]).label) + "\n";
    for (int i = 0; i < used; ++i) {
        const uint32_t base =
            kCatalogueOffset + entries.offset + static_cast<uint32_t>(i) * entry.size;
        std::string row = "  " + std::to_string(i) + (i < 10 ? "   " : "  ");
        for (int f = 0; f < entry.count; ++f) {
            const FieldDesc& field = entry.fields[f];
            const FieldValue value = valueAt(s, field, base + field.offset);
            if (field.kind == FieldKind::Length)
                row += value.present ? std::to_string(value.number) : "?";
            else
                row += shownText(field, value, s.unit, &s.odd);
            if (f + 1 < entry.count)
                row += field.kind == FieldKind::Length ? (f == 1 ? " × " : " mm  ") : "  ";
        }
        s.out += row + "\n";
    }
}

std::string paperSizeText(const SettingsImage& image, int64_t size, bool* odd) {
    const int slot = catalogueSlotOfSize(static_cast<int32_t>(size));
    if (slot < 0)
        return kCustomSizeText;
    if (slot >= imageEntryCount(image.bytes)) {
        *odd = true;
        return "(no catalogue entry " + std::to_string(slot) + ") (!)";
    }
    const FieldDesc& entries = *findField(kCatalogueFields, "entries");
    const FieldDesc& name = *findField(*entries.slots, "name");
    const FieldValue value = readFieldValue(name, image.bytes,
                                            kCatalogueOffset + entries.offset +
                                                static_cast<uint32_t>(slot) * entries.slots->size);
    return "\"" + value.utf8 + "\"";
}

void showPageSetup(Shown& s) {
    StoredPageSetup stored;
    if (!readStoredPageSetup(&stored)) {
        s.out +=
            std::string("  The page-setup values live in the registry of the Windows machine (") +
            kProgramKeyName + "); run zembcfg there to see them.\n";
        return;
    }
    if (!stored.keyFound)
        s.out += "  No page-setup values in the registry yet (the settings program stores them "
                 "after OK); these are the defaults.\n";
    const std::vector<unsigned char> image = pageSetupImage(stored.values);
    for (int i = 0; i < kPageSetupFields.count; ++i) {
        const FieldDesc& field = kPageSetupFields.fields[i];
        const FieldValue value = readFieldValue(field, image, field.offset);
        const std::string shown = field.kind == FieldKind::PaperSize
                                      ? paperSizeText(s.image, value.number, &s.odd)
                                      : shownText(field, value, s.unit, &s.odd);
        line(s, fieldLabel(field, kPageSetupValueNames[i]), shown, kPageSetupValueNames[i],
             storedText(field, value) + (stored.stored[i] ? "" : " (default, not stored)"));
    }
}

void showText(const SettingsImage& image, Io& io) {
    const int unit = storedUnit(image);
    Shown s{image, unit, io.out};
    int64_t version = 0;
    const bool hasVersion = readFieldInt(image.bytes, 0, 2, false, &version);
    io.out += "Settings file: " + image.path + "\n";
    io.out += "  " + std::to_string(image.bytes.size()) + " bytes, version word " +
              (hasVersion ? std::to_string(version) : "(missing)") +
              (version == kSettingsVersion ? ""
                                           : " (!) the settings program would replace this "
                                             "file by its defaults") +
              "\n";
    const FieldDesc& unitField = *findField(kCatalogueFields, "lengthUnit");
    line(s, "stored length unit",
         shownText(unitField, valueAt(s, unitField, kCatalogueOffset + unitField.offset), unit,
                   &s.odd),
         "catalogue.lengthUnit", std::to_string(unit));

    for (int page = 0; page < kPageTitleCount; ++page) {
        heading(s, kPageTitles[page]);
        if (page == 0)
            showPageSetup(s);
        showFields(s, kRecordFields, kRecordOffset, "record.", page);
        if (labelsOf(*findField(kRecordFields, "penSlots")).page == page)
            showPens(s);
        if (labelsOf(*findField(kCatalogueFields, "entries")).page == page) {
            showFields(s, kCatalogueFields, kCatalogueOffset, "catalogue.", page);
            showCatalogue(s);
        }
    }
    heading(s, "Not on any page (carried unchanged)");
    showFields(s, kRecordFields, kRecordOffset, "record.", kNoPage);
    showFields(s, kCatalogueFields, kCatalogueOffset, "catalogue.", kNoPage);
    if (s.odd)
        io.out += "\n(!) a value the settings program cannot show as stored; see zembcfg check\n";
}

Json valueJson(const FieldDesc& field, const FieldValue& value) {
    if (!value.present)
        return nullptr;
    if (field.kind == FieldKind::Text)
        return value.utf8;
    return value.number;
}

Json tableJson(const FieldTable& table, const std::vector<unsigned char>& image, uint32_t base,
               int entryCount) {
    Json object = Json::object();
    for (int i = 0; i < table.count; ++i) {
        const FieldDesc& field = table.fields[i];
        if (field.kind != FieldKind::Slots) {
            object[field.name] =
                valueJson(field, readFieldValue(field, image, base + field.offset));
            continue;
        }
        Json slots = Json::array();
        const int count = field.slots == &kPaperEntryFields ? entryCount : field.slotCount;
        for (int k = 0; k < count; ++k)
            slots.push_back(tableJson(
                *field.slots, image,
                base + field.offset + static_cast<uint32_t>(k) * field.slots->size, entryCount));
        object[field.name] = slots;
    }
    return object;
}

void showJson(const SettingsImage& image, Io& io) {
    Json document = Json::object();
    document["file"] = image.path;
    document["size"] = image.bytes.size();
    int64_t version = 0;
    document["version"] = readFieldInt(image.bytes, 0, 2, false, &version) ? Json(version) : Json();
    const int entries = imageEntryCount(image.bytes);
    for (const FileBlock& block : kFileBlocks)
        if (block.fields)
            document[block.name] = tableJson(*block.fields, image.bytes, block.offset, entries);
    StoredPageSetup stored;
    if (readStoredPageSetup(&stored)) {
        const std::vector<unsigned char> values = pageSetupImage(stored.values);
        Json setup = Json::object();
        for (int i = 0; i < kPageSetupFields.count; ++i) {
            const FieldDesc& field = kPageSetupFields.fields[i];
            setup[kPageSetupValueNames[i]] =
                valueJson(field, readFieldValue(field, values, field.offset));
        }
        document["pageSetup"] = setup;
    }
    // Replacement characters rather than an exception for text that is not UTF-8.
    io.out += document.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

} // namespace

void addShowCommand(CLI::App& app, Io& io, int* status) {
    CLI::App* command =
        app.add_subcommand("show", "Every setting, page by page, as the settings program shows it");
    auto options = std::make_shared<ShowOptions>();
    addFileOption(command, &options->file);
    command->add_flag("--json", options->json,
                      "one JSON object keyed by the code's field names instead of text");
    command->callback([&io, status, options] {
        SettingsImage image;
        if (loadSettingsImage(options->file, &image, io) != ReadOutcome::Read) {
            *status = kExitUsage;
            return;
        }
        if (options->json)
            showJson(image, io);
        else
            showText(image, io);
        *status = kExitDone;
    });
}
