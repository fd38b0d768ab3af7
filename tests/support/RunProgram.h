#pragma once

#include "support/TempFolder.h"

#include <cstdlib>
#include <string>
#include <vector>

#ifdef _WIN32
#include "io/WindowsText.h"

#include <windows.h>
#else
#include <sys/wait.h>
#endif

namespace lanternix::test {

// Runs a program with arguments in UTF-8 (none holds a quote), its standard output and error
// going to files; returns its exit status, or -1 when it did not end normally.
inline int runProgram(const std::string& program, const std::vector<std::string>& args,
                      const std::string& out, const std::string& err) {
#ifdef _WIN32
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
    DWORD status = DWORD(-1);
    if (started && WaitForSingleObject(p.hProcess, INFINITE) == WAIT_OBJECT_0)
        GetExitCodeProcess(p.hProcess, &status);
    CloseHandle(p.hProcess);
    CloseHandle(p.hThread);
    return int(status);
#else
    std::string line = "'" + program + "'";
    for (const std::string& a : args)
        line += " '" + a + "'";
    const int status = std::system((line + " >'" + out + "' 2>'" + err + "'").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
}

} // namespace lanternix::test
