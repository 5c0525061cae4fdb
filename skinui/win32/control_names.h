// Controls cooperate by name (a bar names its thumb and step buttons, a list
// its bar, a combo its parts): names compare without regard to case, an
// empty name names nothing, and the first match in list order wins.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace kz8::skinui {

inline bool sameControlName(const std::string& a, const std::string& b) {
    return !a.empty() && lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

template <typename Control>
Control* findControlNamed(const std::vector<std::unique_ptr<Control>>& controls,
                          const std::string& name) {
    for (const auto& each : controls)
        if (sameControlName(each->name, name)) return each.get();
    return nullptr;
}

}  // namespace kz8::skinui
