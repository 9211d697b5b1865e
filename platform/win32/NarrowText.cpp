#include "platform/NarrowText.h"

#include <windows.h>

namespace platform {

namespace {

std::string toAnsi(const wchar_t* text, int length)
{
    if (length <= 0)
        return std::string();
    // Characters the code page lacks become its default character.
    const int size = ::WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return std::string();
    std::string out(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, text, length, &out[0], size, nullptr, nullptr);
    return out;
}

} // namespace

std::string narrowFromUtf16(const std::u16string& text)
{
    static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows' wide characters are UTF-16 units");
    const std::wstring wide(text.begin(), text.end());
    return toAnsi(wide.data(), static_cast<int>(wide.size()));
}

std::string narrowFromUtf8(const std::string& text)
{
    if (text.empty())
        return text;
    const int n = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (n <= 0)
        return text;
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &wide[0], n);
    return toAnsi(wide.data(), n);
}

std::string narrowFromLatin1(const std::string& text)
{
    // A single-byte ANSI code page is where such tags come from: the bytes stay. A process whose
    // ANSI code page is UTF-8 (the programs' manifest asks for it) needs the characters.
    if (::GetACP() != CP_UTF8 || text.empty())
        return text;
    const int n = ::MultiByteToWideChar(28591, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (n <= 0)
        return text;
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    ::MultiByteToWideChar(28591, 0, text.data(), static_cast<int>(text.size()), &wide[0], n);
    return toAnsi(wide.data(), n);
}

} // namespace platform
