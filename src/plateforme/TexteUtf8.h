#pragma once

#include <string>
#include <string_view>

namespace veltrane {

// Les textes du programme sont en Windows-1252 ; le terminal et Qt attendent de l'UTF-8.
std::string versUtf8(std::string_view windows1252);

} // namespace veltrane
