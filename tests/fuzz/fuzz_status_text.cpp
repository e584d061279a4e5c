// The status text for any work box text and any count.
#include <cstdlib>

#include "engine/status_text.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vorlane::fuzz::Input in(data, size);
    const std::string prefix = in.text();
    const std::string work = in.text();
    const std::string suffix = in.text();
    const std::int32_t elapsed = in.int32();
    const std::string status = vorlane::statusText(prefix, work, elapsed, suffix);
    const std::string head = prefix + "Vorlane  总时长:";
    if (status.compare(0, head.size(), head) != 0) std::abort();
    if (status.size() < suffix.size() || status.compare(status.size() - suffix.size(), suffix.size(), suffix) != 0)
        std::abort();
    if (status.find("  已过:", head.size()) == std::string::npos) std::abort();
    // A non-negative count always ends in whole seconds.
    if (elapsed >= 0 && status.compare(status.size() - suffix.size() - 3, 3, "秒") != 0) std::abort();
    return 0;
}
