#include "zembcfg/diff_document.h"

#include <algorithm>

#include "documents/import_plan.h"
#include "zembcfg/zembcfg.h"

bool documentAsImage(SettingsImage* image, Io& io) {
    // A settings file begins with its version word (0x2E 0x01); a document
    // with a comment or a table, and it holds no NUL byte.
    const std::vector<unsigned char>& bytes = image->bytes;
    const auto first = std::find_if(bytes.begin(), bytes.end(), [](unsigned char c) {
        return c != ' ' && c != '\t' && c != '\r' && c != '\n';
    });
    if (first == bytes.end() || (*first != '#' && *first != '[') ||
        std::find(bytes.begin(), bytes.end(), 0) != bytes.end())
        return true;
    const std::string text(bytes.begin(), bytes.end());
    ImportPlan plan = planImport(text, image->path, nullptr);
    for (const ImportProblem& problem : plan.problems)
        io.err += formatProblem(image->path, problem) + "\n";
    image->bytes = std::move(plan.image);
    return plan.problems.empty();
}
