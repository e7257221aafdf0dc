// Resource numbers of Gather.exe: its main window and the schedule wizard (the values are the
// numbers the program's templates and bitmaps carry; portable code uses them as control ids).
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// ---- dialogs, icon, pictures ----
#define IDD_GATHER_DIALOG 102
#define IDR_MAINFRAME 128
#define IDD_SCHEDULE_WIZARD 132
#define IDB_CHANGE 133
#define IDB_VIEW 136
#define IDB_NEW 137
#define IDB_STOP 139
#define IDB_LOGO 140
#define IDB_INTERVAL_CLOCK 148
#define IDB_INTERVAL_SAMPLES 149
#define IDB_HOST_REGISTRATION 151
#define IDB_GROUPS 152

// ---- main window (dialog 102) ----
#define IDC_SCHEDULE_LIST 1000
#define IDC_RUN_LOG 1001
#define IDC_CLEAR_LOG 1002
#define IDC_NEW_SCHEDULE 1003
#define IDC_STOP_DELETE 1004
#define IDC_CHANGE_SCHEDULE 1090
#define IDC_VIEW_SCHEDULE 1091
#define IDC_HOST_REGISTRATION 1092
#define IDC_GROUP_REGISTRATION 1093
#define IDC_LOGO 1094

// ---- schedule wizard (dialog 132) ----
// Title and detail lines, navigation.
#define IDC_WZ_TITLE 1015
#define IDC_WZ_DETAIL 1016
#define IDC_WZ_BACK 1017
#define IDC_WZ_NEXT 1018
// Page 1: host or group.
#define IDC_WZ_TARGET_LABEL 1030
#define IDC_WZ_DISPLAY_FRAME 1031
#define IDC_WZ_TARGET 1032
#define IDC_WZ_TARGET_LIST 1033
#define IDC_WZ_EDIT_HOSTS 1034
#define IDC_WZ_SHOW_HOSTS 1110
#define IDC_WZ_SHOW_GROUPS 1111
#define IDC_WZ_CHECK 1141
#define IDC_WZ_EDIT_GROUPS 1202
// Page 2: trigger kind.
#define IDC_WZ_TRIGGER_NORMAL 1035
#define IDC_WZ_TRIGGER_THRESHOLD 1036
#define IDC_WZ_NORMAL_NOTE 1037
#define IDC_WZ_THRESHOLD_NOTE 1038
// Page 3: thresholds.
#define IDC_WZ_USE_CPU 1039
#define IDC_WZ_USE_MEM 1040
#define IDC_WZ_USE_DISK 1041
#define IDC_WZ_CPU 1042
#define IDC_WZ_MEM 1043
#define IDC_WZ_DISK 1044
#define IDC_WZ_CPU_UNIT 1045
#define IDC_WZ_MEM_UNIT 1046
#define IDC_WZ_DISK_UNIT 1047
// Page 4: start kind.
#define IDC_WZ_START_NOW 1048
#define IDC_WZ_START_TIMER 1049
#define IDC_WZ_TIMER_NOTE 1050
#define IDC_WZ_NOW_NOTE 1051
// Page 5: timer booking.
#define IDC_WZ_UNIT 1052
#define IDC_WZ_START_HOUR 1053
#define IDC_WZ_START_MINUTE 1054
#define IDC_WZ_UNIT_FRAME 1055
#define IDC_WZ_START_LABEL 1056
#define IDC_WZ_START_COLON 1057
#define IDC_WZ_DATE 1058
#define IDC_WZ_DAY_TODAY 1059
#define IDC_WZ_DAY_EVERY 1060
#define IDC_WZ_DAY_DATE 1061
#define IDC_WZ_SUNDAY 1062
#define IDC_WZ_MONDAY 1063
#define IDC_WZ_TUESDAY 1064
#define IDC_WZ_WEDNESDAY 1065
#define IDC_WZ_THURSDAY 1066
#define IDC_WZ_FRIDAY 1067
#define IDC_WZ_SATURDAY 1068
#define IDC_WZ_MONTH_DAY 1069
#define IDC_WZ_MONTH_DAY_LABEL 1070
#define IDC_WZ_MONTHLY 1071
#define IDC_WZ_MONTH_END 1072
// Page 6: end.
#define IDC_WZ_END_HOUR 1073
#define IDC_WZ_END_MINUTE 1074
#define IDC_WZ_END_BY_DURATION 1075
#define IDC_WZ_END_BY_TIME 1076
#define IDC_WZ_DURATION 1077
#define IDC_WZ_END_DAY 1078
#define IDC_WZ_DURATION_LABEL 1079
#define IDC_WZ_END_HOUR_LABEL 1080
#define IDC_WZ_END_MINUTE_LABEL 1081
// Page 7: sampling interval.
#define IDC_WZ_INTERVAL 1083
#define IDC_WZ_INTERVAL_LABEL 1084
#define IDC_WZ_INTERVAL_NOTE 1085
#define IDC_WZ_COLLECT_LABEL 1086
#define IDC_WZ_COLLECT_TIME 1127
#define IDC_WZ_COLLECT_TAIL 1128
#define IDC_WZ_CLOCK_PICTURE 1131
#define IDC_WZ_SAMPLES_PICTURE 1132
// Page 8: split unit.
#define IDC_WZ_SPLIT_FRAME 1117
#define IDC_WZ_SPLIT_LABEL 1118
#define IDC_WZ_SPLIT_NOTE 1119
#define IDC_WZ_SPLIT_HEAD 1120
#define IDC_WZ_SPLIT_TAIL 1121
#define IDC_WZ_SPLIT 1124
#define IDC_WZ_SPLIT_COUNT 1125
// Page 9: comment.
#define IDC_WZ_COMMENT 1089
#define IDC_WZ_COMMENT_LABEL 1200
// Page 10: confirmation.
#define IDC_WZ_SUMMARY 1201
