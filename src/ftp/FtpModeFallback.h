// The FTP primitives with the fallback between the transfer modes: when a
// listing, upload or download is refused in the mode a session uses, it is
// tried once more in the other mode, on a new login in the same folder. When
// that works, every later login to that server with the same chosen mode uses
// the working mode, for as long as the mode memory lives (the program's run).
// The memory may be shared by the fallbacks of several threads.
#pragma once

#include "ftp/FtpPrimitives.h"

#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <utility>

// What the fallbacks learnt of each server's modes.
class FtpModeMemory {
public:
    using Choice = std::pair<std::wstring, FtpMode>;  // server, chosen mode

    bool Refused(const Choice& choice) const;
    bool Working(const Choice& choice) const;
    void SetWorking(const Choice& choice);
    // A session's second try worked in `inUse`.
    void Switched(const Choice& choice, FtpMode inUse);
    std::optional<FtpMode> TakeModeSwitch();

private:
    mutable std::mutex m_lock;
    std::set<Choice> m_refused;  // chosen modes that failed where the other one worked
    std::set<Choice> m_working;  // modes whose data connections worked on the server
    std::optional<FtpMode> m_switch;
};

class FtpModeFallback : public FtpPrimitives {
public:
    explicit FtpModeFallback(FtpPrimitives& ftp,
                             std::shared_ptr<FtpModeMemory> memory = std::make_shared<FtpModeMemory>());

    std::unique_ptr<FtpSession> Open(const FtpServerAddress& address, const std::wstring& user,
                                     const std::wstring& password, FtpMode mode) override;
    // After a failed second try, the reason of the first: the chosen mode's.
    FtpFailure LastFailure() const override;
    bool CanSendName(const std::wstring& name) const override { return m_ftp.CanSendName(name); }

    // The mode logins to the server use when the profile chooses `chosen`.
    FtpMode ModeInUse(const FtpServerAddress& address, FtpMode chosen) const;

    // The mode a session switched to, told once; nothing when no session
    // switched since the last call.
    std::optional<FtpMode> TakeModeSwitch();

private:
    class Session;
    using Choice = FtpModeMemory::Choice;

    static std::wstring ServerKey(const FtpServerAddress& address);

    FtpPrimitives& m_ftp;
    std::shared_ptr<FtpModeMemory> m_memory;
    std::optional<FtpFailure> m_keptFailure;
};
