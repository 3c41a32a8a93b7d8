// qv530ctl defaults FILE and qv530ctl dump FILE.
#include <cstring>

#include "cli/Commands.h"
#include "cli/RecordDump.h"
#include "platform/FileIo.h"
#include "profiles/ConfigFiles.h"
#include "profiles/FactoryFiles.h"

namespace qv530::cli {

int RunDefaults(const Args& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 1) {
        err << "usage: qv530ctl defaults FILE\n";
        return 2;
    }
    if (const int error = WriteFileAtomic(args[0], FactoryConfigImage()); error != 0) {
        // Only a regular file or a new name is written (never a FIFO, a link or a device node).
        err << "qv530ctl: " << DescribeWriteError(args[0], error) << "\n";
        return 1;
    }
    out << "Wrote the factory configuration to " << args[0] << "\n";
    return 0;
}

int RunDump(const Args& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 1) {
        err << "usage: qv530ctl dump FILE\n";
        return 2;
    }
    const std::string& path = args[0];
    const long long size = FileSize(path);
    if (size < 0) {
        err << "qv530ctl: " << path << ": no such file\n";
        return 1;
    }
    const auto bytes = ReadFilePrefix(path, config_file::kSize);
    if (!bytes) {
        err << "qv530ctl: cannot read " << DescribeReadError(path, errno, config_file::kSize) << "\n";
        return 1;
    }
    if (bytes->empty()) {
        err << "qv530ctl: " << path << " is empty, not a configuration file\n";
        return 1;
    }
    if (size != static_cast<long long>(config_file::kSize))
        err << "qv530ctl: warning: " << path << " has " << size << " bytes, not " << config_file::kSize
            << (size < static_cast<long long>(config_file::kSize) ? "; the missing record bytes read as zero\n"
                                                                   : "; the extra bytes are ignored\n");
    // Read as the loader reads it: the flag, then as much of the record as there is.
    MouseSettings settings;
    std::memcpy(settings.data(), bytes->data() + config_file::kRecord, bytes->size() - config_file::kRecord);
    out << "FirstRunFlag: " << int((*bytes)[config_file::kFlag]) << "\n";
    for (const std::string& line : DumpRecord(settings)) out << line << "\n";
    return 0;
}

} // namespace qv530::cli
