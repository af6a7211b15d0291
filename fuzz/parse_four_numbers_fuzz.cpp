// ParseFourNumbers reads "name=value;" fields of library lines, which come from files on disk.
#include "settings/CStdioFileEx.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    int numbers[4] = {0, 0, 0, 0};
    vexmo::ParseFourNumbers(line, numbers);
    return 0;
}
