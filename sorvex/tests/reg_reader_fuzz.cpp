#include "reg_format.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

// What is written from any file must read back whole and unchanged.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    bool damaged = false;
    const std::string written = sorvex::regfile::parseAndWrite(bytes, &damaged);
    bool again = true;
    const std::string rewritten = sorvex::regfile::parseAndWrite(written, &again);
    if (again || rewritten != written)
        std::abort();
    return 0;
}
