#include <gtest/gtest.h>

#include <utility>

#include "win/KernelHandles.h"

namespace {

bool IsOpen(HANDLE h) {
    DWORD flags = 0;
    return GetHandleInformation(h, &flags) != 0;
}

TEST(KernelHandles, AKernelHandleClosesOnceWhereverItsOwnerEnds) {
    HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ASSERT_TRUE(event);
    {
        win::KernelHandle first(event);
        win::KernelHandle second(std::move(first));
        EXPECT_FALSE(first);
        EXPECT_TRUE(IsOpen(event));
        first = std::move(second);  // moved back: still one owner
        EXPECT_TRUE(IsOpen(event));
    }
    EXPECT_FALSE(IsOpen(event));

    // Both empty values close nothing and report success.
    win::KernelHandle none, invalid(INVALID_HANDLE_VALUE);
    EXPECT_FALSE(none);
    EXPECT_FALSE(invalid);
    EXPECT_TRUE(invalid.Close());
    EXPECT_TRUE(win::KernelHandle(CreateEventW(nullptr, TRUE, FALSE, nullptr)).Close());
}

TEST(KernelHandles, GlobalMemoryIsFreedUnlessHandedOn) {
    HGLOBAL kept = GlobalAlloc(GMEM_MOVEABLE, 16);
    HGLOBAL freed = GlobalAlloc(GMEM_MOVEABLE, 16);
    ASSERT_TRUE(kept && freed);
    {
        win::GlobalMemory a(kept), b(freed);
        const win::GlobalLocked locked(b.Get());
        ASSERT_TRUE(locked.Get());
        EXPECT_EQ(1u, GlobalFlags(b.Get()) & GMEM_LOCKCOUNT);
        EXPECT_EQ(kept, a.Release());
    }
    EXPECT_EQ(16u, GlobalSize(kept));
    EXPECT_EQ(0u, GlobalSize(freed));  // no longer a block
    EXPECT_EQ(nullptr, GlobalFree(kept));
    EXPECT_EQ(nullptr, win::GlobalLocked(nullptr).Get());
}

TEST(KernelHandles, ARegistryKeyIsClosedWithItsScope) {
    HKEY opened = nullptr;
    {
        win::RegistryKey key;
        ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_CURRENT_USER, L"Software", 0, KEY_READ, key.Out()));
        opened = key.Get();
        DWORD subkeys = 0;
        EXPECT_EQ(ERROR_SUCCESS, RegQueryInfoKeyW(opened, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr,
                                                  nullptr, nullptr, nullptr, nullptr, nullptr));
    }
    DWORD subkeys = 0;
    EXPECT_NE(ERROR_SUCCESS, RegQueryInfoKeyW(opened, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr,
                                              nullptr, nullptr, nullptr, nullptr));
}

TEST(KernelHandles, AFindHandleAndTaskMemoryAreFreedWithTheirScope) {
    WIN32_FIND_DATAW found;
    HANDLE search = nullptr;
    {
        const win::FindHandle find(FindFirstFileW(L"C:\\windows\\*", &found));
        ASSERT_TRUE(find);
        search = find.Get();
        EXPECT_TRUE(FindNextFileW(search, &found));
    }
    EXPECT_FALSE(FindNextFileW(search, &found));
    EXPECT_FALSE(win::FindHandle(FindFirstFileW(L"C:\\no such folder\\*", &found)));

    IMalloc* malloc = nullptr;
    ASSERT_EQ(S_OK, CoGetMalloc(1, &malloc));
    void* block = CoTaskMemAlloc(64);
    {
        const win::TaskMemory<void> owned(block);
        EXPECT_EQ(1, malloc->DidAlloc(block));
    }
    EXPECT_NE(1, malloc->DidAlloc(block));
    malloc->Release();
}

}  // namespace
