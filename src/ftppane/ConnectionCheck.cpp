#include "ftppane/ConnectionCheck.h"

#include "ftp/SafeLocalName.h"

#include <algorithm>

namespace {

// A clash even after this many draws means the random source is broken.
constexpr int kNameDraws = 8;

bool IsTaken(const FtpListing& listing, const std::wstring& name)
{
    const auto same = [&name](const std::wstring& entry) { return SameNameIgnoringCase(entry, name); };
    return std::any_of(listing.fileNames.begin(), listing.fileNames.end(), same) ||
           std::any_of(listing.folderNames.begin(), listing.folderNames.end(), same);
}

CheckMessage LoginProblem(const ServerProfile& profile, const FtpFailure& failure)
{
    if (!IsUnreachable(failure))
        return {TextId::kCheckLoginFailed, {}, failure, std::nullopt};
    const FtpServerAddress address = ParseServerName(profile.login.serverName);
    return {TextId::kServerUnreachable, {address.host, std::to_wstring(address.port)}, failure, std::nullopt};
}

}  // namespace

std::wstring CheckFileName(const std::wstring& random)
{
    return L".velmo-check-" + random + L".tmp";
}

std::vector<CheckMessage> RunConnectionCheck(FtpEngine& engine, const ServerProfile& profile,
                                             const std::wstring& testFile, const std::wstring& localCopy,
                                             const RandomText& randomText)
{
    const FtpLogin& login = profile.login;
    const std::wstring& folder = profile.folder;
    FtpListing listing;
    if (!engine.ListFtpFolder(listing, login, folder)) {
        const FtpFailure& failure = engine.LastFailure();
        if (failure.atLogin)
            return {LoginProblem(profile, failure)};
        if (folder.empty())
            return {{TextId::kLoginFolderNotListed, {}, failure, std::nullopt}};
        return {{TextId::kCheckFolderNotOpened, {folder}, failure, std::nullopt}};
    }
    std::wstring name;
    for (int draw = 0; draw < kNameDraws && name.empty(); ++draw) {
        name = CheckFileName(randomText());
        if (IsTaken(listing, name))
            name.clear();
    }
    if (name.empty() || !engine.UploadFileAs(testFile, login, folder, name))
        return {{TextId::kCheckUploadFailed, {}, name.empty() ? FtpFailure() : engine.LastFailure(), std::nullopt}};
    std::vector<CheckMessage> told = {{TextId::kCheckUploaded, {}, FtpFailure(), std::nullopt}};
    const FtpMode mode = engine.ModeInUse(login);
    if (!engine.DownloadFileTo(localCopy, login, folder, name)) {
        told.push_back({TextId::kCheckDownloadFailed, {}, engine.LastFailure(), mode});
        // The test file is the check's own: it goes whatever happened.
        engine.DeleteFtpFile(login, folder, name);
        return told;
    }
    if (engine.DeleteFtpFile(login, folder, name))
        told.push_back({TextId::kCheckSucceeded, {}, FtpFailure(), mode});
    else
        told.push_back({TextId::kCheckDeleteFailed, {}, engine.LastFailure(), mode});
    return told;
}
