#include "common/TestEnvironment.h"

#include "framework/Dialog.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace testenv {

namespace {
std::wstring Env(const wchar_t* name)
{
    const wchar_t* value = _wgetenv(name);
    return value ? value : L"";
}

std::wstring UnixToWine(std::wstring path)
{
    for (wchar_t& c : path)
        if (c == L'/')
            c = L'\\';
    return L"Z:" + path;
}
}  // namespace

std::wstring FtpRoot()
{
    const std::wstring root = Env(L"FTPT_FTP_ROOT");
    return root.empty() ? std::wstring() : UnixToWine(root);
}

std::wstring FtpPath(const std::wstring& relative)
{
    if (relative.empty())
        return FtpRoot();
    std::wstring path = FtpRoot() + L"\\";
    for (wchar_t c : relative)
        path.push_back(c == L'/' ? L'\\' : c);
    return path;
}

int FtpPort()
{
    const std::wstring port = Env(L"FTPT_FTP_PORT");
    return port.empty() ? 21 : std::stoi(port);
}

std::wstring ServerName()
{
    const int port = FtpPort();
    return port == 21 ? L"ftp://127.0.0.1" : L"ftp://127.0.0.1:" + std::to_wstring(port);
}

std::wstring ExeFolder()
{
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    return folder.substr(0, folder.rfind(L'\\'));
}

std::wstring ScratchFolder(const std::wstring& name)
{
    const std::wstring folder = ExeFolder() + L"\\..\\scratch\\" + name;
    RemoveTree(folder);
    MakeFolders(folder);
    return fs::weakly_canonical(fs::path(folder)).wstring();
}

std::wstring FreshFtpFolder(const std::wstring& name)
{
    const std::wstring folder = FtpPath(name);
    RemoveTree(folder);
    MakeFolders(folder);
    return name;
}

void WriteFile(const std::wstring& path, const std::string& bytes)
{
    std::ofstream out(fs::path(path), std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string ReadFile(const std::wstring& path)
{
    std::ifstream in(fs::path(path), std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

bool Exists(const std::wstring& path)
{
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void RemoveTree(const std::wstring& path)
{
    std::error_code ignored;
    fs::remove_all(fs::path(path), ignored);
}

void MakeFolders(const std::wstring& path)
{
    std::error_code ignored;
    fs::create_directories(fs::path(path), ignored);
}

void SetLastWriteTime(const std::wstring& path, unsigned long long ticks)
{
    const HANDLE file = ::CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    const FILETIME time = {static_cast<DWORD>(ticks & 0xFFFFFFFFu), static_cast<DWORD>(ticks >> 32)};
    ::SetFileTime(file, nullptr, nullptr, &time);
    ::CloseHandle(file);
}

RecordingUi::RecordingUi() { SetUi(this); }

RecordingUi::~RecordingUi() { SetUi(nullptr); }

int RecordingUi::ShowMessage(HWND, const std::wstring& text, const std::wstring& caption, UINT type)
{
    const bool question = (type & MB_TYPEMASK) == MB_YESNO;
    (question ? questions : messages).push_back({text, caption, type});
    return question ? questionAnswer : IDOK;
}

std::optional<std::wstring> RecordingUi::BrowseForFolder(const std::wstring& title)
{
    browseTitles.push_back(title);
    return browseAnswer;
}

void RecordingUi::ShellOpen(const std::wstring& target) { opened.push_back(target); }

bool RecordingUi::OpenWithProgram(const std::wstring& path, std::wstring&)
{
    opened.push_back(path);
    return true;
}

INT_PTR RecordingUi::RunModal(Dialog& dialog, HWND owner)
{
    modalTemplates.push_back(dialog.TemplateId());
    if (!onModal)
        return IDCANCEL;
    dialog.CreateModeless(owner);
    const INT_PTR result = onModal(dialog);
    if (!dialog.HasEnded())
        dialog.End(result);
    return result;
}

}  // namespace testenv
