#include "platform/x11/X11Keys.h"

#include <X11/XF86keysym.h>
#include <X11/keysym.h>

#include "platform/core/VirtualKeys.h"

namespace vexmo {

namespace {
struct KeyPair {
    unsigned long keysym;
    uint32_t vk;
};

constexpr KeyPair kKeys[] = {
    {XK_BackSpace, VK_BACK},       {XK_Tab, VK_TAB},           {XK_ISO_Left_Tab, VK_TAB},
    {XK_Return, VK_RETURN},        {XK_KP_Enter, VK_RETURN},   {XK_Pause, VK_PAUSE},
    {XK_Caps_Lock, VK_CAPITAL},    {XK_Escape, VK_ESCAPE},     {XK_space, VK_SPACE},
    {XK_Prior, VK_PRIOR},          {XK_Next, VK_NEXT},         {XK_End, VK_END},
    {XK_Home, VK_HOME},            {XK_Left, VK_LEFT},         {XK_Up, VK_UP},
    {XK_Right, VK_RIGHT},          {XK_Down, VK_DOWN},         {XK_Print, VK_SNAPSHOT},
    {XK_Insert, VK_INSERT},        {XK_Delete, VK_DELETE},     {XK_Super_L, VK_LWIN},
    {XK_Super_R, VK_RWIN},         {XK_Menu, VK_APPS},         {XK_KP_Multiply, VK_MULTIPLY},
    {XK_KP_Add, VK_ADD},           {XK_KP_Subtract, VK_SUBTRACT}, {XK_KP_Decimal, VK_DECIMAL},
    {XK_KP_Divide, VK_DIVIDE},     {XK_Num_Lock, VK_NUMLOCK},  {XK_Scroll_Lock, VK_SCROLL},
    {XK_Shift_L, VK_LSHIFT},       {XK_Shift_R, VK_RSHIFT},    {XK_Control_L, VK_LCONTROL},
    {XK_Control_R, VK_RCONTROL},   {XK_Alt_L, VK_LMENU},       {XK_Alt_R, VK_RMENU},
    {XK_ISO_Level3_Shift, VK_RMENU}, {XK_semicolon, VK_OEM_1}, {XK_colon, VK_OEM_1},
    {XK_equal, VK_OEM_PLUS},       {XK_plus, VK_OEM_PLUS},     {XK_comma, VK_OEM_COMMA},
    {XK_less, VK_OEM_COMMA},       {XK_minus, VK_OEM_MINUS},   {XK_underscore, VK_OEM_MINUS},
    {XK_period, VK_OEM_PERIOD},    {XK_greater, VK_OEM_PERIOD}, {XK_slash, VK_OEM_2},
    {XK_question, VK_OEM_2},       {XK_grave, VK_OEM_3},       {XK_asciitilde, VK_OEM_3},
    {XK_bracketleft, VK_OEM_4},    {XK_braceleft, VK_OEM_4},   {XK_backslash, VK_OEM_5},
    {XK_bar, VK_OEM_5},            {XK_bracketright, VK_OEM_6}, {XK_braceright, VK_OEM_6},
    {XK_apostrophe, VK_OEM_7},     {XK_quotedbl, VK_OEM_7},
    {XF86XK_AudioMute, VK_VOLUME_MUTE}, {XF86XK_AudioLowerVolume, VK_VOLUME_DOWN},
    {XF86XK_AudioRaiseVolume, VK_VOLUME_UP}, {XF86XK_AudioNext, VK_MEDIA_NEXT_TRACK},
    {XF86XK_AudioPrev, VK_MEDIA_PREV_TRACK}, {XF86XK_AudioStop, VK_MEDIA_STOP},
    {XF86XK_AudioPlay, VK_MEDIA_PLAY_PAUSE},
};
} // namespace

uint32_t VirtualKeyFromKeysym(unsigned long keysym) {
    if (keysym >= XK_a && keysym <= XK_z) return static_cast<uint32_t>('A' + (keysym - XK_a));
    if (keysym >= XK_A && keysym <= XK_Z) return static_cast<uint32_t>('A' + (keysym - XK_A));
    if (keysym >= XK_0 && keysym <= XK_9) return static_cast<uint32_t>('0' + (keysym - XK_0));
    if (keysym >= XK_KP_0 && keysym <= XK_KP_9) return VK_NUMPAD0 + static_cast<uint32_t>(keysym - XK_KP_0);
    if (keysym >= XK_F1 && keysym <= XK_F24) return VK_F1 + static_cast<uint32_t>(keysym - XK_F1);
    // Shifted digits on a US layout still name the digit key.
    static constexpr unsigned long kShiftedDigits[] = {XK_parenright, XK_exclam, XK_at, XK_numbersign, XK_dollar,
                                                       XK_percent, XK_asciicircum, XK_ampersand, XK_asterisk, XK_parenleft};
    for (uint32_t i = 0; i < 10; ++i)
        if (keysym == kShiftedDigits[i]) return '0' + i;
    for (const KeyPair& k : kKeys)
        if (k.keysym == keysym) return k.vk;
    return 0;
}

} // namespace vexmo
