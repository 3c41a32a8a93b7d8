#include "device/CommandFraming.h"

#include <algorithm>

#include "platform/DebugLog.h"

namespace qv530 {
namespace {

// The part of a buffer the interface's report length covers.
template <std::size_t N>
std::span<std::uint8_t> Report(std::array<std::uint8_t, N>& buffer, std::uint16_t length) {
    return std::span<std::uint8_t>(buffer.data(), std::min<std::size_t>(length, N));
}

template <std::size_t N>
void PutBlock(std::array<std::uint8_t, N>& buffer, const CommandBlock& block) {
    std::copy(block.begin(), block.end(), buffer.begin() + kReportPayload);
    CommandBlock framed = block;
    buffer[kReportPayload + kBlockChecksum] = BlockChecksum(framed);
}

template <std::size_t N>
void TakeBlock(const std::array<std::uint8_t, N>& buffer, CommandBlock& block) {
    std::copy_n(buffer.begin() + kReportPayload, kBlockSize, block.begin());
}

} // namespace

std::uint8_t BlockChecksum(const CommandBlock& block) {
    unsigned sum = 0;
    for (std::size_t i = 0; i < kBlockChecksum; ++i) sum += block[i];
    return static_cast<std::uint8_t>(0xFF - (sum & 0xFF));
}

CommandBlock MakeBlock(std::uint8_t code, std::uint8_t p1, std::uint8_t p2, std::uint8_t p3, std::uint8_t p4,
                       std::uint8_t p5, std::uint8_t p6) {
    CommandBlock block{code, p1, p2, p3, p4, p5, p6, 0};
    block[kBlockChecksum] = BlockChecksum(block);
    return block;
}

std::size_t ChunkCount(std::size_t length) { return length / kChunkSize + (length % kChunkSize ? 1 : 0); }

void SendCommand(HidPort& port, CommandBlock& block, bool readBack) {
    std::array<std::uint8_t, kFeatureBufferSize> buffer{};
    PutBlock(buffer, block);
    port.SetFeature(Report(buffer, port.lengths().feature));
    port.Pause(kFeaturePauseMs);
    if (!readBack) return;
    buffer.fill(0);
    port.GetFeature(Report(buffer, port.lengths().feature));
    port.Pause(kFeaturePauseMs);
    TakeBlock(buffer, block);
    DebugPrintf("Buffer[1]:%02x,Buffer[2]:%02x.", buffer[1], buffer[2]);
}

void SendCommandOnly(HidPort& port, CommandBlock block) { SendCommand(port, block, false); }

void TransferBlock(HidPort& port, CommandBlock& block, std::span<std::uint8_t> data, bool reading, std::size_t length) {
    std::array<std::uint8_t, kChunkBufferSize> buffer{};
    PutBlock(buffer, block);
    port.SetFeature(Report(buffer, port.lengths().feature));
    port.Pause(kFeaturePauseMs);

    const std::size_t chunks = ChunkCount(length);
    if (reading) {
        buffer.fill(0);
        port.GetFeature(Report(buffer, port.lengths().feature));
        port.Pause(kFeaturePauseMs);
        TakeBlock(buffer, block);
    }
    for (std::size_t chunk = 0; chunk < chunks; ++chunk) {
        const std::size_t offset = chunk * kChunkSize;
        const std::size_t count = offset < data.size() ? std::min(kChunkSize, data.size() - offset) : 0;
        buffer.fill(0);
        if (reading) {
            port.Read(Report(buffer, port.lengths().input));
            std::copy_n(buffer.begin() + kReportPayload, count, data.begin() + static_cast<std::ptrdiff_t>(offset));
        } else {
            std::copy_n(data.begin() + static_cast<std::ptrdiff_t>(offset), count, buffer.begin() + kReportPayload);
            port.Write(Report(buffer, port.lengths().output));
        }
        port.Pause(kChunkPauseMs);
    }
}

void SendPadCommand(HidPort& port, std::uint8_t code, const std::array<std::uint8_t, kPadParams>& params) {
    std::array<std::uint8_t, kFeatureBufferSize> buffer{};
    buffer[kReportPayload] = code;
    std::copy(params.begin(), params.end(), buffer.begin() + kReportPayload + 1);
    port.SetFeature(Report(buffer, port.lengths().feature));
    port.Pause(kFeaturePauseMs);
}

} // namespace qv530
