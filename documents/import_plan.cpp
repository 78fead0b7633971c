#include "documents/import_plan.h"

#include <algorithm>
#include <cstring>

#include "documents/toml_parser.h"

#include "settings/default_image.h"
#include "settings/page_setup.h"
#include "settings/file_layout.h"
#include "documents/document_layout.h"
#include "documents/toml_text.h"
#include "documents/values.h"

namespace {

struct Claim {
    uint32_t begin, end;
    int64_t line;
    std::string key;
};

struct Planner {
    std::vector<unsigned char> image; // at least a whole layout, cut to size at the end
    uint32_t size = kSettingsFileSize;
    std::vector<int32_t> owner; // claim index per byte, -1 when no key sets it
    std::vector<Claim> claims;
    ImportPlan plan;

    void problem(const toml::source_region& where, std::string key, std::string what) {
        plan.problems.push_back({where.begin.line, std::move(key), std::move(what)});
    }

    void claim(uint32_t begin, uint32_t end, const toml::source_region& where,
               const std::string& key) {
        const int32_t index = static_cast<int32_t>(claims.size());
        claims.push_back({begin, end, where.begin.line, key});
        for (uint32_t i = begin; i < end && i < owner.size(); ++i)
            owner[i] = index;
    }

    void zero(uint32_t begin, uint32_t end) {
        std::fill(image.begin() + begin, image.begin() + std::min<size_t>(end, image.size()), 0);
    }

