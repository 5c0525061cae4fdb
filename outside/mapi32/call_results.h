// What each call answers, from a setting such as
// "MAPILogon=0,MAPISendMail=1,MAPISendDocuments=2,MAPILogoff=0": decimal
// values, the last entry for a call counting. A call the setting does not
// name, or names with no usable number, succeeds (0).
#pragma once

#include <cstdint>
#include <string>

namespace kz8::outside {

uint32_t resultFor(const std::string& settings, const std::string& call);

}  // namespace kz8::outside
