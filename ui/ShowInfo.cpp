#include "ShowInfo.h"

#include "runtime/Dialogs.h"

void ShowInfo(const AnsiString& text)
{
    MessageBox(text, Ansi(u8"系统提示"), MB_OK | MB_ICONINFORMATION);
}
