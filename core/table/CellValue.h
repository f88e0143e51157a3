#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

namespace kelvane {

// One cell's value apart from its table: blank, or an integer, a float or a text. The record
// being edited is held in these, and change reports carry them as the values before a change.
class CellValue {
  public:
    CellValue() = default;  // blank
    explicit CellValue(int32_t integer) : value_(integer) {}
    explicit CellValue(double number) : value_(number) {}
    explicit CellValue(std::string text) : value_(std::move(text)) {}

    bool IsBlank() const { return std::holds_alternative<std::monostate>(value_); }
    // Each reads 0 or "" for a blank or a value of another kind.
    int32_t Integer() const;
    double Float() const;
    std::string_view Text() const;

    // Floats are compared bit for bit: -0.0 is another value than 0.0, as it is in a saved
    // file, and a NaN is the same value as itself.
    bool operator==(const CellValue& other) const;

  private:
    std::variant<std::monostate, int32_t, double, std::string> value_;
};

}  // namespace kelvane
