// Arbitrary 16-bit inputs: the computation must not wrap. Every result is re-derived here in
// 64-bit arithmetic, and a reported overflow must be a real one.
#include "improves_calculation.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

bool fits(std::int64_t v)
{
    return v >= -32768 && v <= 32767;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    constexpr std::size_t wordCount = 1 + 7 + 3;
    if (size < wordCount * 2 + 2) {
        return 0;
    }
    std::int16_t words[wordCount];
    std::memcpy(words, data, sizeof words);
    const std::uint8_t flags = data[wordCount * 2];
    const std::uint8_t choice = data[wordCount * 2 + 1];

    korvane::ImprovesInput input;
    input.intellect = words[0];
    for (std::size_t i = 0; i < 7; ++i) {
        input.schools[i].schoolLevel = words[1 + i];
        input.schools[i].levelOneFlag = ((flags >> i) & 1U) != 0;
    }
    input.spellCount = static_cast<korvane::SpellCount>(1 + choice % 3);
    const std::size_t nameIndex = (choice / 3U) % 8U;
    input.schoolName = nameIndex < 7 ? std::string(korvane::schoolNames[nameIndex]) : std::string("Select School");
    input.percent1 = words[8];
    input.percent2 = words[9];
    input.percent3 = words[10];

    const auto outcome = korvane::computeImproves(input);

    // Independent model in 64 bits.
    bool overflow = false;
    const std::int64_t bracket = input.intellect < 5 ? 0 : (input.intellect / 5) * 5;
    std::int64_t levelSum = 0;
    for (const auto& s : input.schools) {
        levelSum += s.schoolLevel;
        overflow = overflow || !fits(levelSum);
    }
    const std::int64_t base = 199 - 14 * (bracket / 5);
    std::int64_t required = 14 * levelSum + base;
    overflow = overflow || !fits(14 * (bracket / 5)) || !fits(base) || !fits(14 * levelSum) || !fits(required);
    if ((bracket == 45 || bracket == 50) && required < 87) {
        required = 75;
    }
    std::int64_t points = 0;
    switch (input.spellCount) {
    case korvane::SpellCount::One: points = 3 * std::int64_t{input.percent1}; break;
    case korvane::SpellCount::Two: {
        const std::int64_t twice = 2 * std::int64_t{input.percent1} + 3 * std::int64_t{input.percent2};
        const std::int64_t half = twice >= 0 ? twice / 2 : -((-twice) / 2);  // toward zero
        points = twice % 2 == 0 ? half : (half % 2 == 0 ? half : (twice > 0 ? half + 1 : half - 1));
        break;
    }
    case korvane::SpellCount::Three:
        overflow = overflow || !fits(std::int64_t{input.percent1} + input.percent2);
        points = std::int64_t{input.percent1} + input.percent2 + input.percent3;
        break;
    }
    overflow = overflow || !fits(points);

    std::int64_t levelOneCount = 0;
    for (std::size_t named = 0; named < 7; ++named) {
        if (input.schoolName == korvane::schoolNames[named]) {
            for (std::size_t i = 0; i < 7; ++i) {
                levelOneCount += (i != named && input.schools[i].levelOneFlag) ? 1 : 0;
            }
        }
    }
    if (levelOneCount >= 1 && levelOneCount <= 5) {
        if (required > 75) {
            required += 7 * levelOneCount;
        } else if (required == 75) {
            required = 73 + 7 * levelOneCount;
        }
    }
    overflow = overflow || !fits(required) || !fits(required - points);

    if (outcome.hasValue() == overflow) {
        std::abort();
    }
    if (outcome.hasValue()) {
        const auto& r = outcome.value();
        if (r.intellectBracket != bracket || r.levelSum != levelSum || r.requiredPoints != required
            || r.percentPoints != points || r.levelOneCount != levelOneCount || r.improvesNeeded != required - points
            || r.verdict != korvane::verdictFor(r.improvesNeeded)) {
            std::abort();
        }
    }
    return 0;
}
