// The texts of error codes and type names: Spanish (Latin-1) as specified, or their
// translation in a catalogue.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "i18n/language.h"

namespace vekora {

// The display name of a type code 0 to 9; empty for any other value.
std::string_view TypeName(std::int32_t type, const Catalogue& language = ActiveCatalogue());

// The message of an error code: number in bits 0-7, parameters in bits 8-11 and 12-15;
// higher bits are ignored. Every code yields a text. The report file asks for SourceTexts():
// the specified Spanish whatever the process's language.
std::string ErrorMessage(std::int32_t code, const Catalogue& language = ActiveCatalogue());

}  // namespace vekora
