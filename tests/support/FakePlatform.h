#pragma once

#include "platform/MemoryRegistry.h"
#include "platform/Platform.h"

#include <QDir>
#include <QSet>
#include <QStringList>

#include <deque>
#include <ostream>
#include <utility>
#include <vector>

// Failures show a QString as its text.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace lanternix::test {

// Answers dialogs from a queue and records what was asked, so no test blocks on a person.
class FakePlatform : public Platform {
public:
    std::deque<QString> fileAnswers; // a null QString: the user cancels
    std::vector<FileDialogRequest> fileRequests;
    std::deque<Answer> answers;        // the next questions' answers, in turn
    Answer otherwise = Answer::Cancel; // every other question's answer

    // Everything asked, shown and started, in turn, a line each, for a test to compare whole.
    QString log;

    std::optional<QString> fileDialog(QWidget*, const FileDialogRequest& req) override {
        fileRequests.push_back(req);
        QString a;
        if (!fileAnswers.empty())
            a = fileAnswers.front(), fileAnswers.pop_front();
        log += QStringLiteral("%1 dialog \"%2\" (%3, flags %4) in %5 showing \"%6\": %7\n")
                   .arg(req.mode == FileDialogRequest::Save ? "Save" : "Open", req.title,
                        req.filter, QString::number(req.flags), req.startFolder, req.fileName,
                        a.isNull() ? "cancelled" : a);
        return a.isNull() ? std::nullopt : std::optional(a);
    }
    void messageBox(QWidget*, const QString& text, int style) override {
        log += QStringLiteral("message %1: %2\n").arg(style).arg(text);
    }
    Answer ask(QWidget*, const QString& text, Buttons) override {
        Answer a = otherwise;
        if (!answers.empty())
            a = answers.front(), answers.pop_front();
        log += QStringLiteral("asked: %1 %2\n")
                   .arg(text, a == Answer::Yes  ? "Yes"
                              : a == Answer::No ? "No"
                                                : "Cancel");
        return a;
    }
    void endProgram() override { log += QStringLiteral("the program ends\n"); }
    // The log, each folder given (as the toolkit or the system writes it) shown by its name,
    // with a / after it on every system.
    std::string transcript(const std::vector<std::pair<QString, QString>>& folders) const {
        return named(log, folders).toStdString();
    }
    // TEXT with each folder shown by its name and slashes for separators, alike on both systems.
    static QString named(QString text, const std::vector<std::pair<QString, QString>>& folders) {
#ifdef _WIN32
        text.replace('\\', '/');
#endif
        for (const auto& [folder, name] : folders)
            text.replace(QDir::fromNativeSeparators(folder), name)
                .replace("file:///" + name, "file://" + name); // Windows's drive after a slash
        return text;
    }

    // The registry starts empty; files exist when listed; starts succeed unless refused.
    MemoryRegistry memoryRegistry;
    QSet<QString> existingFiles;
    bool refuseStarts = false;

    Registry& registry() override {
        return memoryRegistry;
    }
    bool fileExists(const QString& path) override {
        return existingFiles.contains(path);
    }
    bool startProgram(const QString& path) override {
        log += QStringLiteral("started: %1\n").arg(path);
        return !refuseStarts && !path.isEmpty();
    }
    std::vector<QString> openedUrls;
    bool noBrowser = false;
    bool openUrl(const QString& url) override {
        openedUrls.push_back(url);
        log += QStringLiteral("opened: %1\n").arg(url);
        return !noBrowser;
    }
};

} // namespace lanternix::test
