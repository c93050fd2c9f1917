// cfgcrypt encrypt|decrypt IN OUT
// Produces and inspects the suite's enciphered configuration "cfg.dll"
// with the same cipher and key the suite's programs use to read it.
#include "biz/BlowFishEnc.h"
#include "base/ScopedHandle.h"

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

enum ExitCode : int { kOk = 0, kBadArguments = 1, kUnreadableInput = 2, kUnwritableOutput = 3, kNotWholeBlocks = 4 };

// Larger inputs are not configuration documents.
constexpr LONGLONG kMaxInputBytes = 64 * 1024 * 1024;

void PrintUsage(FILE* stream)
{
    std::fputs("usage: cfgcrypt encrypt IN OUT\n"
               "       cfgcrypt decrypt IN OUT\n"
               "\n"
               "encrypt  enciphers the configuration XML in IN with the suite key into OUT\n"
               "         (the deployable \"cfg.dll\"); the last block is padded with zero bytes.\n"
               "decrypt  deciphers IN (a whole number of 8-byte blocks) into OUT and drops\n"
               "         the zero padding of the last block.\n"
               "\n"
               "Exit status: 0 done, 1 bad arguments, 2 IN unreadable, 3 OUT unwritable,\n"
               "4 IN is not a whole number of 8-byte blocks.\n",
               stream);
}

bool ReadAll(const wchar_t* path, std::vector<uint8_t>& bytes)
{
    CFileHandle file(::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !::GetFileSizeEx(file.Get(), &size) || size.QuadPart > kMaxInputBytes)
        return false;
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    if (!bytes.empty() && (!::ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
                           read != bytes.size()))
        return false;
    return true;
}

bool WriteAll(const wchar_t* path, const uint8_t* bytes, size_t length)
{
    CFileHandle file(::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    DWORD written = 0;
    return length == 0 ||
           (::WriteFile(file.Get(), bytes, static_cast<DWORD>(length), &written, nullptr) && written == length);
}

int Run(bool encrypt, const wchar_t* inPath, const wchar_t* outPath)
{
    std::vector<uint8_t> data;
    if (!ReadAll(inPath, data)) {
        std::fprintf(stderr, "cfgcrypt: cannot read %ls\n", inPath);
        return kUnreadableInput;
    }
    BlowFishEnc cipher;
    size_t length = data.size();
    if (encrypt) {
        data.resize((length + 7) / 8 * 8);
        length = cipher.Encrypt(data.data(), length, data.data());
    } else {
        if (length % 8 != 0) {
            std::fprintf(stderr, "cfgcrypt: %ls is not a whole number of 8-byte blocks\n", inPath);
            return kNotWholeBlocks;
        }
        cipher.Decrypt(data.data(), length, data.data());
        // Encrypt pads the last block with at most seven zero bytes.
        for (int pad = 0; pad < 7 && length > 0 && data[length - 1] == 0; ++pad)
            --length;
    }
    if (!WriteAll(outPath, data.data(), length)) {
        std::fprintf(stderr, "cfgcrypt: cannot write %ls\n", outPath);
        return kUnwritableOutput;
    }
    return kOk;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc == 2 && (std::wcscmp(argv[1], L"-h") == 0 || std::wcscmp(argv[1], L"--help") == 0 ||
                      std::wcscmp(argv[1], L"/?") == 0)) {
        PrintUsage(stdout);
        return kOk;
    }
    if (argc != 4 || (std::wcscmp(argv[1], L"encrypt") != 0 && std::wcscmp(argv[1], L"decrypt") != 0)) {
        PrintUsage(stderr);
        return kBadArguments;
    }
    return Run(std::wcscmp(argv[1], L"encrypt") == 0, argv[2], argv[3]);
}
