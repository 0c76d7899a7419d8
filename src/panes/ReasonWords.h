// The program's words around the reason of a failed FTP operation, from the
// window's translation table.
#pragma once

#include "ftp/FtpFailure.h"
#include "i18n/CTranslation.h"

inline FailureWords ReasonWords(const CTranslation& texts)
{
    return {texts.Text(TextId::kServerAnswered), texts.Text(TextId::kNoAnswer), texts.Text(TextId::kTransferIncomplete),
            texts.Text(TextId::kPartialLeftOnServer)};
}
