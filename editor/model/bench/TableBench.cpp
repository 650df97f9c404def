// Times two million colour- and font-table look-ups by value, as a colour command over two million
// paragraph ends makes them, with tables of three entries against tables of 32,000, the values
// looked up standing last. Not a test: it prints its figures.
#include <chrono>
#include <cstdio>
#include <string>

#include "model/document/EditorData.h"
#include "model/document/Tables.h"

namespace {

using namespace notaline;
using Clock = std::chrono::steady_clock;

constexpr int kLookups = 2'000'000;

double ColourLookups(int entries) {
    EditorData data;
    for (int i = 0; i < entries; ++i) GetColorTblIndex(data, static_cast<uint32_t>(entries - 1 - i));
    const auto t0 = Clock::now();
    int64_t sum = 0;
    for (int k = 0; k < kLookups; ++k) sum += GetColorTblIndex(data, k % 2 ? 0u : 1u);
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
    return sum > 0 ? ms : -ms;
}

double FontLookups(int entries) {
    EditorData data;
    for (int i = 0; i < entries; ++i) GetFontTblIndex(data, "Face" + std::to_string(i));
    const std::string last = "Face" + std::to_string(entries - 1);
    const auto t0 = Clock::now();
    int64_t sum = 0;
    for (int k = 0; k < kLookups; ++k) sum += GetFontTblIndex(data, last);
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
    return sum > 0 ? ms : -ms;
}

}  // namespace

int main() {
    const double colours3 = ColourLookups(3), colours32k = ColourLookups(32'000);
    const double fonts3 = FontLookups(3), fonts32k = FontLookups(32'000);
    std::printf("two million look-ups by value, 3 entries against 32,000:\n");
    std::printf("  colours: %.1f ms against %.1f ms, ratio %.2f\n", colours3, colours32k, colours32k / colours3);
    std::printf("  fonts:   %.1f ms against %.1f ms, ratio %.2f\n", fonts3, fonts32k, fonts32k / fonts3);
    return 0;
}
