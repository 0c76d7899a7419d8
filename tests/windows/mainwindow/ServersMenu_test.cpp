// The Servers menu: the saved servers of the settings file, the one in use
// checked; choosing one lists its folder on its server.
#include "MainWindowTestSupport.h"

#include "ftp/FtpTestSupport.h"
#include "ftppane/SavedServers.h"
#include "res/resource.h"
#include "settings/DpapiProtector.h"
#include "settings/StoredValue.h"

#include <algorithm>

using namespace mainwindow;
using namespace testenv;

namespace {

class ServersMenu : public MainWindowTest {
protected:
    // The items' texts, each after "|", "*" before the checked one, "-" for the separator.
    std::wstring Items() const
    {
        std::wstring items;
        HMENU servers = ::GetSubMenu(::GetMenu(Hwnd()), 1);
        for (UINT i = 0; i < static_cast<UINT>(::GetMenuItemCount(servers)); ++i) {
            const UINT state = ::GetMenuState(servers, i, MF_BYPOSITION);
            items += (state & MF_CHECKED ? L"|*" : L"|") +
                     (state & MF_SEPARATOR ? std::wstring(L"-") : MenuText(servers, i, MF_BYPOSITION));
        }
        return items;
    }
};

}  // namespace

TEST_F(ServersMenu, ListsTheSavedServersAndSwitchingListsTheOtherServersFolder)
{
    const std::wstring folder = FreshFtpFolder(L"servers-menu");
    MakeFolders(FtpPath(folder + L"/on-pyftpdlib"));
    std::wstring vsftpdFolder = L"Z:" + std::wstring(_wgetenv(L"FTPT_VSFTPD_ROOT")) + L"/home/servers-menu/on-vsftpd";
    std::replace(vsftpdFolder.begin(), vsftpdFolder.end(), L'/', L'\\');
    MakeFolders(vsftpdFolder);

    // An older program's file: its profile, and no saved servers.
    Settings settings = QuietSettings({{L"FTP Data", ServerName() + L"*" + kUser + L"*" + folder},
                                       {L"Powersetting 2000", EncodeStoredValue(kPassword)}});
    Open(settings);
    const std::wstring manage = L"|  " + Translated(TextId::kManageServersMenuItem);
    EXPECT_EQ(Items(), manage);
    EXPECT_EQ(RowNames(IDC_FTP_LIST), (std::vector<std::wstring>{L"[...]", L"on-pyftpdlib"}));

    DpapiProtector protector;
    SavedServerList list;
    list.Save(L"Py & co", {{ServerName(), kUser, kPassword}, folder}, protector);
    list.Save(L"vsftpd", {{ftptest::ServerOn(L"FTPT_VSFTPD_PASSIVE_PORT"), L"ftpttest", kPassword}, L"servers-menu"},
              protector);
    for (const std::wstring& value : list.Encode())
        settings.push_back({kSavedServerKey, value});
    window.reset();
    Open(settings);
    EXPECT_EQ(Items(), L"|*  Py && co|  vsftpd|-" + manage);

    Command(IDM_SAVED_SERVER_FIRST + 1);
    EXPECT_EQ(window->Profile().login.user + L" " + window->Profile().login.password, L"ftpttest secret");
    EXPECT_EQ(RowNames(IDC_FTP_LIST), (std::vector<std::wstring>{L"[...]", L"on-vsftpd"}));
    EXPECT_EQ(Items(), L"|  Py && co|*  vsftpd|-" + manage);
    Command(IDM_SAVED_SERVER_FIRST);
    EXPECT_EQ(RowNames(IDC_FTP_LIST), (std::vector<std::wstring>{L"[...]", L"on-pyftpdlib"}));
    EXPECT_EQ(Items(), L"|*  Py && co|  vsftpd|-" + manage);
    EXPECT_TRUE(ui.messages.empty());
}
