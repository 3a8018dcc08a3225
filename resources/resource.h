// Resource ids shared by the resource script and the program.
#pragma once

// String table: ids as the program uses them.
#define IDS_EXE_NAME 40

// Strips: the digit strips are consecutive by colour index.
#define IDB_HANELER0 200
#define IDB_HANELER1 201
#define IDB_HANELER2 202
#define IDB_NOKTALAR 203
#define IDB_ALARMLAR 204

// Icons and cursors.
#define IDI_ZILVANE 300
#define IDI_BELL 301
#define IDC_POINTING_HAND 400
