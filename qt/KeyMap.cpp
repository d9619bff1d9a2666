#include "qt/KeyMap.h"

namespace qtui {

namespace {
// Keys whose codes that desktop named, and the numeric pad when the pad sent them.
uint16_t KeypadKey(int qtKey)
{
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return uint16_t(96 + (qtKey - Qt::Key_0));
    switch (qtKey) {
    case Qt::Key_Asterisk: return 106;
    case Qt::Key_Plus: return 107;
    case Qt::Key_Minus: return 109;
    case Qt::Key_Period:
    case Qt::Key_Comma: return 110;
    case Qt::Key_Slash: return 111;
    default: return 0;
    }
}

// The shifted signs of a US keyboard give the code of the key that carries them, since the codes
// name keys, not characters.
uint16_t SignKey(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Exclam: return '1';
    case Qt::Key_At: return '2';
    case Qt::Key_NumberSign: return '3';
    case Qt::Key_Dollar: return '4';
    case Qt::Key_Percent: return '5';
    case Qt::Key_AsciiCircum: return '6';
    case Qt::Key_Ampersand: return '7';
    case Qt::Key_Asterisk: return '8';
    case Qt::Key_ParenLeft: return '9';
    case Qt::Key_ParenRight: return '0';
    case Qt::Key_Semicolon:
    case Qt::Key_Colon: return 186;
    case Qt::Key_Equal:
    case Qt::Key_Plus: return 187;
    case Qt::Key_Comma:
    case Qt::Key_Less: return 188;
    case Qt::Key_Minus:
    case Qt::Key_Underscore: return 189;
    case Qt::Key_Period:
    case Qt::Key_Greater: return 190;
    case Qt::Key_Slash:
    case Qt::Key_Question: return 191;
    case Qt::Key_QuoteLeft:
    case Qt::Key_AsciiTilde: return 192;
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft: return 219;
    case Qt::Key_Backslash:
    case Qt::Key_Bar:
    case Qt::Key_yen: return 220;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight: return 221;
    case Qt::Key_Apostrophe:
    case Qt::Key_QuoteDbl: return 222;
    default: return 0;
    }
}
}  // namespace

uint16_t VirtualKey(int qtKey, Qt::KeyboardModifiers modifiers)
{
    if (modifiers & Qt::KeypadModifier)
        if (uint16_t key = KeypadKey(qtKey))
            return key;
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
        return uint16_t(qtKey);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return uint16_t(tk::vk::F1 + (qtKey - Qt::Key_F1));
    switch (qtKey) {
    case Qt::Key_Backspace: return tk::vk::Back;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return tk::vk::Tab;
    case Qt::Key_Clear: return 12;
    case Qt::Key_Return:
    case Qt::Key_Enter: return tk::vk::Return;
    case Qt::Key_Shift: return tk::vk::Shift;
    case Qt::Key_Control: return tk::vk::Control;
    case Qt::Key_Alt:
    case Qt::Key_AltGr: return tk::vk::Menu;
    case Qt::Key_Pause: return 19;
    case Qt::Key_CapsLock: return 20;
    case Qt::Key_Escape: return tk::vk::Escape;
    case Qt::Key_Space: return tk::vk::Space;
    case Qt::Key_PageUp: return tk::vk::Prior;
    case Qt::Key_PageDown: return tk::vk::Next;
    case Qt::Key_End: return tk::vk::End;
    case Qt::Key_Home: return tk::vk::Home;
    case Qt::Key_Left: return tk::vk::Left;
    case Qt::Key_Up: return tk::vk::Up;
    case Qt::Key_Right: return tk::vk::Right;
    case Qt::Key_Down: return tk::vk::Down;
    case Qt::Key_Print: return 44;
    case Qt::Key_Insert: return tk::vk::Insert;
    case Qt::Key_Delete: return tk::vk::Delete;
    case Qt::Key_Meta: return 91;
    case Qt::Key_Menu: return 93;
    case Qt::Key_NumLock: return 144;
    case Qt::Key_ScrollLock: return 145;
    case Qt::Key_Henkan: return 28;
    case Qt::Key_Muhenkan: return 29;
    case Qt::Key_Zenkaku_Hankaku: return 244;
    default: return SignKey(qtKey);
    }
}

tk::TShiftState ShiftState(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons)
{
    tk::TShiftState shift = 0;
    if (modifiers & Qt::ShiftModifier)
        shift |= tk::ssShift;
    if (modifiers & Qt::AltModifier)
        shift |= tk::ssAlt;
    if (modifiers & Qt::ControlModifier)
        shift |= tk::ssCtrl;
    if (buttons & Qt::LeftButton)
        shift |= tk::ssLeft;
    if (buttons & Qt::RightButton)
        shift |= tk::ssRight;
    if (buttons & Qt::MiddleButton)
        shift |= tk::ssMiddle;
    return shift;
}

}  // namespace qtui
