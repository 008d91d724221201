// Platform-free arithmetic of korvane: how many improves the next level of a school still needs.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

namespace korvane {

// A value or the reason it could not be produced.
template <typename T, typename E>
class Expected {
public:
    Expected(T value) : state_(std::in_place_index<0>, std::move(value)) {}
    Expected(E error) : state_(std::in_place_index<1>, std::move(error)) {}

    [[nodiscard]] bool hasValue() const { return state_.index() == 0; }
    explicit operator bool() const { return hasValue(); }
    [[nodiscard]] const T& value() const { return std::get<0>(state_); }
    [[nodiscard]] const E& error() const { return std::get<1>(state_); }

private:
    std::variant<T, E> state_;
};

inline constexpr int kSchoolCount = 7;

// The seven schools, in the order of the school selector's list.
enum class School : std::uint8_t { Kraanan, Shalille, Faren, WeaponClass, Riija, Qor, Jala };

// The exact text the school selector must show to choose each school.
inline constexpr std::array<std::string_view, kSchoolCount> kSchoolNames = {
    "Kraanan", "Shal'ille", "Faren", "Weapon Class", "Riija", "Qor", "Jala"};

struct SchoolLevelState {
    std::int16_t schoolLevel = 0;  // 0..5; "Level One" does not count here
    bool levelOneFlag = false;
};

using SchoolLevels = std::array<SchoolLevelState, kSchoolCount>;

// The state a level option with the given index (0 "None" .. 6 "Level Six") stands for.
[[nodiscard]] SchoolLevelState LevelStateForOption(int optionIndex);

enum class SpellCount : std::int16_t { One = 1, Two = 2, Three = 3 };

struct ImprovesInput {
    std::int16_t intellect = 1;
    SchoolLevels schools{};
    std::string schoolName;
    SpellCount spellCount = SpellCount::Three;
    std::int16_t percent1 = 0;
    std::int16_t percent2 = 0;
    std::int16_t percent3 = 0;
};

struct ImprovesResult {
    std::int16_t intellectBracket = 0;
    std::int16_t levelSum = 0;
    std::int16_t requiredPoints = 0;
    std::int16_t percentPoints = 0;
    std::int16_t levelOneCount = 0;
    std::int16_t improvesNeeded = 0;
    std::string_view verdict;
};

// The step of the computation whose 16-bit arithmetic overflowed.
enum class ImprovesStep : std::uint8_t {
    SetIntellectBracket,
    RequiredPoints,
    SumPercents,
    ApplyLevelOneRule,
    ImprovesNeeded,
};

struct Overflow {
    ImprovesStep step;
    friend bool operator==(const Overflow&, const Overflow&) = default;
};

[[nodiscard]] Expected<ImprovesResult, Overflow> ComputeImproves(const ImprovesInput& input);

[[nodiscard]] std::string_view VerdictFor(std::int16_t improvesNeeded);

enum class ConversionError : std::uint8_t {
    NotANumber,  // empty, or anything but blanks, an optional sign and a decimal number
    OutOfRange,  // a number, but not within -32768..32767 once rounded
};

// Reads a typed number as a signed 16-bit integer. Accepted: blanks (space, tab) around, one
// optional leading sign directly before the number, decimal digits with an optional fraction after
// decimalSeparator (digits on at least one side of it). The fraction rounds to the nearest integer,
// an exact half to the even one. Deliberately nothing else: no thousands separators (ambiguous
// with a decimal separator elsewhere), no exponent, no hexadecimal, and only the user's own
// decimal separator, so "1.000" never silently means one where "." groups thousands.
[[nodiscard]] Expected<std::int16_t, ConversionError> ConvertNumber(std::string_view text,
                                                                    std::string_view decimalSeparator);

// The controls that Recalculate reads and writes, as texts in UTF-8.
class CalculatorView {
public:
    virtual ~CalculatorView() = default;
    [[nodiscard]] virtual std::string intellectText() const = 0;
    virtual void setIntellectText(std::string_view text) = 0;
    [[nodiscard]] virtual std::string percentText(int box) const = 0;  // box 1..3
    [[nodiscard]] virtual std::string schoolName() const = 0;
    virtual void setTotal(std::string_view text) = 0;
    virtual void setCaption(std::string_view text) = 0;
    virtual void setVerdict(std::string_view text) = 0;
};

inline constexpr std::string_view kQuestion = "How many improves for my next level?";

// The box whose text could not be converted.
enum class InputBox : std::uint8_t { Intellect, Spell1, Spell2, Spell3 };

struct InputFailure {
    InputBox box;
    ConversionError error;
    std::string text;
};

using RecalculateFailure = std::variant<InputFailure, Overflow>;

// Reads the view, clamps the intellect box, computes and writes the three outputs. At a failure
// it stops at once: what was written before stays, nothing after it is written.
[[nodiscard]] Expected<ImprovesResult, RecalculateFailure> Recalculate(CalculatorView& view,
                                                                       const SchoolLevels& schools,
                                                                       SpellCount spellCount,
                                                                       std::string_view decimalSeparator);

}  // namespace korvane
