// Expected: a value or the reason it could not be produced, the result type of every fallible step of the core.
#pragma once

#include <utility>
#include <variant>

namespace korvane {

template <typename T, typename E> class Expected {
public:
    Expected(T value) : state(std::in_place_index<0>, std::move(value)) { }
    Expected(E error) : state(std::in_place_index<1>, std::move(error)) { }

    [[nodiscard]] bool hasValue() const { return state.index() == 0; }
    explicit operator bool() const { return hasValue(); }
    [[nodiscard]] const T& value() const { return std::get<0>(state); }
    [[nodiscard]] const E& error() const { return std::get<1>(state); }

private:
    std::variant<T, E> state;
};

}  // namespace korvane
