// Why a WinINet call failed, in the words of FtpFailure: the server's reply
// where the error stands for one, the system's text otherwise. Shared by the
// sessions and the threads that make their data calls.
#pragma once

#include "ftp/FtpFailure.h"

#include <windows.h>

#include <string>

// The system's text for a WinINet or system error, without its line end.
std::wstring SystemText(DWORD error);

// The server's last reply on this thread, without its line ends.
std::wstring LastReply();

// Why the WinINet call that just failed on this thread failed. The reply is
// taken only for the errors that stand for one: WinINet keeps the last reply
// of the thread, which for other errors belongs to an earlier command.
FtpFailure FailureOfLastCall(const std::wstring& password);

// Why the login that just failed on this thread failed. Each login runs on a
// thread of its own, so an error reply the thread kept is this login's
// whatever the error: a server that refuses at its greeting ("421 ...") is
// quoted instead of WinINet's words for the closed connection.
FtpFailure FailureOfLogin(const std::wstring& password);
