// Resource ids shared by the resource script and the program.
#pragma once

// String table: one name per id, used by the resource script, the program
// and the test fakes (which read the texts from the resource script).
#define IDS_EXE_NAME 40
#define IDS_APP_TITLE 101
#define IDS_MENU_SETTINGS 102
#define IDS_MENU_DATE_TIME 103
#define IDS_MENU_ABOUT 107
#define IDS_MENU_CLOSE 109
#define IDS_CLOSE_TIP 110
#define IDS_CLOSE_QUESTION 111
#define IDS_SHUTDOWN_ERROR 112
#define IDS_ALARM_TITLE 113
#define IDS_ALARM_MESSAGE 114
#define IDS_STOP 115
#define IDS_ERASE_ALARM 116
#define IDS_ERASE_QUESTION 117
#define IDS_SETTINGS_TITLE 118
#define IDS_TAB_ALARM 119
#define IDS_FRAME_ALARM 120
#define IDS_HOUR 121
#define IDS_MINUTE 122
#define IDS_SET_ALARM 123
#define IDS_FRAME_ALARM_TIME 124
#define IDS_SHUTDOWN_COMPUTER 125
#define IDS_WARNING_CALL 126
#define IDS_TAB_WARNING 127
#define IDS_FRAME_WARNING 128
#define IDS_WARNING_EVERY_HOUR 129
#define IDS_FRAME_WARNING_CALLS 130
#define IDS_ALARM_CALL 131
#define IDS_EVERY_HOUR_CALL 132
#define IDS_ADD 133
#define IDS_TAB_CLOCK 134
#define IDS_FRAME_CLOCK 135
#define IDS_RUN_ON_STARTUP 136
#define IDS_ALWAYS_ON_TOP 137
#define IDS_FRAME_COLOUR 138
#define IDS_GREEN 139
#define IDS_BLUE 140
#define IDS_RED 141
#define IDS_DEFAULT 142
#define IDS_OK 143
#define IDS_CANCEL 144
#define IDS_ABOUT_TITLE 145
#define IDS_WAV_FILES 146
#define IDS_SELECT_SOUND 147
#define IDS_VERSION 148
#define IDS_SOUND_MISSING 150
#define IDS_MENU_MINIMIZE 155
#define IDS_MENU_ENLARGE 156

// Strips. The digit strips of each colour set are not carried: they are
// tinted from one coverage mask per scale. Their ids name the art of record
// that the tests link in to compare with.
#define IDB_HANELER0 200
#define IDB_HANELER1 201
#define IDB_HANELER2 202
#define IDB_NOKTALAR 203
#define IDB_ALARMLAR 204
#define IDR_HANELER_MASK 205

// The same drawn at 125, 150, 175 and 200 %: the 100 % id plus 10, 20, 30
// and 40.
#define IDB_SCALE_STEP 10
#define IDB_HANELER0_125 210
#define IDB_HANELER1_125 211
#define IDB_HANELER2_125 212
#define IDB_NOKTALAR_125 213
#define IDB_ALARMLAR_125 214
#define IDR_HANELER_MASK_125 215
#define IDB_HANELER0_150 220
#define IDB_HANELER1_150 221
#define IDB_HANELER2_150 222
#define IDB_NOKTALAR_150 223
#define IDB_ALARMLAR_150 224
#define IDR_HANELER_MASK_150 225
#define IDB_HANELER0_175 230
#define IDB_HANELER1_175 231
#define IDB_HANELER2_175 232
#define IDB_NOKTALAR_175 233
#define IDB_ALARMLAR_175 234
#define IDR_HANELER_MASK_175 235
#define IDB_HANELER0_200 240
#define IDB_HANELER1_200 241
#define IDB_HANELER2_200 242
#define IDB_NOKTALAR_200 243
#define IDB_ALARMLAR_200 244
#define IDR_HANELER_MASK_200 245

// Icons and cursors.
#define IDI_ZILVANE 300
#define IDI_BELL 301
#define IDC_POINTING_HAND 400
