// The scan's shared work when a file misbehaves: an icon extraction that
// throws, a shortcut file that does not answer. The reads and extractions
// are the test's own; the threads and waits are the real ones.

#include "launcher/scanwork.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <new>
#include <string>
#include <vector>

using namespace tarnivo;
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

namespace {

TShortcutCfg Entry(const std::wstring& name, const std::wstring& iconFile)
{
    TShortcutCfg entry;
    entry.Name = std::string(name.begin(), name.end());
    entry.WideIconFile = iconFile;
    return entry;
}

milliseconds Since(Clock::time_point start)
{
    return std::chrono::duration_cast<milliseconds>(Clock::now() - start);
}

// A Windows event that the test owns.
struct Event {
    Event() : Handle(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
    ~Event() { CloseHandle(Handle); }
    Event(const Event&) = delete;
    Event& operator=(const Event&) = delete;
    bool WaitFor(DWORD ms) const { return WaitForSingleObject(Handle, ms) == WAIT_OBJECT_0; }
    HANDLE Handle;
};

} // namespace

// Both shortcuts name the same icon; its extraction throws on whichever
// thread asks first. The slot must end failed at once: the second entry,
// and the icon phase, would otherwise wait on it.
TEST(ScanWork, AnIconThatThrowsEndsItsSlotForEveryShortcutSharingIt)
{
    for (int workers : {0, 1, 2}) {
        SCOPED_TRACE(testing::Message() << workers << " workers");
        std::atomic<int> extractions{0};
        TScanIo io;
        io.ReadLink = [](TShortcutReader&, const std::wstring& path) {
            return std::optional<TShortcutCfg>(Entry(path, L"C:\\shared.dll"));
        };
        io.ExtractIcon = [&extractions](const std::wstring&, int) -> TFileIcon {
            ++extractions;
            throw std::bad_alloc();
        };
        // Far longer than the test: an icon that only ends by being given
        // up shows as a wait of this length.
        const milliseconds patience{30000};
        TScanWork work(workers, io, patience);
        work.Start({L"first.lnk", L"second.lnk"});
        const auto start = Clock::now();
        TScanWork::TRead first = work.Take(0);
        TScanWork::TRead second = work.Take(1);
        work.Finish();
        ASSERT_TRUE(first.Entry) << "a failed icon does not make its shortcut unreadable";
        ASSERT_TRUE(second.Entry);
        EXPECT_EQ(first.Slot, second.Slot);
        EXPECT_FALSE(work.Icon(first.Slot));
        EXPECT_FALSE(work.Icon(second.Slot));
        EXPECT_LT(Since(start), patience / 2) << "the slot was given up, not ended";
        EXPECT_EQ(extractions.load(), 1) << "one extraction per file and index";
        // Asked for again from the window's thread: the same failed slot.
        EXPECT_EQ(work.Slot(L"C:\\shared.dll", 0), first.Slot);
        EXPECT_FALSE(work.Icon(work.Slot(L"C:\\shared.dll", 0)));
        EXPECT_EQ(extractions.load(), 1);
    }
}

// One worker is stuck in a file that never answers (a share gone away).
// The file counts as unreadable after the wait, the files after it are
// read, a new list is served, and the end does not wait for the worker.
TEST(ScanWork, AFileThatNeverAnswersIsGivenUpAndHoldsUpNeitherRefreshNorExit)
{
    Event entered;
    Event release;
    Event left;
    TScanIo io;
    io.ReadLink = [&entered, &release, &left](TShortcutReader&, const std::wstring& path) {
        if (path == L"slow.lnk") {
            SetEvent(entered.Handle);
            // Bounded, so that a broken test cannot keep the thread forever.
            WaitForSingleObject(release.Handle, 60000);
            SetEvent(left.Handle);
        }
        return std::optional<TShortcutCfg>(Entry(path, L"C:\\" + path + L".exe"));
    };
    io.ExtractIcon = [](const std::wstring&, int) { return TFileIcon{}; };
    const milliseconds fileWait{300};
    auto work = std::make_unique<TScanWork>(1, io, fileWait);
    ASSERT_EQ(work->Workers(), 1);

    // Only the worker can take the first file: nobody else reads yet.
    work->Start({L"slow.lnk", L"fast.lnk"});
    ASSERT_TRUE(entered.WaitFor(10000)) << "the worker took the slow file";
    EXPECT_FALSE(work->Take(0).Entry) << "given up after the wait";
    TScanWork::TRead fast = work->Take(1);
    ASSERT_TRUE(fast.Entry);
    EXPECT_EQ(fast.Entry->Name, "fast.lnk");

    // The end of the list, a refresh's new list and the end of the work all
    // go on while the worker is still stuck.
    auto start = Clock::now();
    work->Finish();
    work->Start({L"again.lnk"});
    TScanWork::TRead again = work->Take(0);
    ASSERT_TRUE(again.Entry);
    EXPECT_EQ(again.Entry->Name, "again.lnk");
    work->Finish();
    work.reset();
    EXPECT_LT(Since(start), milliseconds(5000))
        << "each end waits at most " << TScanWork::LetGoWait.count() << " ms";

    // The worker left behind finishes its file and goes.
    SetEvent(release.Handle);
    EXPECT_TRUE(left.WaitFor(10000));
}

// An icon extraction that never ends: the entries that share it take the
// fallback after one wait, not one wait each.
TEST(ScanWork, AnIconThatNeverComesIsGivenUpOnceForAllItsShortcuts)
{
    Event entered;
    Event release;
    Event left;
    TScanIo io;
    io.ReadLink = [](TShortcutReader&, const std::wstring& path) {
        return std::optional<TShortcutCfg>(Entry(path, L"C:\\stuck.dll"));
    };
    io.ExtractIcon = [&entered, &release, &left](const std::wstring&, int) {
        SetEvent(entered.Handle);
        WaitForSingleObject(release.Handle, 60000);
        SetEvent(left.Handle);
        return TFileIcon{};
    };
    const milliseconds fileWait{300};
    auto work = std::make_unique<TScanWork>(1, io, fileWait);
    std::vector<std::wstring> links;
    for (int i = 0; i < 20; ++i)
        links.push_back(L"link" + std::to_wstring(i) + L".lnk");
    // The worker reads the first file and sticks in its icon; the window's
    // thread reads the rest, which share the slot.
    work->Start(links);
    ASSERT_TRUE(entered.WaitFor(10000));
    std::vector<int> slots;
    for (std::size_t k = 1; k < links.size(); ++k) {
        TScanWork::TRead read = work->Take(k);
        ASSERT_TRUE(read.Entry);
        slots.push_back(read.Slot);
    }
    const auto start = Clock::now();
    for (int slot : slots)
        EXPECT_FALSE(work->Icon(slot));
    // 19 waits would take 19 x 300 ms.
    EXPECT_LT(Since(start), milliseconds(3000));
    work->Finish();
    work->ClearIcons();
    work.reset();
    SetEvent(release.Handle);
    EXPECT_TRUE(left.WaitFor(10000));
}
