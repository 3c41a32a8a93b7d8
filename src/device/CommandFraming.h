#pragma once
// Framing of the mouse's commands: an 8-byte command block (code, six
// parameters, checksum) in a feature report with report ID 0, followed for
// bulk commands by 64-byte data chunks in output or input reports; and the
// pad's frame (code and seven parameters, no checksum).
//
//   feature report  00 | code p1 p2 p3 p4 p5 p6 cs      cs = 0xFF - sum(code..p6)
//   chunk report    00 | 64 data bytes | zeros up to the interface's length
//   pad report      00 | code q1 q2 q3 q4 q5 q6 q7
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "device/HidPort.h"

namespace qv530 {

inline constexpr std::size_t kBlockSize = 8;
inline constexpr std::size_t kBlockChecksum = 7;
inline constexpr std::size_t kReportIdByte = 0;
inline constexpr std::size_t kReportPayload = 1; // first byte after the report ID
inline constexpr std::size_t kChunkSize = 64;
inline constexpr std::size_t kFeatureBufferSize = 16;
inline constexpr std::size_t kChunkBufferSize = 280;
inline constexpr std::size_t kPadParams = 7;

// Fixed pauses of the protocol, never shortened.
inline constexpr int kFeaturePauseMs = 50;
inline constexpr int kChunkPauseMs = 100;

using CommandBlock = std::array<std::uint8_t, kBlockSize>;

// 0xFF minus the sum of bytes 0..6, modulo 256.
std::uint8_t BlockChecksum(const CommandBlock& block);
// A block with its checksum in byte 7.
CommandBlock MakeBlock(std::uint8_t code, std::uint8_t p1 = 0, std::uint8_t p2 = 0, std::uint8_t p3 = 0,
                       std::uint8_t p4 = 0, std::uint8_t p5 = 0, std::uint8_t p6 = 0);

// Number of 64-byte chunks that carry length bytes.
std::size_t ChunkCount(std::size_t length);

// Sends the block (checksum recomputed) and waits 50 ms; with readBack it
// then reads the answer into block (8 bytes, unchecked) and waits 50 ms.
void SendCommand(HidPort& port, CommandBlock& block, bool readBack);
// The write-only form of the single-report commands.
void SendCommandOnly(HidPort& port, CommandBlock block);
// A command followed by ChunkCount(length) chunks: read into data when
// reading, else written from data. Failed reports are not retried.
void TransferBlock(HidPort& port, CommandBlock& block, std::span<std::uint8_t> data, bool reading, std::size_t length);
// The pad frame; waits 50 ms.
void SendPadCommand(HidPort& port, std::uint8_t code, const std::array<std::uint8_t, kPadParams>& params);

} // namespace qv530
