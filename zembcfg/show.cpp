#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <string_view>

#include "settings/stored_values.h"
#include "storage/settings_file.h"
#include "documents/field_walk.h"
#include "documents/values.h"
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

FieldValue valueAt(const Shown& s, const FieldRef& ref) {
    return readFieldValue(*ref.desc, s.image.bytes, ref.fileOffset);
}

// The slots of the array at refs[at], each as its fields.
std::vector<std::vector<const FieldRef*>> slotsOf(const std::vector<FieldRef>& refs, size_t at) {
    std::vector<std::vector<const FieldRef*>> slots;
    for (size_t i = at + 1; i < refs.size() && refs[i].inArray(); ++i) {
        if (refs[i].slot >= static_cast<int>(slots.size()))
            slots.emplace_back();
        slots.back().push_back(&refs[i]);
    }
    return slots;
}

// Fields of a slot that share their label with a neighbour are one column
// of the page's table (the colour's components and flag).
bool sharesColumn(const FieldTable& table, int i) {
    auto same = [&table](int a, int b) {
        const char* x = labelsOf(table.fields[a]).label;
        const char* y = labelsOf(table.fields[b]).label;
        return x && y && std::string_view(x) == y;
    };
    return (i > 0 && same(i - 1, i)) || (i + 1 < table.count && same(i, i + 1));
}

