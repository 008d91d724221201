// Drives the solver with boxes that may change between any two reads, so the
// searches meet counts that disagree with the copied states.
#include "solver.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

struct ByteView final : pellan::LightsView {
    const std::uint8_t* data;
    std::size_t size;
    mutable std::size_t next = 0;

    ByteView(const std::uint8_t* bytes, std::size_t count) : data(bytes), size(count) { }

    bool checked(int index) const override
    {
        if (index < 0 || index >= pellan::Solver::lightCount)
            __builtin_trap();
        const std::size_t at = next++;
        return at < size && (data[at] & 1U) != 0;
    }
    void setAnswerText(const std::string& text) override
    {
        if (text.empty() || text.back() != '.')
            __builtin_trap();
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ByteView view(data, size);
    pellan::Solver solver(view);
    solver.readLights();
    solver.readLights();
    return 0;
}
