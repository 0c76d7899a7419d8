#include "ftp/FtpModeFallback.h"

#include <vector>

class FtpModeFallback::Session : public FtpSession {
public:
    Session(FtpModeFallback& owner, std::unique_ptr<FtpSession> inner, const FtpServerAddress& address,
            const std::wstring& user, const std::wstring& password, FtpMode chosen)
        : m_owner(owner),
          m_inner(std::move(inner)),
          m_address(address),
          m_user(user),
          m_password(password),
          m_choice(ServerKey(address), chosen),
          m_inUse(owner.ModeInUse(address, chosen))
    {
    }

    bool ChangeDir(const std::wstring& folder) override
    {
        if (!Begin() || !m_inner->ChangeDir(folder))
            return false;
        // A kept session changes folders often: an absolute one is all a
        // second login needs.
        if (!folder.empty() && folder[0] == L'/')
            m_folders.clear();
        m_folders.push_back(folder);
        return true;
    }
    bool CurrentDir(std::wstring& folder) override { return Begin() && m_inner->CurrentDir(folder); }
    bool MakeDir(const std::wstring& folder) override { return Begin() && m_inner->MakeDir(folder); }
    FtpFindStatus FindFirst(FtpFindEntry& entry) override
    {
        if (!Begin())
            return FtpFindStatus::kFailed;
        FtpFindStatus status = m_inner->FindFirst(entry);
        if (status != FtpFindStatus::kFailed)
            Worked();
        else
            TryOtherMode([&](FtpSession& session) {
                status = session.FindFirst(entry);
                return status != FtpFindStatus::kFailed;
            });
        return status;
    }
    bool FindNext(FtpFindEntry& entry) override { return Begin() && m_inner->FindNext(entry); }
    void FindEnd() override
    {
        if (Begin())
            m_inner->FindEnd();
    }
    FtpTransferResult Put(const std::wstring& localPath, const std::wstring& remoteName,
                          const FtpBlockCallback& blockDone) override
    {
        return Transfer([&](FtpSession& session) { return session.Put(localPath, remoteName, blockDone); });
    }
    FtpTransferResult Get(const std::wstring& remoteName, const std::wstring& localPath,
                          std::optional<std::uint64_t> expected, bool replace,
                          const FtpBlockCallback& blockDone) override
    {
        return Transfer(
            [&](FtpSession& session) { return session.Get(remoteName, localPath, expected, replace, blockDone); });
    }
    bool Delete(const std::wstring& name) override { return Begin() && m_inner->Delete(name); }
    bool RemoveDir(const std::wstring& name) override { return Begin() && m_inner->RemoveDir(name); }
    bool Rename(const std::wstring& from, const std::wstring& to, std::wstring& reason) override
    {
        return Begin() && m_inner->Rename(from, to, reason);
    }

private:
    // A transfer is tried in the other mode only when it failed before its
    // first byte: once data flowed, the mode works and the fault is elsewhere.
    template <typename Call>
    FtpTransferResult Transfer(Call call)
    {
        if (!Begin())
            return {};
        const FtpTransferResult first = call(*m_inner);
        if (first.status != FtpTransferStatus::kFailed || first.bytes > 0) {
            Worked(first.bytes > 0 || static_cast<bool>(first));
            return first;
        }
        FtpTransferResult second;
        if (TryOtherMode([&](FtpSession& session) {
                second = call(session);
                return second.status != FtpTransferStatus::kFailed || second.bytes > 0;
            }))
            return second;
        return second.bytes > 0 || second.partialLeft ? second : first;
    }

    // Every call starts with a fresh reason. A session whose second try could
    // not even log in has nothing left to call.
    bool Begin()
    {
        m_owner.m_keptFailure.reset();
        return m_inner != nullptr;
    }

    // A data connection in the mode in use worked on this server.
    bool Worked(bool worked = true)
    {
        if (worked)
            m_owner.m_memory->SetWorking({m_choice.first, m_inUse});
        return worked;
    }

