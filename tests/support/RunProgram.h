#pragma once

#include "support/TempFolder.h"

#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#ifdef _WIN32
#include "io/WindowsText.h"

#include <windows.h>
#else
#include <sys/wait.h>
#endif

namespace lanternix::test {

// Runs a program with arguments in UTF-8 (none holds a quote), its standard output and error
// going to files, and env's NAME=value settings (an empty value unsets); returns its exit
// status, or -1 when it did not end normally. Given seconds, a program still running after them
// is stopped and the status is 124, as timeout(1) gives.
inline int runProgram(const std::string& program, const std::vector<std::string>& args,
                      const std::string& out, const std::string& err,
                      const std::vector<std::string>& env = {}, int seconds = 0) {
#ifdef _WIN32
    // The program inherits this process's environment, changed for the while.
    std::vector<std::pair<std::wstring, std::optional<std::wstring>>> before;
    for (const std::string& e : env) {
        const std::wstring name = *toUtf16(e.substr(0, e.find('='))),
                           value = *toUtf16(e.substr(e.find('=') + 1));
        const DWORD n = GetEnvironmentVariableW(name.c_str(), nullptr, 0); // with its zero
        std::wstring old(n, L'\0');
        GetEnvironmentVariableW(name.c_str(), old.data(), n);
        before.emplace_back(name, n ? std::optional(old.substr(0, n - 1)) : std::nullopt);
        SetEnvironmentVariableW(name.c_str(), value.empty() ? nullptr : value.c_str());
    }
    // Quoted for the C runtime that splits the line again: backslashes before a quote double.
    auto quote = [](const std::string& a) {
        const std::size_t slashes = a.size() - a.find_last_not_of('\\') - 1;
        return L" \"" + *toUtf16(a) + std::wstring(slashes, L'\\') + L"\"";
    };
    std::wstring line = quote(program).substr(1);
    for (const std::string& a : args)
        line += quote(a);
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    auto create = [&](const std::string& name) {
        return CreateFileW(pathFromUtf8(name).c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                           CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    };
    STARTUPINFOW start{};
    start.cb = sizeof start;
    start.dwFlags = STARTF_USESTDHANDLES;
    start.hStdOutput = create(out);
    start.hStdError = create(err);
    PROCESS_INFORMATION p{};
    // A program named without a folder is looked for beside this one first.
    const bool started = CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                        nullptr, &start, &p);
    CloseHandle(start.hStdOutput);
    CloseHandle(start.hStdError);
    for (const auto& [name, value] : before)
        SetEnvironmentVariableW(name.c_str(), value ? value->c_str() : nullptr);
    DWORD status = DWORD(-1);
    const DWORD wait = seconds > 0 ? DWORD(seconds) * 1000 : INFINITE;
    if (started && WaitForSingleObject(p.hProcess, wait) == WAIT_TIMEOUT) {
        TerminateProcess(p.hProcess, 124);
        WaitForSingleObject(p.hProcess, INFINITE);
    }
    if (started)
        GetExitCodeProcess(p.hProcess, &status);
    CloseHandle(p.hProcess);
    CloseHandle(p.hThread);
    return int(status);
#else
    std::string line = "env", settings; // env takes its options before the settings
    for (const std::string& e : env) {
        if (e.back() == '=')
            line += " -u '" + e.substr(0, e.size() - 1) + "'";
        else
            settings += " '" + e + "'";
    }
    line += settings;
    if (seconds > 0)
        line += " timeout " + std::to_string(seconds);
    line += " '" + program + "'";
    for (const std::string& a : args)
        line += " '" + a + "'";
    const int status = std::system((line + " >'" + out + "' 2>'" + err + "'").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
}

} // namespace lanternix::test
