// The FTP primitives the engine's operations are built from. The program uses
// one implementation on WinINet. Each session is one login and is closed when
// the object is destroyed, so no path out of an operation leaves a handle open.
// One object and its sessions are used by one thread at a time.
// The method names stay clear of Win32's A/W macros (RemoveDirectory, ...).
#pragma once

#include "ftp/FtpFailure.h"
#include "ftp/FtpServerAddress.h"
#include "ftp/FtpTransfer.h"
#include "ftp/ServerProfile.h"

#include <cstdint>
#include <memory>
#include <string>

// File attribute bits as a listing reports them.
constexpr std::uint32_t kFtpAttributeDirectory = 0x10;
constexpr std::uint32_t kFtpAttributeReparsePoint = 0x400;

// One entry of a listing, as the server reported it.
struct FtpFindEntry {
    std::wstring name;
    std::uint32_t attributes = 0;
    std::uint32_t sizeHigh = 0;
    std::uint32_t sizeLow = 0;
    std::uint64_t lastWriteTime = 0;  // FILETIME ticks; 0 when the listing gave none
};

enum class FtpFindStatus {
    kEntry,   // the first entry was delivered
    kEmpty,   // the folder holds nothing
    kFailed,  // the listing could not be obtained
};

class FtpSession {
public:
    virtual ~FtpSession() = default;

    virtual bool ChangeDir(const std::wstring& folder) = 0;
    // The current directory as the server names it (PWD).
    virtual bool CurrentDir(std::wstring& folder) = 0;
    virtual bool MakeDir(const std::wstring& folder) = 0;
    // Lists the current directory. Only after kEntry may FindNext be called;
    // the listing stays open until FindEnd (or the end of the session).
    virtual FtpFindStatus FindFirst(FtpFindEntry& entry) = 0;
    virtual bool FindNext(FtpFindEntry& entry) = 0;
    virtual void FindEnd() = 0;
    // Binary transfers in blocks, blockDone told after each (it may be
    // empty; a stop it asks for after the last block changes nothing). An
    // existing target of the same name is replaced. An upload that does not
    // complete is deleted from the server again (partialLeft when that
    // fails); it fails as kLocalFileChanged when the local file grew or
    // shrank while it was read.
    virtual FtpTransferResult Put(const std::wstring& localPath, const std::wstring& remoteName,
                                  const FtpBlockCallback& blockDone) = 0;
    // The data goes to a new file beside the target, which replaces the target
    // only when the transfer completed: never a partial file in its place. It
    // is short when fewer bytes came than `expected` (see IsWholeTransfer).
    // Without `replace`, a local file of the target's name is never replaced:
    // one that appeared while the data came fails the file as kTargetAppeared.
    // A target path too long for the new file beside it fails before anything
    // is fetched.
    virtual FtpTransferResult Get(const std::wstring& remoteName, const std::wstring& localPath,
                                  std::optional<std::uint64_t> expected, bool replace,
                                  const FtpBlockCallback& blockDone) = 0;
    virtual bool Delete(const std::wstring& name) = 0;
    virtual bool RemoveDir(const std::wstring& name) = 0;
    // Renames an entry of the current directory. Servers differ on whether an
    // existing target is replaced; callers check first. On failure the reason
    // is the server's reply, or the system's text when there was none.
    virtual bool Rename(const std::wstring& from, const std::wstring& to, std::wstring& reason) = 0;
};

class FtpPrimitives {
public:
    virtual ~FtpPrimitives() = default;

    // Logs in; null when the connection or the login failed. The session's
    // data connections are made in the given mode.
    virtual std::unique_ptr<FtpSession> Open(const FtpServerAddress& address, const std::wstring& user,
                                             const std::wstring& password, FtpMode mode) = 0;
    // Why the last call that failed, of this object or of one of its
    // sessions, failed.
    virtual FtpFailure LastFailure() const = 0;
    // Whether a name (or path) reaches the server as it is: WinINet sends
    // names in the system's ANSI code page, and a character that has no
    // place in it goes out as "?", so that two names could become one.
    virtual bool CanSendName(const std::wstring& name) const
    {
        (void)name;
        return true;
    }
};
