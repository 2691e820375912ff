// The libFuzzer side of one entry; ORBEL_FUZZ_ENTRY names it.
#include "FuzzEntries.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return orbel::fuzz::ORBEL_FUZZ_ENTRY(data, size);
}
