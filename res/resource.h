// Resource identifiers of Pelkarin.exe.
#pragma once
#define IDI_PELKARIN 1
#define IDB_LOGO 101
// The window's system menu item that undoes the last run; system menu ids keep their low
// four bits clear and stay below SC_SIZE.
#define IDM_UNDO_LAST_RUN 0x0110
