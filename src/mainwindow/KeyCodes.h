// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace brixolan {

/// The classic virtual-key code of a Qt key (space 32, Ctrl 17, arrows 37 to 40, letters
/// 65 to 90, digits 48 to 57, ...), or -1 for a key without one.
int virtualKeyCode(int qtKey);

} // namespace brixolan
