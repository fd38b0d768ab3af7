#pragma once

#include "platform/Platform.h"

namespace lanternix {

// The real dialogs and the real end of the program.
class QtPlatform : public Platform {
public:
    std::optional<QString> fileDialog(QWidget* parent, const FileDialogRequest& req) override;
    void messageBox(QWidget* parent, const QString& text, int style) override;
    void endProgram() override;
};

} // namespace lanternix
