// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "GameDialog.h"

namespace brixolan {

/// "VTQ Brixolan <version> Release Info" (Form3): program name, version and credits; "OK"
/// (Command1) or the close box closes it.
class AboutWindow : public GameDialog {
    Q_OBJECT
public:
    explicit AboutWindow(QWidget* parent = nullptr);
};

} // namespace brixolan
