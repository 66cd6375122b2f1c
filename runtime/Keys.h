#pragma once
// The key vocabulary of the system: virtual-key codes and shift states, as the
// grid, the editors and the windows speak of keys. Qt's key events are
// translated here, once.

#include <cstdint>

class QKeyEvent;

using Word = uint16_t;

enum VirtualKey : Word {
    VK_BACK = 8,
    VK_TAB = 9,
    VK_CLEAR = 12,
    VK_RETURN = 13,
    VK_SHIFT = 16,
    VK_CONTROL = 17,
    VK_MENU = 18,  // Alt
    VK_PAUSE = 19,
    VK_CAPITAL = 20,
    VK_ESCAPE = 27,
    VK_SPACE = 32,
    VK_PRIOR = 33,  // Page Up
    VK_NEXT = 34,   // Page Down
    VK_END = 35,
    VK_HOME = 36,
    VK_LEFT = 37,
    VK_UP = 38,
    VK_RIGHT = 39,
    VK_DOWN = 40,
    VK_SNAPSHOT = 44,
    VK_INSERT = 45,
    VK_DELETE = 46,
    VK_HELP = 47,
    // '0'..'9' are 48..57 and 'A'..'Z' are 65..90, as their characters.
    VK_LWIN = 91,
    VK_RWIN = 92,
    VK_APPS = 93,
    VK_NUMPAD0 = 96,
    VK_NUMPAD9 = 105,
    VK_MULTIPLY = 106,
    VK_ADD = 107,
    VK_SEPARATOR = 108,
    VK_SUBTRACT = 109,
    VK_DECIMAL = 110,
    VK_DIVIDE = 111,
    VK_F1 = 112,
    VK_F2 = 113,
    VK_F3 = 114,
    VK_F4 = 115,
    VK_F5 = 116,
    VK_F6 = 117,
    VK_F7 = 118,
    VK_F8 = 119,
    VK_F9 = 120,
    VK_F10 = 121,
    VK_F11 = 122,
    VK_F12 = 123,
    VK_F24 = 135,
    VK_NUMLOCK = 144,
    VK_SCROLL = 145,
    VK_OEM_1 = 186,       // ;:
    VK_OEM_PLUS = 187,    // =+
    VK_OEM_COMMA = 188,   // ,<
    VK_OEM_MINUS = 189,   // -_
    VK_OEM_PERIOD = 190,  // .>
    VK_OEM_2 = 191,       // /?
    VK_OEM_3 = 192,       // `~
    VK_OEM_4 = 219,       // [{
    VK_OEM_5 = 220,       // backslash |
    VK_OEM_6 = 221,       // ]}
    VK_OEM_7 = 222,       // '"
};

// The shift state: modifier keys and mouse buttons held.
enum TShiftStateFlag : uint8_t {
    ssShift = 1,
    ssAlt = 2,
    ssCtrl = 4,
    ssLeft = 8,
    ssRight = 16,
    ssMiddle = 32,
    ssDouble = 64,
};
using TShiftState = uint8_t;

struct KeyStroke {
    Word key = 0;          // virtual-key code, 0 when the key has none
    TShiftState shift = 0;
    char32_t character = 0;  // the character typed, 0 for none
};

// A Qt key event in the system's terms.
KeyStroke TranslateKeyEvent(const QKeyEvent& event);
// A Qt key code and modifiers in the system's terms.
Word VirtualKeyFromQt(int qtKey, bool keypad);
TShiftState ShiftStateFromQt(unsigned qtModifiers, unsigned qtMouseButtons = 0);
// The reverse, for synthesising key events (tests, key forwarding).
int QtKeyFromVirtualKey(Word key);
unsigned QtModifiersFromShiftState(TShiftState shift);
