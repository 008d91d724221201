// Resource IDs shared by sorvex.rc and the code that loads them.
#pragma once

#define IDR_MAINFRAME 128
#define IDS_ABOUTBOX 101