    void setField(const DocField& field, uint32_t shift, const toml::node& node,
                  const std::string& key);
    void setFields(const std::vector<DocField>& fields, uint32_t shift, const toml::table& table,
                   const std::string& prefix);
    // A table's keys are its fields and its array of tables.
    void setTable(const DocTable& table, const toml::table& values);
    void setArray(const DocTable& table, const toml::node& node);
    void setPageSetup(const toml::table& table);
    void setRaw(const toml::table& table);
    void checkBeyondSize();
};

void Planner::setField(const DocField& field, uint32_t shift, const toml::node& node,
                       const std::string& key) {
    const uint32_t offset = field.offset + shift;
    if (isTextField(field)) {
        const auto* text = node.as_string();
        if (text == nullptr) {
            problem(node.source(), key, "must be a string");
            return;
        }
        std::string bytes, why;
        if (!utf8ToFieldText(text->get(), field, &bytes, &why)) {
            problem(node.source(), key, why);
            return;
        }
        // The rest of the field is zero, as the pages leave it.
        zero(offset, offset + field.desc->width);
        std::memcpy(&image[offset], bytes.data(), bytes.size());
        claim(offset, offset + static_cast<uint32_t>(bytes.size()) + 1, node.source(), key);
        return;
    }
    const auto* integer = node.as_integer();
    if (integer == nullptr) {
        problem(node.source(), key, "must be an integer");
        return;
    }
    const std::string refused = refusedInteger(*field.desc, integer->get());
    if (!refused.empty()) {
        problem(node.source(), key, refused);
        return;
    }
    writeDocInteger(&image, field, shift, integer->get());
    claim(offset, offset + field.desc->width, node.source(), key);
}

void Planner::setFields(const std::vector<DocField>& fields, uint32_t shift,
                        const toml::table& table, const std::string& prefix) {
    for (auto&& [name, node] : table) {
        const std::string key = prefix + std::string(name.str());
        if (const DocField* field = findDocField(fields, std::string(name.str())))
            setField(*field, shift, node, key);
        else
            problem(name.source(), key, "unknown key");
    }
}

void Planner::setTable(const DocTable& table, const toml::table& values) {
    const std::string prefix = std::string(table.name) + ".";
    for (auto&& [name, node] : values) {
        const std::string key = prefix + std::string(name.str());
        if (name.str() == table.array.key)
            setArray(table, node);
        else if (const DocField* field = findDocField(table.fields, std::string(name.str())))
            setField(*field, 0, node, key);
        else
            problem(name.source(), key, "unknown key");
    }
}

// The array's key in words: "penSlots" is "pen slots".
std::string keyWords(std::string_view key) {
    std::string words;
    for (char c : key)
        words += c >= 'A' && c <= 'Z' ? std::string(" ") + char(c - 'A' + 'a') : std::string(1, c);
    return words;
}

void Planner::setArray(const DocTable& table, const toml::node& node) {
    const DocArray& array = table.array;
    const std::string key = std::string(table.name) + "." + array.key;
    const auto* slots = node.as_array();
    if (slots == nullptr) {
        problem(node.source(), key, "must be an array of tables");
        return;
    }
    if (slots->size() > size_t(array.slotCount)) {
        problem(node.source(), key,
                std::to_string(slots->size()) + " " + keyWords(array.key) + "; the " + table.name +
                    " holds " + std::to_string(array.slotCount));
        return;
    }
    if (array.counted) {
        // The slots given replace the whole array, free slots included.
        const DocField& counter = array.counter;
        zero(counter.offset, array.end);
        writeDocInteger(&image, counter, 0, static_cast<int64_t>(slots->size()));
        claim(counter.offset, counter.offset + counter.desc->width, node.source(), key);
    }
    for (size_t i = 0; i < slots->size(); ++i) {
        const std::string slotKey = key + "[" + std::to_string(i) + "]";
        if (const auto* slot = (*slots)[i].as_table())
            setFields(array.fields, static_cast<uint32_t>(array.stride * i), *slot, slotKey + ".");
        else
            problem((*slots)[i].source(), slotKey, "must be a table");
    }
}

void Planner::setPageSetup(const toml::table& table) {
    for (auto&& [name, node] : table) {
        const std::string key = "pageSetup." + std::string(name.str());
        const auto* names = std::find(kPageSetupValueNames,
                                      kPageSetupValueNames + kPageSetupValueCount, name.str());
        if (names == kPageSetupValueNames + kPageSetupValueCount) {
            problem(name.source(), key, "unknown key");
            continue;
        }
        const auto* integer = node.as_integer();
        if (integer == nullptr) {
            problem(node.source(), key, "must be an integer");
            continue;
        }
        const int64_t value = integer->get();
        if (value < INT32_MIN || value > INT32_MAX) {
            problem(node.source(), key,
                    std::to_string(value) + " is outside the 32-bit registry value");
            continue;
        }
        plan.pageSetup.push_back({static_cast<int>(names - kPageSetupValueNames),
                                  static_cast<uint32_t>(static_cast<int32_t>(value))});
    }
}

void Planner::setRaw(const toml::table& table) {
    for (auto&& [name, node] : table) {
        const std::string_view digits = name.str();
        const std::string key = "raw." + std::string(digits);
        if (digits.empty() || digits.size() > 9 ||
            !std::all_of(digits.begin(), digits.end(),
                         [](char c) { return c >= '0' && c <= '9'; })) {
            problem(name.source(), key, "a raw key is a file offset in decimal");
            continue;
        }
        const uint32_t offset = static_cast<uint32_t>(std::stoul(std::string(digits)));
        const auto* text = node.as_string();
        std::vector<unsigned char> bytes;
        if (text == nullptr || !parseHexBytes(text->get(), &bytes) || bytes.empty()) {
            problem(node.source(), key, "must be a string of hex byte pairs");
            continue;
        }
        if (size_t{offset} + bytes.size() > size) {
            problem(node.source(), key,
                    "bytes " + std::to_string(offset) + " to " +
                        std::to_string(offset + bytes.size() - 1) + " lie outside the file of " +
                        std::to_string(size) + " bytes");
            continue;
        }
        const uint32_t end = offset + static_cast<uint32_t>(bytes.size());
        const auto taken = std::find_if(owner.begin() + offset, owner.begin() + end,
                                        [](int32_t o) { return o >= 0; });
        if (taken != owner.begin() + end) {
            const Claim& other = claims[static_cast<size_t>(*taken)];
            problem(node.source(), key,
                    "byte " + std::to_string(taken - owner.begin()) + " is also set by " +
                        other.key + " (line " + std::to_string(other.line) + ")");
            continue;
        }
        std::memcpy(&image[offset], bytes.data(), bytes.size());
        claim(offset, end, node.source(), key);
    }
}

// A short file keeps its length: what a key sets beyond it would be lost.
void Planner::checkBeyondSize() {
    for (const Claim& c : claims)
        for (uint32_t i = std::max(c.begin, size); i < c.end && i < image.size(); ++i)
            if (image[i] != 0) {
                plan.problems.push_back({c.line, c.key,
                                         "reaches byte " + std::to_string(i) +
                                             ", beyond the file's size " + std::to_string(size)});
                break;
            }
}

// Beside the tables of the file's blocks.
const char* const kOtherTables[] = {"file", "pageSetup", "raw"};

bool knownTable(std::string_view name) {
    for (const DocTable& table : docTables())
        if (name == table.name)
            return true;
    return std::find(std::begin(kOtherTables), std::end(kOtherTables), name) !=
           std::end(kOtherTables);
}

void readFileTable(Planner* p, const toml::table& file) {
    const toml::node* size = file.get("size");
    const toml::node* version = file.get("version");
    for (auto&& [name, node] : file)
        if (name.str() != "size" && name.str() != "version")
            p->problem(name.source(), "file." + std::string(name.str()), "unknown key");
    if (size == nullptr || version == nullptr) {
        p->problem(file.source(), "file",
                   "needs version and size (without [file] the document is partial)");
    }
    if (size) {
        const auto* integer = size->as_integer();
        if (integer == nullptr || integer->get() < 0 || integer->get() > kMaxDocumentFileSize)
            p->problem(size->source(), "file.size",
                       "must be an integer from 0 to " + std::to_string(kMaxDocumentFileSize));
        else
            p->size = static_cast<uint32_t>(integer->get());
    }
    p->image.assign(std::max<size_t>(p->size, kSettingsFileSize), 0);
    p->owner.assign(p->image.size(), -1);
    if (version)
        p->setField(versionDocField(), 0, *version, "file.version");
}

} // namespace

