// Reading a large macro store: one macro of 10,000, 20,000 and 40,000 items.
// Reading is one pass over the file, so the time per item must stay about
// the same as the store grows (a read that looked every key up anew took
// 14 s for 40,000 items).
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "macros/MacroStore.h"
#include "platform/FileIo.h"

int main() {
    using namespace qv530;
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "qv530-macro-bench";
    std::filesystem::create_directories(folder);
    const std::string path = (folder / "record.ini").string();
    for (int items : {10000, 20000, 40000}) {
        std::string file = "[MacroName]\r\nMacroCount=1\r\n0=Long\r\n[Long]\r\nItemCount=" + std::to_string(items) + "\r\n";
        for (int i = 0; i < items; ++i) file += "Item" + std::to_string(i) + "=press 65 10\r\n";
        if (WriteFileAtomic(path, file) != 0) return 1;
        const MacroStore store(path, [](std::chrono::milliseconds) {});
        const auto start = std::chrono::steady_clock::now();
        const auto macros = store.ReadAllMacros();
        const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        if (macros.size() != 1 || macros[0].macro.items.size() != static_cast<std::size_t>(items)) return 1;
        std::printf("macro store, %5d items: %7.1f ms (%.2f us per item)\n", items, ms, ms * 1000 / items);
    }
    std::filesystem::remove_all(folder);
    return 0;
}
