// One libFuzzer entry point; the build names the check it runs (TAMSIC_FUZZ_CHECK), so
// every target shares this file and the regression test shares the checks.
#include "FuzzChecks.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string failure = TAMSIC_FUZZ_CHECK(std::string_view(reinterpret_cast<const char *>(data), size));
    if (!failure.empty()) {
        std::fprintf(stderr, "property broken: %s\n", failure.c_str());
        std::abort();
    }
    return 0;
}
