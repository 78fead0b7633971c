#include "documents/document_notes.h"

#include "settings/page_setup.h"
#include "settings/record_fields.h"
#include "documents/field_labels.h"
#include "units/units.h"
#include "documents/values.h"

std::string pageTitle(int page) {
    return page >= 0 && page < kPageTitleCount ? kPageTitles[page] : "どのページにもない値";
}

std::string valueNote(const FieldDesc& desc, int64_t value) {
    FieldValue shown;
    shown.present = true;
    shown.number = value;
    switch (desc.kind) {
    case FieldKind::List:
    case FieldKind::PdOptimize:
    case FieldKind::Hundredths:
        return shownText(desc, shown, kUnitMm, nullptr);
    case FieldKind::Flag:
    case FieldKind::InvertedFlag:
        return shownText(desc, shown, kUnitMm, nullptr) + " " + fieldLabel(desc, "");
    case FieldKind::Length:
        return "mm";
    case FieldKind::PaperSize:
        return value == kCustomPaperSize
                   ? kCustomSizeText
                   : "用紙設定の " + std::to_string(value - kFirstCatalogueSize) + " 番";
    default:
        return "";
    }
}
