// SPDX-License-Identifier: GPL-3.0-or-later
// The key table: every key it maps, with the classic code the game's key states are kept by.
#include "KeyCodes.h"

#include <Qt>
#include <gtest/gtest.h>

using namespace brixolan;

TEST(KeyCodes, everyMappedKeyHasItsClassicCodeAndTheRestNone) {
    const std::pair<int, int> table[] = {
        {Qt::Key_Space, 32},  {Qt::Key_Control, 17},  {Qt::Key_Left, 37},
        {Qt::Key_Up, 38},     {Qt::Key_Right, 39},    {Qt::Key_Down, 40},
        {Qt::Key_A, 65},      {Qt::Key_M, 77},        {Qt::Key_Z, 90},
        {Qt::Key_0, 48},      {Qt::Key_9, 57},        {Qt::Key_F1, 112},
        {Qt::Key_F24, 135},   {Qt::Key_Backspace, 8}, {Qt::Key_Tab, 9},
        {Qt::Key_Backtab, 9}, {Qt::Key_Clear, 12},    {Qt::Key_Return, 13},
        {Qt::Key_Enter, 13},  {Qt::Key_Shift, 16},    {Qt::Key_Alt, 18},
        {Qt::Key_AltGr, 18},  {Qt::Key_Pause, 19},    {Qt::Key_CapsLock, 20},
        {Qt::Key_Escape, 27}, {Qt::Key_PageUp, 33},   {Qt::Key_PageDown, 34},
        {Qt::Key_End, 35},    {Qt::Key_Home, 36},     {Qt::Key_Print, 44},
        {Qt::Key_Insert, 45}, {Qt::Key_Delete, 46},   {Qt::Key_Meta, 91},
        {Qt::Key_Menu, 93},   {Qt::Key_NumLock, 144}, {Qt::Key_ScrollLock, 145},
        {Qt::Key_F25, -1},    {Qt::Key_Exclam, -1},   {Qt::Key_Adiaeresis, -1},
        {Qt::Key_unknown, -1}};
    for (const auto& [key, code] : table)
        EXPECT_EQ(virtualKeyCode(key), code) << "Qt key 0x" << std::hex << key;
}
