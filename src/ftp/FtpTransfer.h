// One file's transfer as the FTP primitives stream it: blocks of 1 MiB, a
// call after each block that may stop the transfer, and a result that tells
// a whole file from a short, stopped or failed one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

constexpr std::size_t kTransferBlockSize = 1024 * 1024;

enum class FtpTransferStatus {
    kComplete,  // every byte of the source arrived
    kShort,     // the data ended before the source's size was reached
    kStopped,   // the block call asked to stop
    kFailed,    // a call failed; the primitives' LastFailure says why
};

struct FtpTransferResult {
    FtpTransferStatus status = FtpTransferStatus::kFailed;
    std::uint64_t bytes = 0;  // moved before the transfer ended
    // An upload that did not complete left part of the file on the server:
    // deleting it failed. partialName is the part's name in the target folder.
    bool partialLeft = false;
    std::wstring partialName;

    explicit operator bool() const { return status == FtpTransferStatus::kComplete; }
};

// Told the bytes moved so far after each block; false stops the transfer.
using FtpBlockCallback = std::function<bool(std::uint64_t bytesSoFar)>;

// Whether `bytes` is the whole of a download whose listing gave the expected
// size. An unknown size accepts any count; a listed size is a lower bound,
// since a file may grow after it was listed (and Wine caps listed sizes).
bool IsWholeTransfer(std::uint64_t bytes, std::optional<std::uint64_t> expected);
