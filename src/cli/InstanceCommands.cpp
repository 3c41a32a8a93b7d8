// qv530ctl show and demo-stage: requests to the running configurator.
#include "cli/Commands.h"
#include "platform/InstanceChannel.h"

namespace qv530::cli {
namespace {

int Send(const std::string& request, std::ostream& err) {
    std::string error;
    if (SendInstanceRequest(InstanceSocketPath(), request, error)) return 0;
    err << "qv530ctl: " << error << "\n";
    return 1;
}

} // namespace

int RunShow(const Args& args, std::ostream&, std::ostream& err) {
    if (!args.empty()) {
        err << "usage: qv530ctl show\n";
        return 2;
    }
    return Send("restore", err);
}

int RunDemoStage(const Args& args, std::ostream&, std::ostream& err) {
    const std::string request = args.size() == 1 ? "demo-stage " + args[0] : std::string{};
    if (ParseInstanceRequest(request).kind != InstanceRequest::Kind::DemoStage) {
        err << "usage: qv530ctl demo-stage N   (N is a DPI stage, 0.." << kDemoStageMax << ")\n";
        return 2;
    }
    return Send(request, err);
}

} // namespace qv530::cli
