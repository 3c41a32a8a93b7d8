// qv530ctl: the command-line tool of the QV530-10800rad configurator.
#include <cstring>
#include <iostream>
#include <string>

#include "cli/Commands.h"
#include "cli/SettingCommands.h"
#include "profiles/DataFolderSetup.h"
#include "ProjectVersion.h"

namespace {

constexpr const char* kUsage =
    "usage: qv530ctl COMMAND [ARGS]\n"
    "\n"
    "  get [NAME]                       print the current profile's settings, one NAME VALUE line each\n"
    "  set NAME VALUE...                change one setting of the current profile and save it\n"
    "  defaults FILE                    write a factory configuration file\n"
    "  dump FILE                        print every field of a configuration file\n"
    "  list                             list the mice and pads found and their interfaces\n"
    "  apply [--config FILE] [--emulate a11d|a1dc|both] [--pad] [--fast] [--trace FILE|-] [--unplug-after N]\n"
    "                                   send the current profile to every device, as the window's Apply\n"
    "  reset [same options]             factory defaults (macros kept) to every device, then save\n"
    "  watch                            print plugging, unplugging and DPI-stage changes until Ctrl+C\n"
    "  macros encode FILE [--lead 05|32]  print the twelve macro slots of a macro store\n"
    "  macros list FILE                 print the macros of a macro store\n"
    "  profile list|new [NAME]|copy I|delete I|rename I NAME|switch I|NAME|export I FILE|import I FILE\n"
    "                                   the six named profiles, as the window's profile dialog edits them\n"
    "  pointer [apply]                  where this desktop takes the pointer settings; apply: send the\n"
    "                                   current profile's pointer settings to the desktop now (not the mouse)\n"
    "  profile bind I|NAME PROGRAM|unbind PROGRAM|bindings\n"
    "                                   game profiles: programs bound to a profile; the running window\n"
    "                                   switches to it while such a program runs\n"
    "  show                             show the window of the running configurator\n"
    "  demo-stage N                     make the running --demo copy's mouse switch to DPI stage N (0..7)\n"
    "  --help                           this text\n"
    "  --version                        print the version\n"
    "\n"
    "The first run creates the data folder ~/.config/QV530-10800rad/ with the factory files.\n";

} // namespace

int main(int argc, char** argv) {
    using namespace qv530::cli;
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0 ||
        std::strcmp(argv[1], "help") == 0) {
        (argc < 2 ? std::cerr : std::cout) << kUsage;
        return argc < 2 ? 2 : 0;
    }
    if (std::strcmp(argv[1], "--version") == 0) {
        std::cout << "qv530ctl " << qv530::kProjectVersion << "\n";
        return 0;
    }
    qv530::PrepareDataFolder(std::cerr, "qv530ctl");
    const std::string command = argv[1];
    const Args args(argv + 2, argv + argc);
    if (command == "get") return RunGet(args, std::cout, std::cerr);
    if (command == "set") return RunSet(args, std::cout, std::cerr);
    if (command == "defaults") return RunDefaults(args, std::cout, std::cerr);
    if (command == "dump") return RunDump(args, std::cout, std::cerr);
    if (command == "list") return RunList(args, std::cout, std::cerr);
    if (command == "apply") return RunApply(args, std::cout, std::cerr);
    if (command == "reset") return RunReset(args, std::cout, std::cerr);
    if (command == "watch") return RunWatch(args, std::cout, std::cerr);
    if (command == "macros") return RunMacros(args, std::cout, std::cerr);
    if (command == "pointer") return RunPointer(args, std::cout, std::cerr);
    if (command == "show") return RunShow(args, std::cout, std::cerr);
    if (command == "profile") return RunProfile(args, std::cout, std::cerr);
    if (command == "demo-stage") return RunDemoStage(args, std::cout, std::cerr);
    std::cerr << "qv530ctl: unknown command '" << command << "'\n" << kUsage;
    return 2;
}