std::string formatProblem(std::string_view source, const ImportProblem& problem) {
    return std::string(source) + ":" + std::to_string(problem.line) + ": " + problem.key + ": " +
           problem.what;
}

ImportPlan planImport(std::string_view text, std::string_view source,
                      const std::vector<unsigned char>* current) {
    Planner p;
    toml::parse_result parsed = toml::parse(text, source);
    if (!parsed) {
        const toml::parse_error& error = parsed.error();
        p.problem(error.source(), "syntax", std::string(error.description()));
        return std::move(p.plan);
    }
    const toml::table& root = parsed.table();
    for (auto&& [name, node] : root) {
        if (!knownTable(name.str()))
            p.problem(name.source(), std::string(name.str()), "unknown table");
        else if (!node.is_table())
            p.problem(node.source(), std::string(name.str()), "must be a table");
    }
    const toml::table* file = root["file"].as_table();
    p.plan.complete = file != nullptr;
    if (file) {
        readFileTable(&p, *file);
    } else {
        // What a partial document does not name keeps its value.
        p.image = current ? *current : defaultSettingsImage();
        p.size = static_cast<uint32_t>(std::max<size_t>(p.image.size(), kSettingsFileSize));
        p.image.resize(p.size, 0);
        p.owner.assign(p.image.size(), -1);
    }
    for (const DocTable& table : docTables())
        if (const toml::table* values = root[table.name].as_table())
            p.setTable(table, *values);
    if (const toml::table* pageSetup = root["pageSetup"].as_table())
        p.setPageSetup(*pageSetup);
    // Raw bytes last: they may only fill what no key sets.
    if (const toml::table* raw = root["raw"].as_table())
        p.setRaw(*raw);
    p.checkBeyondSize();
    std::stable_sort(
        p.plan.problems.begin(), p.plan.problems.end(),
        [](const ImportProblem& a, const ImportProblem& b) { return a.line < b.line; });
    std::sort(p.plan.pageSetup.begin(), p.plan.pageSetup.end());
    if (p.plan.problems.empty()) {
        p.image.resize(p.size);
        p.plan.image = std::move(p.image);
    } else {
        p.plan.pageSetup.clear();
    }
    return std::move(p.plan);
}
