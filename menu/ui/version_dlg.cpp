// The version window: the base dialog's OK and Escape handling is all it needs.
#include "version_dlg.h"

#include "resource.h"

CVersionDlg::CVersionDlg() : CDialogBase(IDD_ABOUTBOX) {}
