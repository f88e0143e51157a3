#include "core/table/CellValue.h"

#include <bit>

namespace kelvane {

int32_t CellValue::Integer() const {
    const int32_t* integer = std::get_if<int32_t>(&value_);
    return integer != nullptr ? *integer : 0;
}

double CellValue::Float() const {
    const double* number = std::get_if<double>(&value_);
    return number != nullptr ? *number : 0;
}

std::string_view CellValue::Text() const {
    const std::string* text = std::get_if<std::string>(&value_);
    return text != nullptr ? std::string_view(*text) : std::string_view();
}

bool CellValue::operator==(const CellValue& other) const {
    const double* number = std::get_if<double>(&value_);
    const double* otherNumber = std::get_if<double>(&other.value_);
    if (number != nullptr && otherNumber != nullptr) {
        return std::bit_cast<uint64_t>(*number) == std::bit_cast<uint64_t>(*otherNumber);
    }
    return value_ == other.value_;
}

}  // namespace kelvane
