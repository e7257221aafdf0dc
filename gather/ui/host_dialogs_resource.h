// Resource numbers of the host and group dialogs (templates, controls, pictures): the numbers
// Gather has always used. Plain definitions only: the portable models and the tests read them.
#pragma once

#ifndef IDOK
#define IDOK 1
#define IDCANCEL 2
#endif
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// ---- templates ----
#define IDD_HOSTREG 129
#define IDD_LOGIN 131
#define IDD_GROUPLIST 141
#define IDD_GROUPEDIT 142
#define IDD_ACQUISITION_CHECK 153
#define IDD_HOSTPICK 157

// ---- pictures ----
#define IDB_PRODUCT_LOGO 140
#define IDB_HOST_CHANGE 151

// ---- "ホスト名の登録" (129) ----
#define IDC_HOSTREG_HOST 1005
#define IDC_HOSTREG_DOMAIN 1006
#define IDC_HOSTREG_REGISTERED 1007
#define IDC_HOSTREG_HOSTS 1008
#define IDC_HOSTREG_DOMAINS 1009
#define IDC_HOSTREG_ADD 1010
#define IDC_HOSTREG_DELETE 1011
#define IDC_HOSTREG_INFO 1012
#define IDC_HOSTREG_CHECK 1093
#define IDC_HOSTREG_MANUAL 1094

// ---- "ログイン" (131) ----
#define IDC_LOGIN_HOST 1005
#define IDC_LOGIN_USER 1013
#define IDC_LOGIN_PASSWORD 1014

// ---- "グループの登録" (141) ----
#define IDC_GROUPS_MEMBERS 1007
#define IDC_GROUPS_LIST 1095
#define IDC_GROUPS_ADD 1096
#define IDC_GROUPS_CHANGE 1097
#define IDC_GROUPS_DELETE 1098

// ---- "グループの追加" / "グループの変更" (142) ----
#define IDC_GROUPEDIT_HOSTS 1008
#define IDC_GROUPEDIT_ADD 1096
#define IDC_GROUPEDIT_NAME 1097
#define IDC_GROUPEDIT_REMOVE 1098
#define IDC_GROUPEDIT_HOSTREG 1099
#define IDC_GROUPEDIT_MEMBERS 1100

// ---- "データ取得確認" (153) ----
#define IDC_CHECK_ACQUISITION 1139
#define IDC_CHECK_REFRESH 1140
#define IDC_CHECK_HOSTINFO 1141
#define IDC_CHECK_WARNINGS 1150

// ---- "ホストの選択" (157) ----
#define IDC_PICK_HOSTS 1000
#define IDC_PICK_SELECT 1153
