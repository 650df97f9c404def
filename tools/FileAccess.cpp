#include "FileAccess.h"

#include <atomic>
#include <chrono>
#include <new>
#include <random>

#include "FileErrors.h"

namespace tessaly {

namespace {

uint64_t Mix(uint64_t x) {
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

}  // namespace

int32_t Produce(const FileProducer& produce, FileSink& sink, const std::function<void()>& discard) {
    int32_t produced = 0;
    try {
        produced = produce(sink);
    } catch (const std::bad_alloc&) {
        produced = kErrTooLarge;
    } catch (...) {
        discard();
        throw;
    }
    return sink.Error() != 0 ? sink.Error() : produced;
}

bool SettingsFileTooLarge(const std::filesystem::path& name) {
    std::error_code error;
    const uintmax_t size = std::filesystem::file_size(name, error);
    return !error && size > kMaxSettingsFileBytes;
}

std::string TemporaryFileName(uint64_t seed) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string name = "~jp";
    const auto bits = static_cast<uint32_t>(Mix(seed));
    for (int shift = 28; shift >= 0; shift -= 4) name += kHex[(bits >> shift) & 0xF];
    return name + ".tmp";
}

bool IsTemporaryFileName(std::u16string_view name) {
    auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c; };
    auto is = [&](std::u16string_view part, size_t at) {
        for (size_t i = 0; i < part.size(); ++i)
            if (lower(name[at + i]) != part[i]) return false;
        return true;
    };
    if (name.size() != 15 || !is(u"~jp", 0) || !is(u".tmp", 11)) return false;
    for (size_t i = 3; i < 11; ++i) {
        const char16_t c = lower(name[i]);
        if (!((c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f'))) return false;
    }
    return true;
}

uint64_t TemporarySeed() {
    // Exclusive creation keeps names unique; the seed only makes a clash unlikely, so that saves
    // running side by side seldom retry.
    static const uint64_t process = [] {
        std::random_device device;
        return uint64_t{device()} << 32 ^ device() ^
               static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    }();
    static std::atomic<uint64_t> counter{0};
    thread_local const int here = 0;
    return Mix(process ^ Mix(counter.fetch_add(1) ^ reinterpret_cast<uintptr_t>(&here) << 20));
}

}  // namespace tessaly
