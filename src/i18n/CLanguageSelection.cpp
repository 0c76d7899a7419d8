#include "i18n/CLanguageSelection.h"

#include "res/resource.h"

CLanguageSelection::CLanguageSelection() : Dialog(IDD_LANGUAGE) {}

BOOL CLanguageSelection::OnInit()
{
    return TRUE;
}

void CLanguageSelection::OnOK()
{
    End(IDOK);
}
