#pragma once
// Message numbers and flag values, numerically those of the system the program was written
// for, so handlers and stored constants read the same. Our own system messages stay below
// WM_USER (1024); the program's custom ones start above it.
#include <cstdint>

#include "platform/core/Types.h"

namespace vexmo {

struct Message {
    HWND hwnd = 0;
    uint32_t message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

constexpr uint32_t WM_NULL = 0x0000;
constexpr uint32_t WM_CREATE = 0x0001;
constexpr uint32_t WM_DESTROY = 0x0002;
constexpr uint32_t WM_MOVE = 0x0003;
constexpr uint32_t WM_SIZE = 0x0005;
constexpr uint32_t WM_ACTIVATE = 0x0006;
constexpr uint32_t WM_SETFOCUS = 0x0007;
constexpr uint32_t WM_KILLFOCUS = 0x0008;
constexpr uint32_t WM_ENABLE = 0x000A;
constexpr uint32_t WM_PAINT = 0x000F;
constexpr uint32_t WM_CLOSE = 0x0010;
constexpr uint32_t WM_QUIT = 0x0012;
constexpr uint32_t WM_ERASEBKGND = 0x0014;
constexpr uint32_t WM_SHOWWINDOW = 0x0018;
constexpr uint32_t WM_NCDESTROY = 0x0082;
constexpr uint32_t WM_NCACTIVATE = 0x0086;
constexpr uint32_t WM_NCLBUTTONDOWN = 0x00A1;
constexpr uint32_t WM_KEYDOWN = 0x0100;
constexpr uint32_t WM_KEYUP = 0x0101;
constexpr uint32_t WM_CHAR = 0x0102;
constexpr uint32_t WM_SYSKEYDOWN = 0x0104;
constexpr uint32_t WM_SYSKEYUP = 0x0105;
constexpr uint32_t WM_INITDIALOG = 0x0110;
constexpr uint32_t WM_COMMAND = 0x0111;
constexpr uint32_t WM_TIMER = 0x0113;
constexpr uint32_t WM_MOUSEMOVE = 0x0200;
constexpr uint32_t WM_LBUTTONDOWN = 0x0201;
constexpr uint32_t WM_LBUTTONUP = 0x0202;
constexpr uint32_t WM_LBUTTONDBLCLK = 0x0203;
constexpr uint32_t WM_RBUTTONDOWN = 0x0204;
constexpr uint32_t WM_RBUTTONUP = 0x0205;
constexpr uint32_t WM_RBUTTONDBLCLK = 0x0206;
constexpr uint32_t WM_MOUSEWHEEL = 0x020A;
constexpr uint32_t WM_CAPTURECHANGED = 0x0215;
constexpr uint32_t WM_DEVICECHANGE = 0x0219;
constexpr uint32_t WM_MOUSEHOVER = 0x02A1;
constexpr uint32_t WM_MOUSELEAVE = 0x02A3;
constexpr uint32_t WM_USER = 0x0400;

// Key state flags in wParam of mouse messages.
constexpr WPARAM MK_LBUTTON = 0x0001;
constexpr WPARAM MK_RBUTTON = 0x0002;
constexpr WPARAM MK_SHIFT = 0x0004;
constexpr WPARAM MK_CONTROL = 0x0008;

// WM_ACTIVATE wParam.
constexpr WPARAM WA_INACTIVE = 0;
constexpr WPARAM WA_ACTIVE = 1;
constexpr WPARAM WA_CLICKACTIVE = 2;

// WM_NCLBUTTONDOWN hit-test code that starts a window drag.
constexpr WPARAM HTCAPTION = 2;

// ShowWindow commands.
constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOWMINIMIZED = 2;
constexpr int SW_MAXIMIZE = 3;
constexpr int SW_SHOWNOACTIVATE = 4;
constexpr int SW_SHOW = 5;
constexpr int SW_MINIMIZE = 6;
constexpr int SW_SHOWNA = 8;
constexpr int SW_RESTORE = 9;

// Window styles the program uses.
constexpr uint32_t WS_POPUP = 0x80000000;
constexpr uint32_t WS_VISIBLE = 0x10000000;
constexpr uint32_t WS_DISABLED = 0x08000000;
constexpr uint32_t WS_EX_TOPMOST = 0x00000008;
constexpr uint32_t WS_EX_TOOLWINDOW = 0x00000080;
constexpr uint32_t WS_EX_APPWINDOW = 0x00040000;
constexpr uint32_t WS_EX_LAYERED = 0x00080000;
constexpr uint32_t WS_EX_NOACTIVATE = 0x08000000;
// Class style: presses close together in time and place become double clicks.
constexpr uint32_t CS_DBLCLKS = 0x0008;

// TrackMouseEvent flags.
constexpr uint32_t TME_HOVER = 0x00000001;
constexpr uint32_t TME_LEAVE = 0x00000002;
constexpr uint32_t TME_CANCEL = 0x80000000;
constexpr uint32_t HOVER_DEFAULT = 0xFFFFFFFF;

// Dialog results.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;

// DrawText flags.
constexpr uint32_t DT_TOP = 0x00000000;
constexpr uint32_t DT_LEFT = 0x00000000;
constexpr uint32_t DT_CENTER = 0x00000001;
constexpr uint32_t DT_RIGHT = 0x00000002;
constexpr uint32_t DT_VCENTER = 0x00000004;
constexpr uint32_t DT_BOTTOM = 0x00000008;
constexpr uint32_t DT_WORDBREAK = 0x00000010;
constexpr uint32_t DT_SINGLELINE = 0x00000020;
constexpr uint32_t DT_NOCLIP = 0x00000100;
constexpr uint32_t DT_CALCRECT = 0x00000400;
constexpr uint32_t DT_NOPREFIX = 0x00000800;
constexpr uint32_t DT_EDITCONTROL = 0x00002000;
constexpr uint32_t DT_END_ELLIPSIS = 0x00008000;
constexpr uint32_t DT_WORD_ELLIPSIS = 0x00040000;

// Background modes for text.
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// Font weights.
constexpr int FW_DONTCARE = 0;
constexpr int FW_NORMAL = 400;
constexpr int FW_BOLD = 700;

} // namespace vexmo
