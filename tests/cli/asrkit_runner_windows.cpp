// Starts asrkit.exe with CreateProcessW and reads its stdout and stderr
// through pipes, one thread each, so that neither can fill up and stall it.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "asrkit_runner.h"

namespace asrkit::testing {

namespace {

std::wstring Wide(const std::string& text) {
  if (text.empty()) return {};
  const int size =
      ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
  return wide;
}

// One argument as the C runtime splits a command line: quoted, with the
// backslashes before a quote doubled.
void AppendQuoted(std::wstring& line, const std::wstring& arg) {
  line += L'"';
  std::size_t backslashes = 0;
  for (const wchar_t c : arg) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    line.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    line += c;
  }
  line.append(backslashes * 2, L'\\');
  line += L'"';
}

// A pipe whose write end the child inherits.
struct Pipe {
  HANDLE read = nullptr;
  HANDLE write = nullptr;
  Pipe() {
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    if (!::CreatePipe(&read, &write, &inherit, 0)) throw std::runtime_error("CreatePipe failed");
    ::SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
  }
  ~Pipe() {
    if (read) ::CloseHandle(read);
    if (write) ::CloseHandle(write);
  }
  Pipe(const Pipe&) = delete;
  Pipe& operator=(const Pipe&) = delete;
  void CloseWrite() {
    ::CloseHandle(write);
    write = nullptr;
  }
};

void Drain(HANDLE from, std::string& into) {
  char buffer[65536];
  DWORD n = 0;
  while (::ReadFile(from, buffer, sizeof buffer, &n, nullptr) && n > 0) into.append(buffer, n);
}

}  // namespace

CliResult RunAsrkit(const std::vector<std::string>& args) {
  const std::wstring program = Wide(ASRKIT_BINARY);
  std::wstring line;
  AppendQuoted(line, program);
  for (const std::string& arg : args) {
    line += L' ';
    AppendQuoted(line, Wide(arg));
  }

  Pipe out;
  Pipe err;
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  const HANDLE nul = ::CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                   &inherit, OPEN_EXISTING, 0, nullptr);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = nul;
  startup.hStdOutput = out.write;
  startup.hStdError = err.write;
  PROCESS_INFORMATION process{};
  const BOOL started = ::CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, TRUE,
                                        CREATE_NO_WINDOW, nullptr, nullptr, &startup, &process);
  if (nul != INVALID_HANDLE_VALUE) ::CloseHandle(nul);
  if (!started) throw std::runtime_error("cannot start " ASRKIT_BINARY);
  // Only the child holds the write ends now, so the reads end when it does.
  out.CloseWrite();
  err.CloseWrite();

  CliResult result;
  std::thread err_reader([&] { Drain(err.read, result.err); });
  Drain(out.read, result.out);
  err_reader.join();
  ::WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 0;
  ::GetExitCodeProcess(process.hProcess, &code);
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  result.exit_code = static_cast<int>(code);
  return result;
}

}  // namespace asrkit::testing
