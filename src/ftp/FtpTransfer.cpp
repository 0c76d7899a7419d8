#include "ftp/FtpTransfer.h"

bool IsWholeTransfer(std::uint64_t bytes, std::optional<std::uint64_t> expected)
{
    if (!expected)
        return true;
    return bytes >= *expected;
}
