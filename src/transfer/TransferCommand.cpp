#include "transfer/TransferCommand.h"

#include "i18n/CTranslation.h"
#include "res/resource.h"

TransferCommand::TransferCommand(CTranslation& texts, PowerClass& power, ServerProfile& profile,
                                 FtpListing& listing, LocalPane& localPane, FtpPane& ftpPane)
    : m_texts(texts), m_power(power), m_profile(profile), m_listing(listing), m_localPane(localPane),
      m_ftpPane(ftpPane)
{
}

void TransferCommand::Bind(HWND dialog)
{
    m_dialog = dialog;
    m_transfer.Attach(dialog, IDC_TRANSFER);
    m_toLocal.Attach(dialog, IDC_TO_LOCAL);
    m_toFtp.Attach(dialog, IDC_TO_FTP);
    m_status.Attach(dialog, IDC_STATUS);
}

void TransferCommand::SetUploadDirection()
{
    m_transfer.SetText(L">>>  " + m_texts.Text(95) + L"  >>>");
    m_toLocal.Enable(true);
    m_toFtp.Enable(false);
}

void TransferCommand::SetDownloadDirection()
{
    m_transfer.SetText(L"<<<  " + m_texts.Text(95) + L"  <<<");
    m_toLocal.Enable(false);
    m_toFtp.Enable(true);
}

void TransferCommand::TransferSelection()
{
}
