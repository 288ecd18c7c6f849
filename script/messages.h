// The Spanish (Latin-1) texts of error codes and type names.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vekora {

// The display name of a type code 0 to 9; empty for any other value.
std::string_view TypeName(std::int32_t type);

// The message of an error code: number in bits 0-7, parameters in bits 8-11 and 12-15;
// higher bits are ignored. Every code yields a text.
std::string ErrorMessage(std::int32_t code);

}  // namespace vekora
