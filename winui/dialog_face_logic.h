// The font a dialog template names, read and replaced in the template's
// bytes, so that a dialog can be laid out in another face than the one its
// template asks for when that one is not installed. Both template kinds
// (DIALOG and DIALOGEX) with a font of their own (DS_SETFONT).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

struct TemplateFont {
    int pointSize;
    std::u16string face;
};

// False for bytes that are no template with a font of its own.
bool dialogTemplateFont(const unsigned char* bytes, size_t size, TemplateFont* font);

// A copy of the template naming `face` instead; its controls unchanged.
// Empty for bytes that are no template with a font of its own.
std::vector<unsigned char> withDialogFace(const unsigned char* bytes, size_t size,
                                          const std::u16string& face);

// The first face of `candidates` that `installed` says is there, or an empty
// face when none is.
template <typename Installed>
std::u16string firstInstalledFace(const std::vector<std::u16string>& candidates,
                                  Installed installed) {
    for (const std::u16string& face : candidates)
        if (installed(face))
            return face;
    return std::u16string();
}
