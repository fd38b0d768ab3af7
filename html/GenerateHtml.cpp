#include "html/GenerateHtml.h"

#include "html/HtmlGenerator.h"
#include "platform/Platform.h"

#include <QPlainTextEdit>

namespace lanternix {

bool GenerateHtml(const MenuTable& table, QPlainTextEdit& Html1, Platform& platform,
                  QWidget* parent) {
    // All ASCII: the page is copied from the code window into files of any encoding.
    const Result<std::string> page = generateHtmlPage(table, PageCharset::Ascii);
    if (!page) {
        platform.messageBox(parent, QString::fromStdString(page.failure().message), vbCritical);
        return false;
    }
    Html1.setPlainText(QString::fromStdString(page.value()));
    return true;
}

} // namespace lanternix
