// SPDX-License-Identifier: GPL-3.0-or-later
#include "KeyCodes.h"

#include "Game.h"

#include <Qt>

#include <array>

namespace brixolan {

namespace {

// Qt keys first to last map to the codes from `first` on.
struct KeyRange {
    int firstKey;
    int lastKey;
    int first;
};
constexpr auto KeyRanges = std::to_array<KeyRange>({
    {Qt::Key_A, Qt::Key_Z, 65},
    {Qt::Key_0, Qt::Key_9, 48},
    {Qt::Key_F1, Qt::Key_F24, 112},
});

struct KeyCode {
    int key;
    int code;
};
constexpr auto SingleKeys = std::to_array<KeyCode>({
    {Qt::Key_Space, keys::Space},
    {Qt::Key_Control, keys::Ctrl},
    {Qt::Key_Left, keys::Left},
    {Qt::Key_Up, keys::Up},
    {Qt::Key_Right, keys::Right},
    {Qt::Key_Down, keys::Down},
    {Qt::Key_Backspace, 8},
    {Qt::Key_Tab, 9},
    {Qt::Key_Backtab, 9},
    {Qt::Key_Clear, 12},
    {Qt::Key_Return, 13},
    {Qt::Key_Enter, 13},
    {Qt::Key_Shift, 16},
    {Qt::Key_Alt, 18},
    {Qt::Key_AltGr, 18},
    {Qt::Key_Pause, 19},
    {Qt::Key_CapsLock, 20},
    {Qt::Key_Escape, 27},
    {Qt::Key_PageUp, 33},
    {Qt::Key_PageDown, 34},
    {Qt::Key_End, 35},
    {Qt::Key_Home, 36},
    {Qt::Key_Print, 44},
    {Qt::Key_Insert, 45},
    {Qt::Key_Delete, 46},
    {Qt::Key_Meta, 91},
    {Qt::Key_Menu, 93},
    {Qt::Key_NumLock, 144},
    {Qt::Key_ScrollLock, 145},
});

} // namespace

int virtualKeyCode(int qtKey) {
    for (const KeyRange& range : KeyRanges)
        if (qtKey >= range.firstKey && qtKey <= range.lastKey)
            return range.first + (qtKey - range.firstKey);
    for (const KeyCode& single : SingleKeys)
        if (single.key == qtKey)
            return single.code;
    return -1;
}

} // namespace brixolan
