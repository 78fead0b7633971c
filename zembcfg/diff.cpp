#include <CLI/CLI.hpp>

#include <algorithm>

#include "zembcfg/diff_document.h"
#include "documents/field_walk.h"
#include "documents/values.h"
#include "zembcfg/zembcfg.h"

namespace {

struct DiffOptions {
    std::string first;
    std::string second;
};

std::string sideText(const FieldRef& ref, const std::vector<unsigned char>& image) {
    if (ref.counter && ref.slot >= slotsInUse(image, *ref.counter, ref.counterOffset))
        return "(free slot)";
    return storedText(*ref.desc, readFieldValue(*ref.desc, image, ref.fileOffset));
}

const FileBlock* blockAt(uint32_t offset) {
    for (const FileBlock& block : kFileBlocks)
        if (offset >= block.offset && offset < block.offset + block.size)
            return &block;
    return nullptr;
}

std::string rangeLine(size_t first, size_t last) {
    const FileBlock* block = blockAt(static_cast<uint32_t>(first));
    return "bytes " + std::to_string(first) + ".." + std::to_string(last) + " (" +
           (block ? block->name : "beyond offset 17921") + "): differ\n";
}

} // namespace

std::string compareImages(const std::vector<unsigned char>& a,
                          const std::vector<unsigned char>& b) {
    std::string out;
    const size_t common = std::min(a.size(), b.size());
    // Bytes whose difference a field line already explains.
    std::vector<bool> explained(std::max(a.size(), b.size()), false);
    const SlotsToWalk either = [&a, &b](const FieldDesc& counter, uint32_t offset) {
        return std::max(slotsInUse(a, counter, offset), slotsInUse(b, counter, offset));
    };
    for (const FieldRef& ref : walkFile(either)) {
        if (ref.isArray())
            continue;
        const std::string before = sideText(ref, a);
        const std::string after = sideText(ref, b);
        if (before == after)
            continue;
        out += ref.path + ": " + before + " → " + after + "\n";
        for (uint32_t i = 0; i < ref.desc->width && ref.fileOffset + i < explained.size(); ++i)
            explained[ref.fileOffset + i] = true;
    }
    if (a.size() != b.size())
        out += "size: " + std::to_string(a.size()) + " → " + std::to_string(b.size()) + " bytes\n";
    std::string tail;
    if (a.size() != b.size()) {
        const size_t last = std::max(a.size(), b.size()) - 1;
        tail =
            "bytes " + std::to_string(common) + ".." + std::to_string(last) + " (" +
            (blockAt(static_cast<uint32_t>(common)) ? blockAt(static_cast<uint32_t>(common))->name
                                                    : "beyond offset 17921") +
            "): only in " + (a.size() > b.size() ? "A" : "B") + "\n";
    }
    // Ranges end at block boundaries so that each names one region.
    size_t start = 0;
    bool open = false;
    for (size_t i = 0; i <= common; ++i) {
        const bool differs = i < common && a[i] != b[i] && !explained[i];
        if (open && (!differs ||
                     blockAt(static_cast<uint32_t>(i)) != blockAt(static_cast<uint32_t>(start)))) {
            out += rangeLine(start, i - 1);
            open = false;
        }
        if (differs && !open) {
            start = i;
            open = true;
        }
    }
    return out + tail;
}

void addDiffCommand(CLI::App& app, Io& io, int* status) {
    CLI::App* command = app.add_subcommand(
        "diff", "Compares two settings files field by field; exit 1 when they differ");
    auto options = std::make_shared<DiffOptions>();
    command->add_option("A", options->first, "the first settings file")
        ->required()
        ->type_name("PATH");
    command->add_option("B", options->second, "the second settings file")
        ->required()
        ->type_name("PATH");
    command->callback([&io, status, options] {
        SettingsImage a, b;
        if (loadSettingsImage(options->first, &a, io) != ReadOutcome::Read ||
            loadSettingsImage(options->second, &b, io) != ReadOutcome::Read ||
            !documentAsImage(&a, io) || !documentAsImage(&b, io)) {
            *status = kExitUsage;
            return;
        }
        if (a.bytes == b.bytes) {
            *status = kExitDone;
            return;
        }
        io.out += "--- " + a.path + "\n+++ " + b.path + "\n" + compareImages(a.bytes, b.bytes);
        *status = kExitFound;
    });
}
