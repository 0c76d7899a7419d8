// The FTP primitives on WinINet: a direct Internet handle and an active-mode
// FTP connection per session, binary transfers, handles closed by the session.
#pragma once

#include "ftp/FtpPrimitives.h"

class WinInetFtp : public FtpPrimitives {
public:
    std::unique_ptr<FtpSession> Open(const FtpServerAddress& address, const std::wstring& user,
                                     const std::wstring& password) override;
    void PumpPendingMessages() override;
};
