// What the FTP engine's tests share: the profile of each test user and the
// commands the test server logged while a test step ran.
#pragma once

#include "common/TestEnvironment.h"
#include "ftp/FtpEngine.h"
#include "ftp/WinInetFtp.h"

#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace ftptest {

// The engine as the program builds it: on WinINet.
inline FtpEngine& Engine()
{
    static WinInetFtp winInet;
    static FtpEngine engine(winInet);
    return engine;
}

// A port of the servers beside the test server (scripts/lib.sh,
// start_extra_servers): FTPT_NOPASV_PORT, FTPT_SILENT_PORT, ...
inline int ExtraPort(const wchar_t* name)
{
    const wchar_t* port = _wgetenv(name);
    return port ? _wtoi(port) : 0;
}

inline std::wstring ServerOn(const wchar_t* portName)
{
    return L"ftp://127.0.0.1:" + std::to_wstring(ExtraPort(portName));
}

// vsftpd's login directory, as Wine sees it.
inline std::wstring VsftpdHome()
{
    const wchar_t* root = _wgetenv(L"FTPT_VSFTPD_ROOT");
    std::wstring path = L"Z:" + std::wstring(root ? root : L"") + L"/home";
    for (wchar_t& c : path)
        if (c == L'/')
            c = L'\\';
    return path;
}

struct Login {
    std::wstring server = testenv::ServerName();
    std::wstring user = testenv::kUser;
    std::wstring password = testenv::kPassword;

    operator FtpLogin() const { return {server, user, password}; }
};

inline Login SubUser()
{
    Login login;
    login.user = testenv::kSubUser;
    return login;
}

// Reads the commands the server logged from now on ("<user>\t<command>"
// lines, see tests/ftpserver/server.py), without the user.
class ServerLog {
public:
    ServerLog() : m_start(Size()) {}

    std::vector<std::string> Commands() const
    {
        std::vector<std::string> commands;
        const std::string text = testenv::ReadFile(Path()).substr(m_start);
        std::size_t start = 0;
        while (start < text.size()) {
            std::size_t end = text.find('\n', start);
            if (end == std::string::npos)
                end = text.size();
            const std::string line = text.substr(start, end - start);
            const std::size_t tab = line.find('\t');
            commands.push_back(tab == std::string::npos ? line : line.substr(tab + 1));
            start = end + 1;
        }
        return commands;
    }

    // How many logged commands start with the verb ("LIST", "MKD", ...).
    int Count(const std::string& verb) const
    {
        int count = 0;
        for (const std::string& command : Commands())
            if (command == verb || command.compare(0, verb.size() + 1, verb + " ") == 0)
                ++count;
        return count;
    }

private:
    static std::wstring Path()
    {
        const wchar_t* log = _wgetenv(L"FTPT_FTP_LOG");
        std::wstring path = log ? log : L"";
        for (wchar_t& c : path)
            if (c == L'/')
                c = L'\\';
        return L"Z:" + path;
    }

    static std::size_t Size() { return testenv::ReadFile(Path()).size(); }

    std::size_t m_start;
};

}  // namespace ftptest
