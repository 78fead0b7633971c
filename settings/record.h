// The plotter settings record: 756 bytes at offset 2 of the settings file,
// read by the plotter driver byte for byte. Margins are in the order top,
// left, right, bottom.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

static_assert(sizeof(int16_t) == 2 && sizeof(int32_t) == 4, "fixed-width integers");
// The blocks are read and written as these structures, whole: their numbers
// are the file's little-endian numbers only on a little-endian machine.
static_assert(std::endian::native == std::endian::little, "the file's byte order");

#pragma pack(push, 1)

struct PenSlot {
    int16_t toolType;
    int16_t thickness; // hundredths
    int16_t red;       // 0 or 10000
    int16_t green;
    int16_t blue;
    int16_t colorSet;
};

enum : int { kPenSlotCount = 10, kRecordTextSize = 128 };

struct PlotterRecord {
    int16_t recordVersion;
    int16_t outlineSize;
    int32_t leafMarginTop;
    int32_t leafMarginLeft;
    int32_t leafMarginRight;
    int32_t leafMarginBottom;
    int32_t rollMarginTop;
    int32_t rollMarginLeft;
    int32_t rollMarginRight;
    int32_t rollMarginBottom;
    int16_t sortMode;
    int16_t recognizePathOverlap;
    int16_t penOrderOff;
    int16_t kanjiCode;
    int16_t paperOrigin;
    int16_t reserved46;
    int16_t debugMode;
    int16_t lineOptimizeOff;
    int16_t errorAdjust;
    int16_t reserved54;
    PenSlot penSlots[kPenSlotCount];
    int16_t frameCut;
    int16_t frameCutTool;
    int32_t frameMarginTop;
    int32_t frameMarginLeft;
    int32_t frameMarginRight;
    int32_t frameMarginBottom;
    int16_t rollPageLength;
    int16_t dottedLineCut;
    int16_t cutTool;
    int16_t segmentCutPressure;
    int16_t gapCutPressure;
    int16_t segmentLength;
    int16_t gapLength;
    int16_t reserved210;
    int16_t commPort;
    int16_t baudRate;
    int16_t dataBits;
    int16_t stopBits;
    int16_t parity;
    int16_t flowControl;
    char hostAddress[kRecordTextSize];
    int32_t hostPort;
    int32_t plotterUnit;
    int32_t errorRange;
    int32_t pdOptimize;
    int32_t reserved368;
    char headerString[kRecordTextSize];
    char footerString[kRecordTextSize];
    char sharedFolder[kRecordTextSize];
};

#pragma pack(pop)

static_assert(sizeof(PenSlot) == 12, "pen slot layout");
static_assert(offsetof(PenSlot, toolType) == 0 && offsetof(PenSlot, thickness) == 2 &&
                  offsetof(PenSlot, red) == 4 && offsetof(PenSlot, green) == 6 &&
                  offsetof(PenSlot, blue) == 8 && offsetof(PenSlot, colorSet) == 10,
              "pen slot layout");

