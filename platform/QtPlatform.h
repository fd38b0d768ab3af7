#pragma once

#include "platform/Platform.h"

#include <memory>

namespace lanternix {

// The real dialogs and the real end of the program.
class QtPlatform : public Platform {
public:
    std::optional<QString> fileDialog(QWidget* parent, const FileDialogRequest& req) override;
    void messageBox(QWidget* parent, const QString& text, int style) override;
    Answer ask(QWidget* parent, const QString& text, Buttons buttons) override;
    void endProgram() override;

    QtPlatform();
    ~QtPlatform() override;
    Registry& registry() override;
    bool fileExists(const QString& path) override;
    bool startProgram(const QString& path) override;
    bool openUrl(const QString& url) override;

private:
    std::unique_ptr<Registry> registry_;
};

} // namespace lanternix
