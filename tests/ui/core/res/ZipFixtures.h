#pragma once
// The zip archives packed at build time by tools/testdata (Info-ZIP and Python).
#include "tests/support/TestEnvironment.h"

#include <string>

namespace ZipFixtures {

// The fixture folder, with a trailing '\'.
inline std::wstring Folder()
{
    return TestEnv::FromUnixPath(std::string(ORVANE_BINARY_DIR) + "/testdata/zip/");
}

inline std::wstring Path(const std::wstring& name)
{
    return Folder() + name;
}

inline std::string Bytes(const std::wstring& name)
{
    return TestEnv::ReadFileBytes(Path(name));
}

// The resource-only library carrying "ZIPRES" 131 (Info-ZIP), 132 (Python), 133 (empty).
inline std::wstring ResourceLibrary()
{
    return TestEnv::FromUnixPath(std::string(ORVANE_BINARY_DIR) + "/testdata/skinres_fixture.dll");
}

} // namespace ZipFixtures
