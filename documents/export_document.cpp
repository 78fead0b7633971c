#include "documents/export_document.h"

#include <algorithm>

#include "settings/catalogue.h"
#include "settings/record.h"
#include "settings/file_layout.h"
#include "documents/document_layout.h"
#include "documents/document_notes.h"
#include "documents/field_labels.h"
#include "documents/toml_text.h"
#include "documents/values.h"

namespace {

constexpr uint32_t kRawChunk = 32;

struct RawItem {
    uint32_t offset;
    uint32_t size;
    std::string note; // why a value stands here instead of under its key
};

// What the document has said so far, byte by byte; what it has not said and
// is not zero goes to [raw].
struct ExportState {
    std::vector<unsigned char> image; // the file, zero-padded to a whole layout
    uint32_t fileSize;
    std::vector<bool> expressed;
    std::vector<RawItem> damaged;
    std::string out;
};

void express(ExportState* state, uint32_t offset, uint32_t size) {
    for (uint32_t i = 0; i < size && size_t{offset} + i < state->expressed.size(); ++i)
        state->expressed[offset + i] = true;
}

// A value the import would refuse goes to [raw] whole, zero bytes too, so
// that a damaged file comes back as it was.
void keepAsRaw(ExportState* state, uint32_t offset, uint32_t size, std::string note) {
    const uint32_t end = std::min(offset + size, state->fileSize);
    if (end > offset)
        state->damaged.push_back({offset, end - offset, std::move(note)});
    express(state, offset, size);
}

void writeInteger(ExportState* state, const DocField& field, uint32_t shift) {
    const int64_t value = readDocInteger(state->image, field, shift);
    state->out += std::string(field.key) + " = " + std::to_string(value);
    const std::string note = valueNote(*field.desc, value);
    if (!note.empty())
        state->out += "  # " + note;
    state->out += '\n';
    express(state, field.offset + shift, field.desc->width);
}

void writeText(ExportState* state, const DocField& field, uint32_t shift, const char* where) {
    std::string utf8, why;
    size_t length = 0;
    if (!fieldTextToUtf8(state->image, field, shift, &utf8, &length, &why)) {
        keepAsRaw(state, field.offset + shift, field.desc->width, std::string(where) + ": " + why);
        return;
    }
    state->out += std::string(field.key) + " = " + tomlString(utf8) + '\n';
    express(state, field.offset + shift, static_cast<uint32_t>(length) + 1);
}

void writeField(ExportState* state, const DocField& field, uint32_t shift, const char* where) {
    if (isTextField(field))
        writeText(state, field, shift, where);
    else
        writeInteger(state, field, shift);
}

void writeFileTable(ExportState* state) {
    state->out += "# A document with this table is complete: importing it rebuilds the whole\n"
                  "# file. Without it the import changes only the values the document names.\n"
                  "[file]\n";
    writeInteger(state, versionDocField(), 0);
    state->out += "size = " + std::to_string(state->fileSize) + "\n\n";
}

void writeKey(ExportState* state, const DocTable& table, const DocField& field) {
    const std::string where = std::string(table.name) + "." + field.key;
    const std::string refused =
        isTextField(field) ? ""
                           : refusedInteger(*field.desc, readDocInteger(state->image, field, 0));
    if (!refused.empty())
        keepAsRaw(state, field.offset, field.desc->width, where + ": " + refused);
    else
        writeField(state, field, 0, where.c_str());
}

// Every slot, numbered from 1, under the page that shows the array.
void writeFixedArray(ExportState* state, const DocTable& table) {
    const DocArray& array = table.array;
    state->out += "\n# " + pageTitle(labelsOf(*array.fields.front().desc).page) + '\n';
    for (uint32_t slot = 0; slot < uint32_t(array.slotCount); ++slot) {
        state->out += "[[" + std::string(table.name) + "." + array.key + "]]  # " +
                      std::to_string(slot + 1) + '\n';
        for (const DocField& field : array.fields)
            writeField(state, field, array.stride * slot, field.key);
    }
}

// The slots in use, numbered from 0; their number is the counter's value.
void writeCountedArray(ExportState* state, const DocTable& table) {
    const DocArray& array = table.array;
    const DocField& counter = array.counter;
    const int64_t used = readDocInteger(state->image, counter, 0);
    const std::string refused = refusedInteger(*counter.desc, used);
    const std::string key = std::string(table.name) + "." + array.key;
    express(state, counter.offset, counter.desc->width);
    if (!refused.empty()) {
        keepAsRaw(state, counter.offset, counter.desc->width, table.name + (" " + refused));
    } else if (used == 0) {
        state->out += std::string(array.key) + " = []\n";
    } else {
        for (uint32_t i = 0; i < used; ++i) {
            state->out += "[[" + key + "]]  # " + std::to_string(i) + '\n';
            const std::string slot = key + "[" + std::to_string(i) + "].";
            for (const DocField& field : array.fields)
                writeField(state, field, array.stride * i, (slot + field.key).c_str());
        }
    }
}

// A table with a counted array belongs to the array's page and keeps its
// keys in file order; another is grouped by page in tab order, the keys no
// page shows last.
void writeTable(ExportState* state, const DocTable& table) {
    if (table.array.counted)
        state->out += "# " + pageTitle(labelsOf(*table.array.counter.desc).page) + '\n';
    state->out += "[" + std::string(table.name) + "]\n";
    for (int page = 0; page <= kPageTitleCount; ++page) {
        const int wanted = page < kPageTitleCount ? page : kNoPage;
        bool first = true;
        for (const DocField& field : table.fields) {
            if (!table.array.counted && labelsOf(*field.desc).page != wanted)
                continue;
            if (first && !table.array.counted)
                state->out += "# " + pageTitle(wanted) + '\n';
            first = false;
            writeKey(state, table, field);
        }
        if (table.array.counted)
            break;
    }
    if (table.array.counted)
        writeCountedArray(state, table);
    else
        writeFixedArray(state, table);
    state->out += '\n';
}

void writePageSetup(ExportState* state, const StoredPageSetup& setup) {
    state->out += "# " + pageTitle(labelsOf(kPageSetupFields.fields[0]).page) + "\n[pageSetup]\n";
    if (!setup.keyFound)
        state->out += "# (the registry holds no page-setup values)\n";
    for (int i = 0; i < kPageSetupValueCount; ++i) {
        if (!setup.stored[i])
            continue;
        const std::string name = kPageSetupValueNames[i];
        const bool bare = name.find('.') == std::string::npos;
        const int32_t value = static_cast<int32_t>(pageSetupValue(setup.values, i));
        state->out += (bare ? name : tomlString(name)) + " = " + std::to_string(value);
        const std::string note = valueNote(kPageSetupFields.fields[i], value);
        if (!note.empty())
            state->out += "  # " + note;
        state->out += '\n';
    }
    state->out += '\n';
}

void writeRawLine(ExportState* state, uint32_t offset, uint32_t size, const std::string& note) {
    state->out += std::to_string(offset) + " = \"" + hexBytes(&state->image[offset], size) + '"';
    if (!note.empty())
        state->out += "  # " + note;
    state->out += '\n';
}

void writeRaw(ExportState* state) {
    state->out += "# Bytes that no value above expresses and that are not zero, by file offset.\n"
                  "[raw]\n";
    std::vector<RawItem> items = state->damaged;
    for (uint32_t i = 0; i < state->fileSize;) {
        if (state->expressed[i] || state->image[i] == 0) {
            ++i;
            continue;
        }
        uint32_t end = i;
        while (end < state->fileSize && !state->expressed[end] && state->image[end] != 0)
            ++end;
        items.push_back({i, end - i, ""});
        i = end;
    }
    std::sort(items.begin(), items.end(),
              [](const RawItem& a, const RawItem& b) { return a.offset < b.offset; });
    for (const RawItem& item : items)
        for (uint32_t done = 0; done < item.size; done += kRawChunk)
            writeRawLine(state, item.offset + done, std::min(kRawChunk, item.size - done),
                         done == 0 ? item.note : "");
}

} // namespace

std::string exportDocument(const std::vector<unsigned char>& image,
                           const StoredPageSetup* pageSetup) {
    ExportState state;
    state.fileSize = static_cast<uint32_t>(image.size());
    state.image = image;
    state.image.resize(std::max<size_t>(image.size(), kSettingsFileSize), 0);
    state.expressed.assign(state.image.size(), false);
    state.out = "# KELDORIX.INI: every setting, as zembcfg export writes it (UTF-8).\n\n";
    writeFileTable(&state);
    for (const DocTable& table : docTables())
        writeTable(&state, table);
    if (pageSetup)
        writePageSetup(&state, *pageSetup);
    writeRaw(&state);
    return state.out;
}
