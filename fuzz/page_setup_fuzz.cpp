// Registry values of any type and length into the page-setup values, then
// the rectangles from margins of any size: nothing may be undefined, and a
// value is taken exactly when its data fits a DWORD.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "settings/page_setup.h"
#include "settings/record.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    PageSetup setup;
    pageSetupDefaults(&setup);
    size_t at = 0;
    // Each value: one length byte, then that many bytes of data (or fewer at
    // the end of the input, as a value cut short).
    for (int i = 0; i < kPageSetupValueCount && at < size; ++i) {
        const size_t want = data[at++];
        const size_t got = want < size - at ? want : size - at;
        const uint32_t before = pageSetupValue(setup, i);
        readPageSetupValue(&setup, i, data + at, got);
        uint32_t expected = before;
        if (got <= 4) {
            expected = 0;
            for (size_t b = 0; b < got; ++b)
                expected |= static_cast<uint32_t>(data[at + b]) << (8 * b);
            if (i >= 14) // the print range keeps its low 16 bits, sign-extended
                expected =
                    static_cast<uint32_t>(static_cast<int32_t>(static_cast<int16_t>(expected)));
        }
        if (pageSetupValue(setup, i) != expected)
            std::abort();
        at += got;
    }
    PlotterRecord record;
    std::memset(&record, 0, sizeof record);
    std::memcpy(&record, data + at, size - at < sizeof record ? size - at : sizeof record);
    computePageRects(&setup, record);
    for (int i = 0; i < kPageSetupValueCount; ++i)
        pageSetupValue(setup, i);
    return 0;
}
