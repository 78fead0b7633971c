#include "settings/record.h"

#include <cstring>

PlotterRecord g_plotterRecord;

const char kDefaultHostAddress[] = "192.168.0.100";

void setPenSlot(PlotterRecord* record, int slot, int toolType, double thickness, int redPercent,
                int greenPercent, int bluePercent, int colorFlag) {
    if (record == nullptr || slot < 0 || slot >= kPenSlotCount)
        return;
    PenSlot& pen = record->penSlots[slot];
    pen.toolType = static_cast<int16_t>(toolType);
    pen.thickness = static_cast<int16_t>(static_cast<int>(thickness * 100.0 + 0.5));
    pen.red = static_cast<int16_t>(redPercent * 100);
    pen.green = static_cast<int16_t>(greenPercent * 100);
    pen.blue = static_cast<int16_t>(bluePercent * 100);
    pen.colorSet = static_cast<int16_t>(colorFlag);
}

void recordDefaults(PlotterRecord* record) {
    std::memset(record, 0, sizeof *record);
    record->recordVersion = 301;
    record->leafMarginTop = record->leafMarginLeft = 15;
    record->leafMarginRight = record->leafMarginBottom = 15;
    record->rollMarginTop = record->rollMarginLeft = 15;
    record->rollMarginRight = record->rollMarginBottom = 15;
    record->sortMode = 1;
    record->recognizePathOverlap = 1;
    record->kanjiCode = 2;
    record->reserved46 = 40;
    record->frameCutTool = 8;
    record->frameMarginTop = record->frameMarginLeft = 5;
    record->frameMarginRight = record->frameMarginBottom = 5;
    record->rollPageLength = 3000;
    record->cutTool = 8;
    record->segmentCutPressure = 50;
    record->gapCutPressure = 20;
    record->segmentLength = 150;
    record->gapLength = 30;
    record->baudRate = 4;
    record->dataBits = 1;
    record->flowControl = 1;
    static_assert(sizeof kDefaultHostAddress <= kRecordTextSize, "host address fits");
    std::memcpy(record->hostAddress, kDefaultHostAddress, sizeof kDefaultHostAddress);
    record->hostPort = 1024;
    record->plotterUnit = 40;
    record->errorRange = 2;
    std::memcpy(record->footerString, "PG;", 4);

    setPenSlot(record, 0, 3, 0.0, 100, 0, 0, 1);
    setPenSlot(record, 1, 3, 0.0, 0, 100, 0, 1);
    setPenSlot(record, 2, 3, 0.0, 0, 0, 100, 1);
    setPenSlot(record, 3, 3, 0.0, 0, 0, 0, 1);
    setPenSlot(record, 4, 5, 0.5, 0, 0, 0, 0);
    setPenSlot(record, 5, 5, 0.3, 0, 0, 0, 0);
    setPenSlot(record, 7, 9, 0.0, 0, 0, 0, 0);
}
