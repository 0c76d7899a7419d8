// The program's words around the reason of a failed FTP operation, from the
// window's translation table.
#pragma once

#include "ftp/FtpFailure.h"
#include "i18n/CTranslation.h"

#include <utility>

inline FailureWords ReasonWords(const CTranslation& texts)
{
    FailureWords words = {texts.Text(TextId::kServerAnswered), texts.Text(TextId::kNoAnswer),
                          texts.Text(TextId::kTransferIncomplete), texts.Text(TextId::kPartialLeftOnServer),
                          texts.Text(TextId::kNotLocalNameReason), {}};
    words.notServerName = texts.Text(TextId::kNotServerNameReason);
    words.localFileChanged = texts.Text(TextId::kLocalFileChanged);
    words.targetAppeared = texts.Text(TextId::kTargetAppeared);
    words.linkNotFollowed = texts.Text(TextId::kLinkNotFollowed);
    // The WinINet and Winsock errors the system may have no words for.
    const std::pair<std::uint32_t, TextId> own[] = {
        {12000, TextId::kErrorUnknown},          {12002, TextId::kErrorTimeout},
        {12003, TextId::kErrorExtended},         {12004, TextId::kErrorInternal},
        {12005, TextId::kErrorInvalidUrl},       {12007, TextId::kErrorNameNotResolved},
        {12013, TextId::kErrorUserRefused},      {12014, TextId::kErrorPasswordRefused},
        {12015, TextId::kErrorLoginRefused},     {12017, TextId::kErrorCancelled},
        {12029, TextId::kErrorCannotConnect},    {12030, TextId::kErrorAborted},
        {12031, TextId::kErrorReset},            {12110, TextId::kErrorServerClosed},
        {12111, TextId::kErrorDropped},          {10060, TextId::kErrorSocketTimedOut},
        {10061, TextId::kErrorSocketRefused},    {kPathTooLong, TextId::kLocalPathTooLong},
    };
    for (const auto& [error, text] : own)
        words.errorTexts[error] = texts.Text(text);
    return words;
}