// An array every slot of which is used, as rows numbered from 1: each
// column as its page shows it, the colour by name.
void showFixedArray(Shown& s, const FieldDesc& array,
                    const std::vector<std::vector<const FieldRef*>>& slots) {
    const FieldTable& table = *array.slots;
    std::string head = "  Pen  ";
    for (int f = 0; f < table.count; ++f)
        if (f == 0 || !sharesColumn(table, f) || !sharesColumn(table, f - 1))
            head += (f ? " / " : "") + withoutMnemonic(labelsOf(table.fields[f]).label);
    s.out += head + "\n";
    for (size_t i = 0; i < slots.size(); ++i) {
        std::string row = "  " + std::to_string(i + 1) + (i < 9 ? "    " : "   ");
        int16_t colour[4] = {};
        int components = 0;
        bool present = true;
        for (int f = 0; f < table.count && f < static_cast<int>(slots[i].size()); ++f) {
            const FieldValue value = valueAt(s, *slots[i][f]);
            present = present && value.present;
            if (!sharesColumn(table, f))
                row += shownText(table.fields[f], value, s.unit, &s.odd) + " / ";
            else if (components < 4)
                colour[components++] = static_cast<int16_t>(value.number);
        }
        if (!present) {
            s.out += row + "(beyond the end of the file)\n";
            s.odd = true;
            continue;
        }
        PenSlot pen = {};
        pen.red = colour[0], pen.green = colour[1], pen.blue = colour[2], pen.colorSet = colour[3];
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

// A counted array as its count, then one row per slot in use, numbered
// from 0: lengths side by side in mm.
void showCountedArray(Shown& s, const FieldRef& array, const std::string& counterPath,
                      const std::vector<std::vector<const FieldRef*>>& slots) {
    const FieldTable& table = *array.desc->slots;
    int64_t count = 0;
    const bool present = readFieldInt(s.image.bytes, array.counterOffset, array.counter->width,
                                      array.counter->isSigned, &count);
    const int used = static_cast<int>(slots.size());
    const bool odd = !present || used != count;
    s.odd = s.odd || odd;
    s.out += std::string("  ") + std::to_string(used) + " paper sizes" + (odd ? " (!)" : "") +
             "  [" + counterPath + " " + (present ? std::to_string(count) : "(beyond the end)") +
             "]\n";
    auto after = [&table](int f, bool row) -> std::string {
        const bool length = table.fields[f].kind == FieldKind::Length;
        if (length && table.fields[f + 1].kind == FieldKind::Length)
            return " × ";
        return length && row ? " mm  " : "  ";
    };
    std::string head = "  No  ";
    for (int f = 0; f < table.count; ++f)
        head += withoutMnemonic(labelsOf(table.fields[f]).label) +
                (f + 1 < table.count ? after(f, false) : "");
    s.out += head + "\n";
    for (size_t i = 0; i < slots.size(); ++i) {
        std::string row = "  " + std::to_string(i) + (i < 10 ? "   " : "  ");
        for (int f = 0; f < table.count && f < static_cast<int>(slots[i].size()); ++f) {
            const FieldDesc& field = table.fields[f];
            const FieldValue value = valueAt(s, *slots[i][f]);
            if (field.kind == FieldKind::Length)
                row += value.present ? std::to_string(value.number) : "?";
            else
                row += shownText(field, value, s.unit, &s.odd);
            if (f + 1 < table.count)
                row += after(f, true);
        }
        s.out += row + "\n";
    }
}

// The fields of one block that a page shows, then its arrays as tables;
// a counter is shown with the array it counts.
void showPage(Shown& s, const std::vector<FieldRef>& refs, int page) {
    for (const FieldRef& ref : refs)
        if (!ref.inArray() && !ref.isArray() && !ref.counts && labelsOf(*ref.desc).page == page) {
            const FieldValue value = valueAt(s, ref);
            line(s, fieldLabel(*ref.desc, ref.desc->name),
                 shownText(*ref.desc, value, s.unit, &s.odd), ref.path,
                 storedText(*ref.desc, value));
        }
    for (size_t i = 0; i < refs.size(); ++i) {
        if (!refs[i].isArray() || refs[i].inArray() || labelsOf(*refs[i].desc).page != page)
            continue;
        if (!refs[i].counter) {
            showFixedArray(s, *refs[i].desc, slotsOf(refs, i));
            continue;
        }
        for (const FieldRef& counter : refs)
            if (counter.desc == refs[i].counter)
                showCountedArray(s, refs[i], counter.path, slotsOf(refs, i));
    }
}

// The name of the catalogue entry a page-setup size code names.
std::string paperSizeText(const SettingsImage& image, int64_t size, bool* odd) {
    const int slot = catalogueSlotOfSize(static_cast<int32_t>(size));
    if (slot < 0)
        return kCustomSizeText;
    for (const FieldRef& ref : walkFile(inUseIn(image.bytes)))
        if (ref.counter && ref.slot == slot && ref.desc->kind == FieldKind::Text)
            return "\"" + readFieldValue(*ref.desc, image.bytes, ref.fileOffset).utf8 + "\"";
    *odd = true;
    return "(no catalogue entry " + std::to_string(slot) + ") (!)";
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

// Each block the tables describe, walked over the slots in use.
std::vector<std::vector<FieldRef>> blocksOf(const SettingsImage& image) {
    std::vector<std::vector<FieldRef>> blocks;
    for (const FileBlock& block : kFileBlocks)
        if (block.fields)
            blocks.push_back(walkTable(*block.fields, block.offset, std::string(block.name) + ".",
                                       inUseIn(image.bytes)));
    return blocks;
}

void showText(const SettingsImage& image, Io& io) {
    const std::vector<std::vector<FieldRef>> blocks = blocksOf(image);
    // Lengths are shown in the stored unit, the value of the field holding one.
    const FieldRef* unitRef = nullptr;
    for (const std::vector<FieldRef>& refs : blocks)
        for (const FieldRef& ref : refs)
            if (!ref.inArray() && ref.desc->list == &kLengthUnitList)
                unitRef = &ref;
    int64_t unit = -1;
    if (unitRef && !readFieldInt(image.bytes, unitRef->fileOffset, unitRef->desc->width,
                                 unitRef->desc->isSigned, &unit))
        unit = -1;
    Shown s{image, static_cast<int>(unit), io.out};
    const FieldValue version = readFieldValue(kVersionField, image.bytes, kVersionField.offset);
    io.out += "Settings file: " + image.path + "\n";
    io.out += "  " + std::to_string(image.bytes.size()) + " bytes, version word " +
              (version.present ? std::to_string(version.number) : "(missing)") +
              (version.number == kSettingsVersion ? ""
                                                  : " (!) the settings program would replace "
                                                    "this file by its defaults") +
              "\n";
    if (unitRef)
        line(s, "stored length unit",
             shownText(*unitRef->desc, valueAt(s, *unitRef), s.unit, &s.odd), unitRef->path,
             std::to_string(s.unit));

    for (int page = 0; page < kPageTitleCount; ++page) {
        heading(s, kPageTitles[page]);
        if (page == 0)
            showPageSetup(s);
        for (const std::vector<FieldRef>& refs : blocks)
            showPage(s, refs, page);
    }
    heading(s, "Not on any page (carried unchanged)");
    for (const std::vector<FieldRef>& refs : blocks)
        showPage(s, refs, kNoPage);
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

// "record.penSlots[3].red" as "/record/penSlots/3/red".
Json::json_pointer pointerOf(const std::string& path) {
    std::string pointer = "/";
    for (char c : path)
        if (c == '.' || c == '[')
            pointer += pointer.back() == '/' ? "" : "/";
        else if (c != ']')
            pointer += c;
    return Json::json_pointer(pointer);
}

void showJson(const SettingsImage& image, Io& io) {
    Json document = Json::object();
    document["file"] = image.path;
    document["size"] = image.bytes.size();
    for (const FieldRef& ref : walkFile(inUseIn(image.bytes)))
        document[pointerOf(ref.path)] =
            ref.isArray()
                ? Json::array()
                : valueJson(*ref.desc, readFieldValue(*ref.desc, image.bytes, ref.fileOffset));
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
