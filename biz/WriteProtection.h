#pragma once
// Whether only the machine's administrators can change a file: it is owned
// by SYSTEM, the Administrators group or the installer service, and no one
// else is granted a right that changes its content, its security or its
// existence. Settings that decide what code the tool runs are taken only
// from such files.
#include <windows.h>

bool IsChangeableOnlyByAdministrators(PSECURITY_DESCRIPTOR descriptor);

// The same for an open file; the handle needs READ_CONTROL.
bool IsFileChangeableOnlyByAdministrators(HANDLE file);
