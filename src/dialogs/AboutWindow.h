#pragma once

#include "SecondaryWindow.h"

namespace brixolan {

class MainWindowLink;

/// "VTQ Brixolan 1.65 Release Info" (Form3): program name, version and credits. "OK"
/// (Command1) or the close box closes it and hands control back to the main window.
class AboutWindow : public SecondaryWindow {
    Q_OBJECT
public:
    explicit AboutWindow(MainWindowLink& link, QWidget* parent = nullptr);

protected:
    void unloaded() override;

private:
    MainWindowLink& m_link;
};

} // namespace brixolan
