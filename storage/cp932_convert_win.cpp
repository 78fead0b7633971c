// Code page 932 through Windows itself, named explicitly: CP_ACP would follow
// the system's "language for non-Unicode programs".
#include <windows.h>

#include "storage/cp932_convert.h"

static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 wchar_t");

namespace {
constexpr UINT kCodePage932 = 932;
}

bool cp932ToUtf16(std::string_view bytes, std::u16string* out) {
    if (out == nullptr)
        return false;
    out->clear();
    if (bytes.empty())
        return true;
    const int inLength = static_cast<int>(bytes.size());
    int needed =
        MultiByteToWideChar(kCodePage932, MB_ERR_INVALID_CHARS, bytes.data(), inLength, nullptr, 0);
    const bool exact = needed > 0;
    const DWORD flags = exact ? MB_ERR_INVALID_CHARS : 0;
    if (!exact)
        needed = MultiByteToWideChar(kCodePage932, 0, bytes.data(), inLength, nullptr, 0);
    if (needed <= 0)
        return false;
    out->resize(static_cast<size_t>(needed));
    MultiByteToWideChar(kCodePage932, flags, bytes.data(), inLength,
                        reinterpret_cast<wchar_t*>(out->data()), needed);
    return exact;
}

bool utf16ToCp932(std::u16string_view text, std::string* out) {
    if (out == nullptr)
        return false;
    out->clear();
    if (text.empty())
        return true;
    const wchar_t* in = reinterpret_cast<const wchar_t*>(text.data());
    const int inLength = static_cast<int>(text.size());
    const int needed = WideCharToMultiByte(kCodePage932, WC_NO_BEST_FIT_CHARS, in, inLength,
                                           nullptr, 0, nullptr, nullptr);
    if (needed <= 0)
        return false;
    out->resize(static_cast<size_t>(needed));
    BOOL usedDefault = FALSE;
    WideCharToMultiByte(kCodePage932, WC_NO_BEST_FIT_CHARS, in, inLength, out->data(), needed,
                        nullptr, &usedDefault);
    return !usedDefault;
}
