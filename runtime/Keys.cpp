#include "Keys.h"

#include <QKeyEvent>

namespace {
struct KeyPair {
    int qt;
    Word vk;
};

const KeyPair keyTable[] = {
    {Qt::Key_Backspace, VK_BACK},   {Qt::Key_Tab, VK_TAB},         {Qt::Key_Backtab, VK_TAB},
    {Qt::Key_Clear, VK_CLEAR},      {Qt::Key_Return, VK_RETURN},   {Qt::Key_Enter, VK_RETURN},
    {Qt::Key_Shift, VK_SHIFT},      {Qt::Key_Control, VK_CONTROL}, {Qt::Key_Alt, VK_MENU},
    {Qt::Key_Pause, VK_PAUSE},      {Qt::Key_CapsLock, VK_CAPITAL}, {Qt::Key_Escape, VK_ESCAPE},
    {Qt::Key_Space, VK_SPACE},      {Qt::Key_PageUp, VK_PRIOR},    {Qt::Key_PageDown, VK_NEXT},
    {Qt::Key_End, VK_END},          {Qt::Key_Home, VK_HOME},       {Qt::Key_Left, VK_LEFT},
    {Qt::Key_Up, VK_UP},            {Qt::Key_Right, VK_RIGHT},     {Qt::Key_Down, VK_DOWN},
    {Qt::Key_Print, VK_SNAPSHOT},   {Qt::Key_Insert, VK_INSERT},   {Qt::Key_Delete, VK_DELETE},
    {Qt::Key_Help, VK_HELP},        {Qt::Key_Meta, VK_LWIN},       {Qt::Key_Menu, VK_APPS},
    {Qt::Key_NumLock, VK_NUMLOCK},  {Qt::Key_ScrollLock, VK_SCROLL},
    {Qt::Key_Semicolon, VK_OEM_1},  {Qt::Key_Colon, VK_OEM_1},     {Qt::Key_Equal, VK_OEM_PLUS},
    {Qt::Key_Plus, VK_OEM_PLUS},    {Qt::Key_Comma, VK_OEM_COMMA}, {Qt::Key_Less, VK_OEM_COMMA},
    {Qt::Key_Minus, VK_OEM_MINUS},  {Qt::Key_Underscore, VK_OEM_MINUS}, {Qt::Key_Period, VK_OEM_PERIOD},
    {Qt::Key_Greater, VK_OEM_PERIOD}, {Qt::Key_Slash, VK_OEM_2},   {Qt::Key_Question, VK_OEM_2},
    {Qt::Key_QuoteLeft, VK_OEM_3},  {Qt::Key_AsciiTilde, VK_OEM_3}, {Qt::Key_BracketLeft, VK_OEM_4},
    {Qt::Key_BraceLeft, VK_OEM_4},  {Qt::Key_Backslash, VK_OEM_5}, {Qt::Key_Bar, VK_OEM_5},
    {Qt::Key_BracketRight, VK_OEM_6}, {Qt::Key_BraceRight, VK_OEM_6}, {Qt::Key_Apostrophe, VK_OEM_7},
    {Qt::Key_QuoteDbl, VK_OEM_7},
};

// Shifted digits on a US keyboard map back to their digit key.
const KeyPair shiftedDigits[] = {
    {Qt::Key_Exclam, '1'},     {Qt::Key_At, '2'},         {Qt::Key_NumberSign, '3'}, {Qt::Key_Dollar, '4'},
    {Qt::Key_Percent, '5'},    {Qt::Key_AsciiCircum, '6'}, {Qt::Key_Ampersand, '7'}, {Qt::Key_Asterisk, '8'},
    {Qt::Key_ParenLeft, '9'},  {Qt::Key_ParenRight, '0'},
};
}  // namespace

Word VirtualKeyFromQt(int qtKey, bool keypad)
{
    if (keypad) {
        if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return static_cast<Word>(VK_NUMPAD0 + (qtKey - Qt::Key_0));
        switch (qtKey) {
        case Qt::Key_Asterisk: return VK_MULTIPLY;
        case Qt::Key_Plus: return VK_ADD;
        case Qt::Key_Minus: return VK_SUBTRACT;
        case Qt::Key_Period:
        case Qt::Key_Comma: return VK_DECIMAL;
        case Qt::Key_Slash: return VK_DIVIDE;
        default: break;
        }
    }
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return static_cast<Word>('A' + (qtKey - Qt::Key_A));
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return static_cast<Word>('0' + (qtKey - Qt::Key_0));
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return static_cast<Word>(VK_F1 + (qtKey - Qt::Key_F1));
    for (const auto& pair : keyTable)
        if (pair.qt == qtKey) return pair.vk;
    for (const auto& pair : shiftedDigits)
        if (pair.qt == qtKey) return pair.vk;
    return 0;
}

TShiftState ShiftStateFromQt(unsigned modifiers, unsigned buttons)
{
    TShiftState s = 0;
    if (modifiers & Qt::ShiftModifier) s |= ssShift;
    if (modifiers & Qt::AltModifier) s |= ssAlt;
    if (modifiers & Qt::ControlModifier) s |= ssCtrl;
    if (buttons & Qt::LeftButton) s |= ssLeft;
    if (buttons & Qt::RightButton) s |= ssRight;
    if (buttons & Qt::MiddleButton) s |= ssMiddle;
    return s;
}

KeyStroke TranslateKeyEvent(const QKeyEvent& event)
{
    KeyStroke k;
    bool keypad = event.modifiers() & Qt::KeypadModifier;
    k.key = VirtualKeyFromQt(event.key(), keypad);
    k.shift = ShiftStateFromQt(event.modifiers());
    if (event.key() == Qt::Key_Backtab) k.shift |= ssShift;
    QString text = event.text();
    if (!text.isEmpty()) {
        char32_t c = text.at(0).unicode();
        if (text.at(0).isHighSurrogate() && text.size() > 1)
            c = QChar::surrogateToUcs4(text.at(0), text.at(1));
        k.character = c;
    }
    // Ctrl with a letter types the control character (Ctrl+V is 22), as on
    // the system the key vocabulary comes from; AltGr combinations stay.
    if ((k.shift & ssCtrl) && !(k.shift & ssAlt) && k.key >= 'A' && k.key <= 'Z') k.character = k.key - 'A' + 1;
    return k;
}

int QtKeyFromVirtualKey(Word key)
{
    if (key >= 'A' && key <= 'Z') return Qt::Key_A + (key - 'A');
    if (key >= '0' && key <= '9') return Qt::Key_0 + (key - '0');
    if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9) return Qt::Key_0 + (key - VK_NUMPAD0);
    if (key >= VK_F1 && key <= VK_F24) return Qt::Key_F1 + (key - VK_F1);
    switch (key) {
    case VK_MULTIPLY: return Qt::Key_Asterisk;
    case VK_ADD: return Qt::Key_Plus;
    case VK_SUBTRACT: return Qt::Key_Minus;
    case VK_DECIMAL: return Qt::Key_Period;
    case VK_DIVIDE: return Qt::Key_Slash;
    case VK_RETURN: return Qt::Key_Return;
    case VK_TAB: return Qt::Key_Tab;
    default: break;
    }
    for (const auto& pair : keyTable)
        if (pair.vk == key) return pair.qt;
    return 0;
}

unsigned QtModifiersFromShiftState(TShiftState shift)
{
    unsigned m = 0;
    if (shift & ssShift) m |= Qt::ShiftModifier;
    if (shift & ssAlt) m |= Qt::AltModifier;
    if (shift & ssCtrl) m |= Qt::ControlModifier;
    return m;
}