static_assert(sizeof(PlotterRecord) == 756, "record layout");
static_assert(offsetof(PlotterRecord, recordVersion) == 0, "record layout");
static_assert(offsetof(PlotterRecord, outlineSize) == 2, "record layout");
static_assert(offsetof(PlotterRecord, leafMarginTop) == 4, "record layout");
static_assert(offsetof(PlotterRecord, leafMarginLeft) == 8, "record layout");
static_assert(offsetof(PlotterRecord, leafMarginRight) == 12, "record layout");
static_assert(offsetof(PlotterRecord, leafMarginBottom) == 16, "record layout");
static_assert(offsetof(PlotterRecord, rollMarginTop) == 20, "record layout");
static_assert(offsetof(PlotterRecord, rollMarginLeft) == 24, "record layout");
static_assert(offsetof(PlotterRecord, rollMarginRight) == 28, "record layout");
static_assert(offsetof(PlotterRecord, rollMarginBottom) == 32, "record layout");
static_assert(offsetof(PlotterRecord, sortMode) == 36, "record layout");
static_assert(offsetof(PlotterRecord, recognizePathOverlap) == 38, "record layout");
static_assert(offsetof(PlotterRecord, penOrderOff) == 40, "record layout");
static_assert(offsetof(PlotterRecord, kanjiCode) == 42, "record layout");
static_assert(offsetof(PlotterRecord, paperOrigin) == 44, "record layout");
static_assert(offsetof(PlotterRecord, reserved46) == 46, "record layout");
static_assert(offsetof(PlotterRecord, debugMode) == 48, "record layout");
static_assert(offsetof(PlotterRecord, lineOptimizeOff) == 50, "record layout");
static_assert(offsetof(PlotterRecord, errorAdjust) == 52, "record layout");
static_assert(offsetof(PlotterRecord, reserved54) == 54, "record layout");
static_assert(offsetof(PlotterRecord, penSlots) == 56, "record layout");
static_assert(offsetof(PlotterRecord, frameCut) == 176, "record layout");
static_assert(offsetof(PlotterRecord, frameCutTool) == 178, "record layout");
static_assert(offsetof(PlotterRecord, frameMarginTop) == 180, "record layout");
static_assert(offsetof(PlotterRecord, frameMarginLeft) == 184, "record layout");
static_assert(offsetof(PlotterRecord, frameMarginRight) == 188, "record layout");
static_assert(offsetof(PlotterRecord, frameMarginBottom) == 192, "record layout");
static_assert(offsetof(PlotterRecord, rollPageLength) == 196, "record layout");
static_assert(offsetof(PlotterRecord, dottedLineCut) == 198, "record layout");
static_assert(offsetof(PlotterRecord, cutTool) == 200, "record layout");
static_assert(offsetof(PlotterRecord, segmentCutPressure) == 202, "record layout");
static_assert(offsetof(PlotterRecord, gapCutPressure) == 204, "record layout");
static_assert(offsetof(PlotterRecord, segmentLength) == 206, "record layout");
static_assert(offsetof(PlotterRecord, gapLength) == 208, "record layout");
static_assert(offsetof(PlotterRecord, reserved210) == 210, "record layout");
static_assert(offsetof(PlotterRecord, commPort) == 212, "record layout");
static_assert(offsetof(PlotterRecord, baudRate) == 214, "record layout");
static_assert(offsetof(PlotterRecord, dataBits) == 216, "record layout");
static_assert(offsetof(PlotterRecord, stopBits) == 218, "record layout");
static_assert(offsetof(PlotterRecord, parity) == 220, "record layout");
static_assert(offsetof(PlotterRecord, flowControl) == 222, "record layout");
static_assert(offsetof(PlotterRecord, hostAddress) == 224, "record layout");
static_assert(offsetof(PlotterRecord, hostPort) == 352, "record layout");
static_assert(offsetof(PlotterRecord, plotterUnit) == 356, "record layout");
static_assert(offsetof(PlotterRecord, errorRange) == 360, "record layout");
static_assert(offsetof(PlotterRecord, pdOptimize) == 364, "record layout");
static_assert(offsetof(PlotterRecord, reserved368) == 368, "record layout");
static_assert(offsetof(PlotterRecord, headerString) == 372, "record layout");
static_assert(offsetof(PlotterRecord, footerString) == 500, "record layout");
static_assert(offsetof(PlotterRecord, sharedFolder) == 628, "record layout");

// The one process-wide record; zero until the settings file is loaded.
extern PlotterRecord g_plotterRecord;

// Dotted IPv4 address of the print server a fresh record points at.
extern const char kDefaultHostAddress[];

void recordDefaults(PlotterRecord* record);

// thickness is the value the tool page shows (0.5 = 50 hundredths); the
// components are percentages.
void setPenSlot(PlotterRecord* record, int slot, int toolType, double thickness, int redPercent,
                int greenPercent, int bluePercent, int colorFlag);
