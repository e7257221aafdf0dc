// The clipboard on Windows: a registered format and a movable, shareable global memory block.
#include <windows.h>

#include <cstring>

#include "platform/clipboard.h"
#include "platform/win32/clipboard_data.h"
#include "platform/win32/wide_string.h"

namespace platform {
namespace {

ErrorCode RegisterFormat(const std::string& formatName, UINT& format) {
    if (formatName.empty()) return kErrorInvalidParameter;
    format = RegisterClipboardFormatW(Utf8ToWide(formatName).c_str());
    return format != 0 ? kSuccess : GetLastError();
}

// The code of a failed call, never kSuccess (some clipboard calls fail without setting one).
ErrorCode FailureCode() {
    const DWORD error = GetLastError();
    return error != 0 ? error : kErrorAccessDenied;
}

}  // namespace

ErrorCode PutClipboardBytes(unsigned int format, std::string_view bytes, HWND owner) {
    HGLOBAL block =
        GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE | GMEM_ZEROINIT, bytes.empty() ? 1 : bytes.size());
    if (block == nullptr) return FailureCode();
    void* target = GlobalLock(block);
    if (target == nullptr) {
        const ErrorCode error = FailureCode();
        GlobalFree(block);
        return error;
    }
    if (!bytes.empty()) std::memcpy(target, bytes.data(), bytes.size());
    GlobalUnlock(block);

    // Emptying a clipboard opened without a window leaves it without an owner, and then
    // SetClipboardData fails: a caller without a window borrows a hidden one for the moment.
    HWND borrowed = nullptr;
    if (owner == nullptr) {
        borrowed = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
        owner = borrowed;
    }
    if (!OpenClipboard(owner)) {
        const ErrorCode error = FailureCode();
        GlobalFree(block);
        if (borrowed != nullptr) DestroyWindow(borrowed);
        return error;
    }
    EmptyClipboard();
    ErrorCode error = kSuccess;
    if (SetClipboardData(format, block) == nullptr) {
        error = FailureCode();
        GlobalFree(block);  // still ours: the clipboard did not take it
    }
    CloseClipboard();
    if (borrowed != nullptr) DestroyWindow(borrowed);
    return error;
}

ErrorCode GetClipboardBytes(unsigned int format, std::string& bytes) {
    bytes.clear();
    if (!OpenClipboard(nullptr)) return FailureCode();
    HANDLE block = ::GetClipboardData(format);
    if (block == nullptr) {
        CloseClipboard();
        return kErrorFileNotFound;
    }
    const SIZE_T size = GlobalSize(block);
    const void* source = GlobalLock(block);
    if (source == nullptr) {
        const ErrorCode error = FailureCode();
        CloseClipboard();
        return error;
    }
    bytes.assign(static_cast<const char*>(source), size);
    GlobalUnlock(block);
    CloseClipboard();
    return kSuccess;
}

ErrorCode PutClipboardBlock(const std::string& formatName, std::string_view bytes,
                            void* ownerWindow) {
    UINT format = 0;
    const ErrorCode error = RegisterFormat(formatName, format);
    if (error != kSuccess) return error;
    return PutClipboardBytes(format, bytes, static_cast<HWND>(ownerWindow));
}

ErrorCode GetClipboardBlock(const std::string& formatName, std::string& bytes) {
    bytes.clear();
    UINT format = 0;
    const ErrorCode error = RegisterFormat(formatName, format);
    if (error != kSuccess) return error;
    return GetClipboardBytes(format, bytes);
}

}  // namespace platform
