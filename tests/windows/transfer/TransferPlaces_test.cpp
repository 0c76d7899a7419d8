// Where files go in both directions: from and to a drive root, the login
// directory (an empty FTP folder, for a user whose login directory is not the
// server's root), and an FTP folder whose name recurs inside the tree.
#include "TransferTestSupport.h"

#include <algorithm>

using namespace testenv;
using namespace transfertest;

namespace {

using Files = std::map<std::wstring, std::string>;

class TransferPlacesTest : public TransferTest {};

// A folder below a drive root of the prefix, removed again at the end.
class DriveRootFolder {
public:
    explicit DriveRootFolder(const std::wstring& path) : m_path(path) { RemoveTree(m_path); }
    ~DriveRootFolder() { RemoveTree(m_path); }
    DriveRootFolder(const DriveRootFolder&) = delete;
    DriveRootFolder& operator=(const DriveRootFolder&) = delete;

private:
    std::wstring m_path;
};

}  // namespace

TEST_F(TransferPlacesTest, UploadsFromAndDownloadsIntoADriveRoot)
{
    const DriveRootFolder upload(L"C:\\h6root");
    const DriveRootFolder download(L"C:\\h6dl");
    WriteFileIn(L"C:\\h6root\\top.txt", "top");
    WriteFileIn(L"C:\\h6root\\sub\\r.txt", "r");
    const std::wstring folder = FreshFtpFolder(L"h6-drive");
    WriteFileIn(FtpPath(folder + L"/h6dl/x/y.txt"), "y");
    Open(L"C:", {folder});
    ASSERT_EQ(Text(IDC_LOCAL_PATH), L"C:\\...");

    SelectRows(LocalList(), {L"h6root"});
    Click(IDC_TRANSFER);
    EXPECT_EQ(FilesBelow(FtpPath(folder + L"/h6root")), (Files{{L"top.txt", "top"}, {L"sub/r.txt", "r"}}));

    Click(IDC_TO_LOCAL);
    SelectRows(FtpList(), {L"h6dl"});
    Click(IDC_TRANSFER);
    EXPECT_EQ(FilesBelow(L"C:\\h6dl"), (Files{{L"x/y.txt", "y"}}));
    EXPECT_NE(RowOf(LocalList(), L"h6dl"), -1);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(TransferPlacesTest, AnEmptyFtpFolderMeansTheLoginDirectoryBothWays)
{
    // The sub-user logs in to /sub: relative targets land there, a path from
    // the server's root would not.
    const std::wstring login = FtpPath(L"sub");
    for (const wchar_t* name : {L"h6-login.txt", L"h6-login-tree", L"h6-login-get"})
        RemoveTree(login + L"\\" + name);
    RemoveTree(FtpPath(L"h6-login-tree"));
    WriteFileIn(login + L"\\h6-login-get\\deep\\g.txt", "g");
    WriteFileIn(login + L"\\h6-login-get.txt", "get");
    const std::wstring local = ScratchFolder(L"h6-login");
    WriteFileIn(local + L"\\h6-login.txt", "file");
    WriteFileIn(local + L"\\h6-login-tree\\inner\\i.txt", "inner");
    Open(local, {L"", kSubUser});

    SelectRows(LocalList(), {L"h6-login.txt", L"h6-login-tree"});
    Click(IDC_TRANSFER);
    EXPECT_EQ(ReadFile(login + L"\\h6-login.txt"), "file");
    EXPECT_EQ(FilesBelow(login + L"\\h6-login-tree"), (Files{{L"inner/i.txt", "inner"}}));
    EXPECT_FALSE(Exists(FtpPath(L"h6-login-tree")));

    const std::wstring target = ScratchFolder(L"h6-login-target");
    window->FillLocalList(target);
    Click(IDC_TO_LOCAL);
    SelectRows(FtpList(), {L"h6-login-get", L"h6-login-get.txt"});
    ControlProbe probe(window->Handle());
    Click(IDC_TRANSFER);
    EXPECT_EQ(FilesBelow(target), (Files{{L"h6-login-get/deep/g.txt", "g"}, {L"h6-login-get.txt", "get"}}));
    // The tree is read at the login directory's path, relative as the profile's folder.
    const std::wstring prefix = Texts().Text(TextId::kTransferring) + L" ";
    std::vector<std::wstring> texts;
    for (const ControlProbe::Status& status : probe.StatusesStartingWith(prefix))
        texts.push_back(status.text.substr(prefix.size()));
    for (const ControlProbe::Status& status : probe.FileProgress())
        texts.push_back(NameOfProgress(status.text));
    std::sort(texts.begin() + std::min<std::ptrdiff_t>(1, texts.size()), texts.end());  // files move side by side
    EXPECT_EQ(texts, (std::vector<std::wstring>{L"h6-login-get", L"g.txt", L"h6-login-get.txt"}));
    EXPECT_TRUE(ui.messages.empty());
}
