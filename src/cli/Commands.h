#pragma once
// The sub-commands of qv530ctl. Each takes the words after its name and
// returns the process exit status.
#include <ostream>
#include <string>
#include <vector>

namespace qv530 {
class HidBackend;
}

namespace qv530::cli {

using Args = std::vector<std::string>;

int RunDefaults(const Args& args, std::ostream& out, std::ostream& err);
int RunDump(const Args& args, std::ostream& out, std::ostream& err);
// Device commands: "list", "apply [...]", "reset [...]", "watch".
int RunApply(const Args& args, std::ostream& out, std::ostream& err);
int RunReset(const Args& args, std::ostream& out, std::ostream& err);
// backend: the interfaces to list (the machine's hidraw nodes when null).
int RunList(const Args& args, std::ostream& out, std::ostream& err, HidBackend* backend = nullptr);
int RunWatch(const Args& args, std::ostream& out, std::ostream& err);
// "macros encode FILE [--lead 05|32]" and "macros list FILE".
int RunMacros(const Args& args, std::ostream& out, std::ostream& err);
// Requests to the running configurator: "show" and "demo-stage N".
int RunShow(const Args& args, std::ostream& out, std::ostream& err);
int RunDemoStage(const Args& args, std::ostream& out, std::ostream& err);
// "profile list|new|copy|delete|rename|switch|export|import ...".
int RunProfile(const Args& args, std::ostream& out, std::ostream& err);
// "pointer": where this desktop takes each pointer setting; "pointer apply":
// the current profile's pointer settings to the desktop now.
int RunPointer(const Args& args, std::ostream& out, std::ostream& err);

} // namespace qv530::cli
