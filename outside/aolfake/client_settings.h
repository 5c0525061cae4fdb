// How a test wants the fake client to behave, from the environment.
#pragma once

namespace kz8::outside::aol {

struct ClientSettings {
    int version = 5;             // KZ8_AOL_VERSION: 4, 5 or 6
    bool writeMailOpens = true;  // KZ8_AOL_NO_WRITE_MAIL=1 withholds "Write Mail"
};

const ClientSettings& clientSettings();

}  // namespace kz8::outside::aol
