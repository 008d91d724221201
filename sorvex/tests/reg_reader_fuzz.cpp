#include "reg_format.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

using namespace sorvex::regfile;

// Whatever is read from any file is written so that it reads back the same tree, undamaged, and writing that
// again gives the same text.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    bool damaged = false;
    bool overCap = false;
    const Tree tree = parseTree(bytes, damaged, overCap);
    const std::string written = writeTree(tree);
    bool again = false;
    const Tree back = parseTree(written, again, overCap);
    if (again || overCap || back != tree || writeTree(back) != written)
        std::abort();
    return 0;
}
