#include <CLI/CLI.hpp>

#include "storage/settings_file.h"
#include "documents/field_walk.h"
#include "documents/values.h"
#include "zembcfg/zembcfg.h"

namespace {

struct Findings {
    std::string out;
    int problems = 0;

    void problem(uint32_t offset, const std::string& what, const std::string& text) {
        out += "offset " + std::to_string(offset) + " " + what + ": " + text + "\n";
        ++problems;
    }
    void note(uint32_t offset, const std::string& what, const std::string& text) {
        out += "note: offset " + std::to_string(offset) + " " + what + ": " + text + "\n";
    }
};

void checkLength(const std::vector<unsigned char>& bytes, Findings& f) {
    const size_t size = bytes.size();
    if (size < kSettingsFileSize) {
        f.problem(static_cast<uint32_t>(size), "file",
                  std::to_string(size) + " bytes, shorter than " +
                      std::to_string(kSettingsFileSize));
        for (const FileBlock& block : kFileBlocks) {
            if (block.offset + block.size <= size)
                continue;
            const size_t held = size > block.offset ? size - block.offset : 0;
            f.problem(block.offset, block.name,
                      held ? "incomplete, " + std::to_string(held) + " of " +
                                 std::to_string(block.size) + " bytes"
                           : "missing");
        }
    } else if (size > kSettingsFileSize) {
        f.note(kSettingsFileSize, "file",
               std::to_string(size - kSettingsFileSize) +
                   " bytes beyond offset 17921 (not part of the layout; carried unchanged)");
    }
}

void checkFields(const std::vector<unsigned char>& bytes, Findings& f) {
    for (const FieldRef& ref : walkFile(inUseIn(bytes))) {
        const FieldDesc& field = *ref.desc;
        if (ref.isArray())
            continue;
        const FieldValue value = readFieldValue(field, bytes, ref.fileOffset);
        if (!value.present)
            continue;
        const std::string damage = fieldDamage(field, value);
        if (!damage.empty())
            f.problem(ref.fileOffset, ref.path, damage);
        else if (field.kind == FieldKind::Text && !value.validText)
            f.note(ref.fileOffset, ref.path, "not valid code-page-932 text");
        else if (field.kind == FieldKind::PdOptimize && value.number <= 0)
            f.note(ref.fileOffset, ref.path,
                   std::to_string(value.number) +
                       " is unset: the settings program shows it as not enabled, angle 30 and "
                       "512 vertices, and stores that after OK");
    }
}

} // namespace

void addCheckCommand(CLI::App& app, Io& io, int* status) {
    CLI::App* command =
        app.add_subcommand("check", "Tells whether the settings file is sound, one line per "
                                    "problem with its file offset; exit 1 on damage");
    auto file = std::make_shared<std::string>();
    addFileOption(command, file.get());
    command->callback([&io, status, file] {
        SettingsImage image;
        const ReadOutcome read = loadSettingsImage(*file, &image, io);
        Findings findings;
        if (read == ReadOutcome::Missing) {
            findings.problem(0, "file", "missing: " + image.path);
        } else if (read != ReadOutcome::Read) {
            *status = kExitUsage;
            return;
        } else {
            checkLength(image.bytes, findings);
            checkFields(image.bytes, findings);
        }
        io.out += findings.out;
        io.out += image.path + ": " +
                  (findings.problems ? std::to_string(findings.problems) + " problem" +
                                           (findings.problems > 1 ? "s" : "")
                                     : std::string("sound")) +
                  "\n";
        *status = findings.problems ? kExitFound : kExitDone;
    });
}
