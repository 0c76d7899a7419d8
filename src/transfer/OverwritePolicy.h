// What the batch does when a file it is about to write already exists on
// the other side: the question put to the user, the five answers, and the
// answers that hold for the rest of the batch (Replace all, Skip all).
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

enum class OverwriteChoice { kReplace, kReplaceAll, kSkip, kSkipAll, kCancel };

// One side of the question: a size and a time where known (FILETIME ticks,
// UTC; 0 when unknown).
struct OverwriteSide {
    std::optional<std::uint64_t> size;
    std::uint64_t time = 0;
};

struct OverwriteQuestion {
    std::wstring name;     // the file's name, as the target folder holds it
    bool onServer = false;  // the existing file is on the FTP server (an upload)
    OverwriteSide existing;
    OverwriteSide incoming;
};

enum class OverwriteDecision { kTransfer, kSkip, kStop };

class OverwritePolicy {
public:
    // For a file that exists: asks unless an earlier "all" answer holds.
    // Cancel stops the batch.
    OverwriteDecision Decide(const std::function<OverwriteChoice()>& ask);

private:
    std::optional<OverwriteDecision> m_forAll;
};
