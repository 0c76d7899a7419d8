#include "ftppane/CAddFtp.h"

#include "res/resource.h"

CAddFtp::CAddFtp() : Dialog(IDD_ADDFTP) {}

BOOL CAddFtp::OnInit()
{
    return TRUE;
}

bool CAddFtp::OnCommand(WORD id, WORD code, HWND control)
{
    return Dialog::OnCommand(id, code, control);
}

void CAddFtp::OnOK()
{
    End(IDOK);
}
