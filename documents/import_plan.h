// An export document (or a partial one) checked whole and turned into the
// bytes of a settings file. Nothing here writes anything.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct ImportProblem {
    int64_t line;
    std::string key;
    std::string what;
};

struct ImportPlan {
    bool complete = false;            // the document has [file]: it alone makes the file
    std::vector<unsigned char> image; // the new file; empty on any problem
    std::vector<std::pair<int, uint32_t>> pageSetup; // value index and word, as given
    std::vector<ImportProblem> problems;
};

// current is the settings file as it stands, or null when there is none (a
// partial document then applies to the defaults).
ImportPlan planImport(std::string_view text, std::string_view source,
                      const std::vector<unsigned char>* current);

// "IN:LINE: key: what is wrong"
std::string formatProblem(std::string_view source, const ImportProblem& problem);
