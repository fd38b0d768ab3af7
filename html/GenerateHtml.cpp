#include "html/GenerateHtml.h"

#include "html/HtmlGenerator.h"
#include "platform/Platform.h"

#include <QPlainTextEdit>

namespace lanternix {

std::optional<std::string> GenerateHtml(const MenuTable& table, QPlainTextEdit& Html1,
                                        Platform& platform, QWidget* parent) {
    HtmlPage page = generateHtmlPage(table);
    if (!page.ok()) {
        platform.messageBox(parent,
                            QString::fromStdString(missingDefaultMessage(*page.missingDefaultFor)),
                            vbCritical);
        return std::nullopt;
    }
    Html1.setPlainText(QString::fromStdString(page.text));
    return std::move(page.text);
}

} // namespace lanternix
