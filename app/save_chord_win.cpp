#include "app/save_chord.h"

#include <windows.h>

namespace kelvra {

bool sendSaveChord()
{
    const WORD keys[] = {VK_CONTROL, VK_MENU, 'X'};
    INPUT inputs[6] = {};
    for (int i = 0; i < 3; ++i) {
        inputs[i].type = INPUT_KEYBOARD;
        inputs[i].ki.wVk = keys[i];
        inputs[5 - i].type = INPUT_KEYBOARD;
        inputs[5 - i].ki.wVk = keys[i];
        inputs[5 - i].ki.dwFlags = KEYEVENTF_KEYUP;
    }
    return SendInput(6, inputs, sizeof(INPUT)) == 6;
}

}  // namespace kelvra
