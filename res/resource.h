// Resource identifiers of Pelkarin.exe.
#pragma once
#define IDI_PELKARIN 1
#define IDB_LOGO 101
