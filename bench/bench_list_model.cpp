// A host-like run on the list model: 10 000 adds, every item read by index,
// 100 finds by text and one sort, against the same operations on a
// std::vector<std::string> with std::stable_sort and the same comparison.
// Usage: bench_list_model
#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "skinui/portable/list_model.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kItems = 10000, kFinds = 100, kRounds = 20;

std::string textOf(int i) {
    // Mixed case and a spread of first letters, as names in an address book.
    static const char* first[] = {"Ann", "bob", "Cleo", "dan", "Eve", "fay", "Gus", "hal"};
    return std::string(first[(i * 7) % 8]) + " " + std::to_string((i * 7919) % kItems);
}

bool lessWithoutCase(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) <
               std::tolower(static_cast<unsigned char>(y));
    });
}

bool equalWithoutCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && !lessWithoutCase(a, b) && !lessWithoutCase(b, a);
}

template <typename Work>
double best(Work work) {
    double fastest = 1e30;
    for (int round = 0; round < kRounds; ++round) {
        const auto start = Clock::now();
        work();
        fastest = std::min(fastest,
                           std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    return fastest;
}

size_t sink = 0;

}  // namespace

int main() {
    const double ours = best([] {
        kz8::skinui::ListModel list;
        for (int i = 0; i < kItems; ++i) list.add(textOf(i));
        for (size_t i = 0; i < list.count(); ++i) sink += list.at(i).text.size();
        for (int f = 0; f < kFinds; ++f) sink += list.indexOf(textOf(f * 97)).value_or(0);
        list.sort(true);
        sink += list.at(0).text.size();
    });
    const double peer = best([] {
        std::vector<std::string> list;
        for (int i = 0; i < kItems; ++i) list.push_back(textOf(i));
        for (size_t i = 0; i < list.size(); ++i) sink += list[i].size();
        for (int f = 0; f < kFinds; ++f) {
            const std::string wanted = textOf(f * 97);
            const auto found = std::find_if(list.begin(), list.end(), [&](const std::string& s) {
                return equalWithoutCase(s, wanted);
            });
            sink += size_t(found - list.begin());
        }
        std::stable_sort(list.begin(), list.end(), lessWithoutCase);
        sink += list[0].size();
    });
    std::printf("list model, 10 000 adds, reads, 100 finds, a sort (best of %d)\n", kRounds);
    std::printf("  ours %.3f ms, std::vector<std::string> %.3f ms, ratio %.2f (%zu)\n", ours, peer,
                ours / peer, sink % 10);
    return 0;
}
