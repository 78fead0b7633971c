#include "zembcfg/document_notes.h"

#include "settings/page_setup.h"
#include "settings/record_fields.h"

std::string pageTitle(int page) {
    return page >= 0 && page < kPageCount ? kPageTitles[page] : "どのページにもない値";
}

static std::string tickNote(const char* label, bool ticked) {
    return withoutMnemonic(label ? label : "") + (ticked ? " オン" : " オフ");
}

std::string valueNote(const FieldDesc& desc, int64_t value) {
    switch (desc.kind) {
    case FieldKind::List: {
        const int position = listPositionOf(*desc.list, value);
        return position < 0 ? "どの項目にもない値" : withoutMnemonic(desc.list->texts[position]);
    }
    case FieldKind::Flag:
        return value == 0 || value == 1 ? tickNote(desc.label, value == 1) : "";
    case FieldKind::InvertedFlag:
        return value == 0 || value == 1 ? tickNote(desc.label, value == 0) : "";
    case FieldKind::Length:
        return "mm";
    case FieldKind::PdOptimize: {
        if (value <= 0)
            return "未設定 (the page shows 角度 30, 頂点数 512)";
        std::string note;
        for (int i = 0; i < desc.partCount; ++i) {
            const FieldPart& part = desc.parts[i];
            const uint32_t v = part.valueOf(static_cast<int32_t>(value));
            note += (i ? ", " : "") + (part.kind == FieldKind::Flag
                                           ? tickNote(part.label, v != 0)
                                           : withoutMnemonic(part.label) + std::to_string(v));
        }
        return note;
    }
    case FieldKind::PaperSize:
        return value == kCustomPaperSize
                   ? kCustomSizeText
                   : "用紙設定の " + std::to_string(value - kFirstCatalogueSize) + " 番";
    default:
        return "";
    }
}
