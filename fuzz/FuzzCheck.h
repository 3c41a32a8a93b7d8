#pragma once
// What the fuzz targets share: a property check that stops the run with the
// property's text (libFuzzer then saves the input), and a scratch folder.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

#define FUZZ_CHECK(condition)                                                                  \
    do {                                                                                       \
        if (!(condition)) {                                                                    \
            std::fprintf(stderr, "%s:%d: property does not hold: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                      \
        }                                                                                      \
    } while (0)

namespace qv530::fuzz {

// A folder of this process, made once, reused by every input and removed at
// exit (the name is never freed, so the exit handler can still use it).
inline const std::string& ScratchFolder() {
    static const std::string* folder = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "qv530-fuzz-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) std::abort();
        auto* made = new std::string(pattern + "/");
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(ScratchFolder(), ignored);
        });
        return made;
    }();
    return *folder;
}

} // namespace qv530::fuzz
