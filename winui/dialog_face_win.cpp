#include "winui/dialog_face_win.h"

#include <string>
#include <vector>

#include "winui/dialog_face_logic.h"

namespace {

// In order of preference: the templates' own face under its English name,
// then the Japanese UI faces of Windows (MS UI Gothic is MS P Gothic with UI
// metrics; Meiryo UI and Yu Gothic UI come with Windows 7 and 8.1 on), then
// the proportional IPA face that Linux systems running Wine carry.
const char16_t* const kFacesInstead[] = {u"MS PGothic", u"MS UI Gothic", u"Meiryo UI",
                                         u"Yu Gothic UI", u"IPAPGothic"};

int CALLBACK noteFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0; // one is enough
}

bool faceInstalled(const std::u16string& face) {
    LOGFONTW wanted = {};
    if (face.empty() || face.size() >= LF_FACESIZE)
        return false;
    wanted.lfCharSet = DEFAULT_CHARSET;
    face.copy(reinterpret_cast<char16_t*>(wanted.lfFaceName), face.size());
    bool found = false;
    if (HDC screen = GetDC(nullptr)) {
        EnumFontFamiliesExW(screen, &wanted, noteFound, reinterpret_cast<LPARAM>(&found), 0);
        ReleaseDC(nullptr, screen);
    }
    return found;
}

// The face dialogs naming `face` are laid out in: itself when installed,
// else the first installed of kFacesInstead, else itself after all.
const std::u16string& faceToShow(const std::u16string& face) {
    struct Choice {
        std::u16string named, shown;
    };
    static std::vector<Choice> choices;
    choices.reserve(4);
    for (const Choice& choice : choices)
        if (choice.named == face)
            return choice.shown;
    std::u16string shown = face;
    if (!faceInstalled(face)) {
        const std::vector<std::u16string> candidates(std::begin(kFacesInstead),
                                                     std::end(kFacesInstead));
        const std::u16string instead = firstInstalledFace(candidates, faceInstalled);
        if (!instead.empty())
            shown = instead;
    }
    choices.push_back({face, shown});
    return choices.back().shown;
}

struct ShownTemplate {
    HINSTANCE module;
    int id;
    const void* resource;
    std::vector<unsigned char> copy; // empty when the resource is shown as it is
    int pointSize;
};

// The dialog template resource `id` and its size; null when there is none.
const unsigned char* templateResource(HINSTANCE module, int id, size_t* size) {
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(5)); // RT_DIALOG
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    *size = found ? SizeofResource(module, found) : 0;
    return loaded ? static_cast<const unsigned char*>(LockResource(loaded)) : nullptr;
}

const ShownTemplate* shownTemplate(HINSTANCE module, int id) {
    static std::vector<ShownTemplate> shown;
    shown.reserve(8);
    for (const ShownTemplate& known : shown)
        if (known.module == module && known.id == id)
            return &known;
    size_t size = 0;
    const unsigned char* bytes = templateResource(module, id, &size);
    if (!bytes)
        return nullptr;
    ShownTemplate entry = {module, id, bytes, {}, 0};
    TemplateFont font = {};
    if (dialogTemplateFont(bytes, size, &font)) {
        entry.pointSize = font.pointSize;
        const std::u16string& face = faceToShow(font.face);
        if (face != font.face)
            entry.copy = withDialogFace(bytes, size, face);
    }
    shown.push_back(std::move(entry));
    return &shown.back();
}

} // namespace

// Short of memory, the resource itself: no exception may leave the window
// procedures these run in.
const DLGTEMPLATE* dialogTemplateToShow(HINSTANCE module, int id) {
    try {
        if (const ShownTemplate* shown = shownTemplate(module, id))
            return static_cast<const DLGTEMPLATE*>(shown->copy.empty() ? shown->resource
                                                                       : shown->copy.data());
    } catch (...) {
    }
    size_t size = 0;
    return reinterpret_cast<const DLGTEMPLATE*>(templateResource(module, id, &size));
}

int dialogTemplatePointSize(HINSTANCE module, int id) {
    try {
        const ShownTemplate* shown = shownTemplate(module, id);
        return shown ? shown->pointSize : 0;
    } catch (...) {
        return 0;
    }
}

HWND createDialogInInstalledFace(HINSTANCE module, int id, HWND parent, DLGPROC proc) {
    const DLGTEMPLATE* shown = dialogTemplateToShow(module, id);
    return shown ? CreateDialogIndirectParamW(module, shown, parent, proc, 0) : nullptr;
}

INT_PTR dialogBoxInInstalledFace(HINSTANCE module, int id, HWND owner, DLGPROC proc) {
    const DLGTEMPLATE* shown = dialogTemplateToShow(module, id);
    return shown ? DialogBoxIndirectParamW(module, shown, owner, proc, 0) : -1;
}
