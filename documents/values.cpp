#include "documents/values.h"

#include "storage/cp932_convert.h"

#include "settings/file_layout.h"
#include "settings/stored_values.h"
#include "units/units.h"

namespace {

constexpr int64_t kFullComponent = 10000;

bool isFlag(FieldKind kind) {
    return kind == FieldKind::Flag || kind == FieldKind::InvertedFlag;
}

std::string rangeText(const FieldDesc& field) {
    return std::to_string(field.least) + ".." + std::to_string(field.most);
}

std::string markOdd(std::string text, bool odd, bool* flag) {
    if (odd && flag)
        *flag = true;
    return odd ? text + " (!)" : text;
}

} // namespace

FieldValue readFieldValue(const FieldDesc& field, const std::vector<unsigned char>& image,
                          uint32_t offset) {
    FieldValue value;
    if (field.kind == FieldKind::Text) {
        value.present = readFieldText(image, offset, field.width, &value.bytes, &value.terminated);
        if (value.present)
            value.validText = storedTextToUtf8(value.bytes, &value.utf8);
    } else {
        value.present = readFieldInt(image, offset, field.width, field.isSigned, &value.number);
    }
    return value;
}

std::string storedText(const FieldDesc& field, const FieldValue& value) {
    if (!value.present)
        return "(beyond the end of the file)";
    if (field.kind == FieldKind::Text)
        return "\"" + value.utf8 + "\"" + (value.terminated ? "" : " (no terminator)");
    return std::to_string(value.number);
}

std::string lengthText(int64_t mm, int unit) {
    std::string text = std::to_string(mm) + " mm";
    const int position = listPositionOf(kLengthUnitList, unit);
    if (position < 0 || unit == kUnitMm)
        return text;
    char shown[48];
    lengthToText(static_cast<int32_t>(mm), unit, shown, sizeof shown);
    return text + " (" + shown + " " + kLengthUnitLabels.texts[position] + ")";
}

std::string fieldLabel(const FieldDesc& field, const char* name) {
    const FieldLabels& labels = labelsOf(field);
    std::string label;
    if (labels.group)
        label = withoutMnemonic(labels.group);
    if (labels.label) {
        if (!label.empty())
            label += ' ';
        label += withoutMnemonic(labels.label);
    }
    return label.empty() ? name : label;
}

std::string shownText(const FieldDesc& field, const FieldValue& value, int unit, bool* odd) {
    if (!value.present)
        return markOdd("(beyond the end of the file)", true, odd);
    const int64_t n = value.number;
    switch (field.kind) {
    case FieldKind::Length:
        return lengthText(n, unit);
    case FieldKind::Flag:
    case FieldKind::InvertedFlag: {
        const bool ticked = boxTickedForField(n != 0, field.kind == FieldKind::InvertedFlag);
        return markOdd(ticked ? "[x]" : "[ ]", n != 0 && n != 1, odd);
    }
    case FieldKind::List: {
        const int position = listPositionOf(*field.list, n);
        if (position < 0)
            return markOdd(std::to_string(n), true, odd);
        return withoutMnemonic(labelsOf(field).list->texts[position]);
    }
    case FieldKind::Text:
        return markOdd("\"" + value.utf8 + "\"", !value.terminated || !value.validText, odd);
    case FieldKind::Hundredths: {
        char text[16];
        thicknessToText(static_cast<int16_t>(n), text, sizeof text);
        return text;
    }
    case FieldKind::Component:
        return markOdd(std::to_string(n), n != 0 && n != kFullComponent, odd);
    case FieldKind::PdOptimize: {
        const int32_t word = pdOptimizeInEffect(static_cast<int32_t>(n));
        std::string text;
        for (int i = 0; i < field.partCount; ++i) {
            const FieldPart& part = field.parts[i];
            const uint32_t v = part.valueOf(word);
            if (i > 0)
                text += "  ";
            text += withoutMnemonic(labelsOf(field).parts[i].label);
            text += ' ';
            text += part.kind == FieldKind::Flag ? (v ? "[x]" : "[ ]") : std::to_string(v);
        }
        return n <= 0 ? text + " (unset)" : text;
    }
    default:
        return std::to_string(n);
    }
}

std::string fieldDamage(const FieldDesc& field, const FieldValue& value) {
    if (!value.present)
        return "";
    const int64_t n = value.number;
    if (outsideRange(field, n)) {
        std::string damage = std::string(labelsOf(field).damageName) + " " + std::to_string(n) +
                             ", outside " + rangeText(field);
        if (const ListLabels* list = labelsOf(field).list) {
            for (int i = 0; i < list->count; ++i) {
                damage += i ? ", " : " (";
                damage += withoutMnemonic(list->texts[i]);
            }
            damage += ")";
        }
        return damage;
    }
    switch (field.kind) {
    case FieldKind::Version:
        return n != kSettingsVersion
                   ? "version word " + std::to_string(n) + ", not " +
                         std::to_string(kSettingsVersion) +
                         " (the settings program would replace the whole file by defaults)"
                   : "";
    case FieldKind::Text:
        return value.terminated
                   ? ""
                   : "no terminator within its " + std::to_string(field.width) + " bytes";
    case FieldKind::List:
        return listPositionOf(*field.list, n) < 0 ? std::to_string(n) + " is no item of its list"
                                                  : "";
    case FieldKind::Component:
        return n != 0 && n != kFullComponent
                   ? "colour component " + std::to_string(n) + ", not 0 or 10000"
                   : "";
    default:
        return isFlag(field.kind) && n != 0 && n != 1 ? std::to_string(n) + ", not 0 or 1" : "";
    }
}

std::string refusedInteger(const FieldDesc& field, int64_t value) {
    const unsigned bits = 8 * field.width;
    const int64_t least = field.isSigned ? -(int64_t{1} << (bits - 1)) : 0;
    const int64_t most = field.isSigned ? (int64_t{1} << (bits - 1)) - 1 : (int64_t{1} << bits) - 1;
    if (value < least || value > most)
        return std::to_string(value) + " is outside " + std::to_string(least) + ".." +
               std::to_string(most) + ", what " + std::to_string(bits) + " bits hold";
    if (outsideRange(field, value))
        return std::string(labelsOf(field).refusalName) + " " + std::to_string(value) +
               " is outside " + rangeText(field);
    return "";
}

bool storedTextToUtf8(std::string_view bytes, std::string* utf8) {
    std::u16string wide;
    const bool exact = cp932ToUtf16(bytes, &wide);
    *utf8 = utf16ToUtf8(wide);
    return exact;
}