    // Once per session: a new login in the other mode, in the same folder,
    // then the refused call again. Not when the mode has already worked on
    // this server: then a refusal is about the file or folder (a missing
    // file also draws a 550). The first session is closed before, so that a
    // server allowing one connection per user still lets the retry in.
    template <typename Call>
    bool TryOtherMode(Call call)
    {
        const FtpFailure first = m_owner.m_ftp.LastFailure();
        if (m_triedOther || !MayBeModeFailure(first) || m_owner.m_memory->Working({m_choice.first, m_inUse}))
            return false;
        m_triedOther = true;
        m_inner.reset();
        const FtpMode other = OtherMode(m_inUse);
        m_inner = m_owner.m_ftp.Open(m_address, m_user, m_password, other);
        bool worked = m_inner != nullptr;
        for (std::size_t i = 0; worked && i < m_folders.size(); ++i)
            worked = m_inner->ChangeDir(m_folders[i]);
        worked = worked && call(*m_inner);
        if (!worked) {
            m_owner.m_keptFailure = first;
            return false;
        }
        m_inUse = other;
        Worked();
        m_owner.m_memory->Switched(m_choice, other);
        return true;
    }

    FtpModeFallback& m_owner;
    std::unique_ptr<FtpSession> m_inner;
    FtpServerAddress m_address;
    std::wstring m_user;
    std::wstring m_password;
    Choice m_choice;
    FtpMode m_inUse;
    std::vector<std::wstring> m_folders;  // entered since the login, in order
    bool m_triedOther = false;
};

bool FtpModeMemory::Refused(const Choice& choice) const
{
    const std::lock_guard<std::mutex> guard(m_lock);
    return m_refused.count(choice) != 0;
}

bool FtpModeMemory::Working(const Choice& choice) const
{
    const std::lock_guard<std::mutex> guard(m_lock);
    return m_working.count(choice) != 0;
}

void FtpModeMemory::SetWorking(const Choice& choice)
{
    const std::lock_guard<std::mutex> guard(m_lock);
    m_working.insert(choice);
}

void FtpModeMemory::Switched(const Choice& choice, FtpMode inUse)
{
    const std::lock_guard<std::mutex> guard(m_lock);
    if (inUse == choice.second)
        m_refused.erase(choice);
    else
        m_refused.insert(choice);
    m_switch = inUse;
}

std::optional<FtpMode> FtpModeMemory::TakeModeSwitch()
{
    const std::lock_guard<std::mutex> guard(m_lock);
    std::optional<FtpMode> taken = m_switch;
    m_switch.reset();
    return taken;
}

FtpModeFallback::FtpModeFallback(FtpPrimitives& ftp, std::shared_ptr<FtpModeMemory> memory)
    : m_ftp(ftp), m_memory(std::move(memory))
{
}

std::wstring FtpModeFallback::ServerKey(const FtpServerAddress& address)
{
    std::wstring key = address.host;
    for (wchar_t& c : key)
        if (c >= L'A' && c <= L'Z')
            c = static_cast<wchar_t>(c - L'A' + L'a');
    return key + L":" + std::to_wstring(address.port);
}

FtpMode FtpModeFallback::ModeInUse(const FtpServerAddress& address, FtpMode chosen) const
{
    return m_memory->Refused({ServerKey(address), chosen}) ? OtherMode(chosen) : chosen;
}

std::unique_ptr<FtpSession> FtpModeFallback::Open(const FtpServerAddress& address, const std::wstring& user,
                                                  const std::wstring& password, FtpMode mode)
{
    m_keptFailure.reset();
    std::unique_ptr<FtpSession> inner = m_ftp.Open(address, user, password, ModeInUse(address, mode));
    if (!inner)
        return nullptr;
    return std::make_unique<Session>(*this, std::move(inner), address, user, password, mode);
}

FtpFailure FtpModeFallback::LastFailure() const
{
    return m_keptFailure ? *m_keptFailure : m_ftp.LastFailure();
}

std::optional<FtpMode> FtpModeFallback::TakeModeSwitch() { return m_memory->TakeModeSwitch(); }
