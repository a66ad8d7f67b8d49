// libFuzzer target: any string of bytes is a sequence of clicks, keys, scroll values, timer ticks
// and random values, played from program start with every invariant checked after every event, the
// scene against one built afresh included.
//
//   bash scripts/test-fuzz.sh                       a short run from the committed corpus
//   BLOKKO_FUZZ_SECONDS=3600 bash scripts/test-fuzz.sh   a long one

#include <cstddef>
#include <cstdint>

#include "tests/fuzz/event_bytes.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > blokko::checks::MaxInputBytes)
        return 0;
    blokko::checks::playBytes(data, size, nullptr);
    return 0;
}
