#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <fstream>
#include <iostream>
#include <iterator>

#include "platform/dispatch/DispatchQueue.h"
#include "platform/graphics/ImageDecoder.h"
#include "platform/ui/picker/AtomicFileWriter.h"
#include "platform/ui/picker/PhotoLibrary.h"
#include "platform/ui/picker/ThumbnailCache.h"
#include "tests/platform/ui/picker/PhotoLibraryGuard.h"
#include "tests/platform/ui/picker/PictureFolder.h"

namespace {

std::vector<std::uint8_t> contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(PhotoLibrary, ListsFilesNewestFirstAndFallsBackOnlyWhenTheLibraryHasNone) {
    PictureFolder library;
    PictureFolder samples;
    const std::string sample = samples.addPicture("sample.jpg", 8, 8, 0);
    {
        PhotoLibraryGuard guard((library.path() / "missing").string(), samples.path().string());
        EXPECT_EQ(PhotoLibrary::picturePaths(), std::vector<std::string>{sample})
            << "a missing library shows the samples";
    }
    PhotoLibraryGuard guard(library.path().string(), samples.path().string());
    std::filesystem::create_directory(library.file("folder.jpg"));
    library.addText(".hidden.jpg", 0);
    library.addText("LICENSE.md", 0);
    EXPECT_EQ(PhotoLibrary::picturePaths(), std::vector<std::string>{sample})
        << "folders, hidden files and other documents do not count as library files";

    const std::string old = library.addPicture("old.jpg", 8, 8, 300);
    const std::string newest = library.addPicture("newest.jpg", 8, 8, 10);
    const std::string middle = library.addText("middle.jpg", 100);
    EXPECT_EQ(PhotoLibrary::picturePaths(), (std::vector<std::string>{newest, middle, old}))
        << "unreadable files are listed for the caller to skip; the samples are not mixed in";
}

TEST(PhotoLibrary, ThumbnailsAreSquareAtTheScaleAndUnreadableFilesGiveNone) {
    PictureFolder folder;
    const std::string wide = folder.addPicture("wide.jpg", 200, 100, 0);
    const UIImagePtr thumbnail = PhotoLibrary::thumbnailForPicture(wide, 40, 2);
    ASSERT_NE(thumbnail, nullptr);
    EXPECT_EQ(thumbnail->size(), (CGSize{40, 40}));
    EXPECT_EQ(thumbnail->CGImage()->width(), 80);
    // Filled and cut to the middle: the left edge shows red (top) and blue (bottom),
    // the right edge green and white.
    EXPECT_TRUE(viewtest::near(viewtest::pixelAt(*thumbnail, 2, 10), viewtest::kRed, 40));
    EXPECT_TRUE(viewtest::near(viewtest::pixelAt(*thumbnail, 77, 70), viewtest::kWhite, 40));

    // A second visit is served from the cache; a file changed since is decoded again.
    EXPECT_EQ(PhotoLibrary::thumbnailForPicture(wide, 40, 2), thumbnail);
    EXPECT_NE(PhotoLibrary::thumbnailForPicture(wide, 20, 2), thumbnail) << "another size";
    folder.addPicture("wide.jpg", 300, 100, 0);
    EXPECT_NE(PhotoLibrary::thumbnailForPicture(wide, 40, 2), thumbnail);

    std::filesystem::create_directory(folder.file("folder.jpg"));
    const std::string fifo = folder.file("pipe.jpg");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& unreadable :
         {folder.addText("text.jpg", 0), folder.addTruncatedJpeg("truncated.jpg", 0),
          folder.file("folder.jpg"), fifo, folder.file("absent.jpg")}) {
        EXPECT_EQ(PhotoLibrary::thumbnailForPicture(unreadable, 40, 2), nullptr) << unreadable;
    }
}

// Shrinks the shared decode budget for one test.
class BudgetGuard {
public:
    explicit BudgetGuard(std::int64_t capacity) : saved_(DecodeBudget::shared().capacity()) {
        DecodeBudget::shared().setCapacity(capacity);
        DecodeBudget::shared().resetPeak();
    }
    ~BudgetGuard() { DecodeBudget::shared().setCapacity(saved_); }
    BudgetGuard(const BudgetGuard&) = delete;
    BudgetGuard& operator=(const BudgetGuard&) = delete;

private:
    std::int64_t saved_;
};

TEST(PhotoLibrary, ThumbnailDecodesHoldToOneMemoryBudget) {
    // Four 600 × 600 PNGs play a folder of bombs against a budget that holds two of them.
    constexpr std::int64_t kBombBytes = 600 * 600 * 4;
    PictureFolder folder;
    const std::vector<std::uint8_t> png =
        UIImagePNGRepresentation(*viewtest::quadrantPicture(600, 600));
    std::vector<std::string> bombs;
    for (int i = 0; i < 4; ++i) {
        bombs.push_back(folder.addBytes("bomb" + std::to_string(i) + ".png", png, 0));
    }
    DecodeBudget& budget = DecodeBudget::shared();
    {
        const BudgetGuard guard(2 * kBombBytes + kBombBytes / 2);
        std::vector<UIImagePtr> thumbnails(bombs.size());
        dispatchApply(bombs.size(), [&](std::size_t i) {
            thumbnails[i] = PhotoLibrary::thumbnailForPicture(bombs[i], 40, 2);
        });
        EXPECT_TRUE(std::all_of(thumbnails.begin(), thumbnails.end(), [](const UIImagePtr& each) {
            return each != nullptr;
        })) << "decodes that don't fit wait their turn";
        EXPECT_GE(budget.peakReserved(), kBombBytes);
        EXPECT_LE(budget.peakReserved(), budget.capacity());
    }
    {
        const BudgetGuard guard(kBombBytes / 2);
        ThumbnailCache::shared().clear();
        EXPECT_EQ(PhotoLibrary::thumbnailForPicture(bombs[0], 40, 2), nullptr)
            << "a decode larger than the whole budget is refused";
        // A JPEG decodes reduced for its thumbnail, well within the same budget.
        const std::string jpeg = folder.addPicture("large.jpg", 1600, 800, 0);
        EXPECT_NE(PhotoLibrary::thumbnailForPicture(jpeg, 40, 2), nullptr);
        EXPECT_LT(budget.peakReserved(), 1600 * 800 * 4 / 10);
    }
    EXPECT_EQ(budget.reserved(), 0);
}

TEST(PhotoLibrary, SavesNeverOverwriteAndLeaveOnlyWholeFiles) {
    PictureFolder folder;
    PhotoLibraryGuard guard((folder.path() / "made" / "on" / "demand").string());
    const UIImagePtr picture = viewtest::quadrantPicture(120, 80);

    const PhotoLibrary::SaveResult first = PhotoLibrary::saveImage(*picture);
    ASSERT_TRUE(first.succeeded()) << first.error;
    const std::vector<std::uint8_t> firstBytes = contents(first.path);
    const PhotoLibrary::SaveResult second = PhotoLibrary::saveImage(*picture);
    ASSERT_TRUE(second.succeeded()) << second.error;

    EXPECT_NE(first.path, second.path);
    EXPECT_EQ(contents(first.path), firstBytes) << "the second save left the first alone";
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(PhotoLibrary::libraryPath()), {}),
              2)
        << "no temporary files are left behind";
    const mode_t mask = ::umask(0);
    ::umask(mask);
    for (const std::string& path : {first.path, second.path}) {
        EXPECT_TRUE(path.ends_with(".jpg"));
        EXPECT_EQ(static_cast<mode_t>(std::filesystem::status(path).permissions()), 0666 & ~mask)
            << "saved with the user's usual permissions";
        const UIImagePtr saved = ImageDecoder::decodeFile(path);
        ASSERT_NE(saved, nullptr);
        EXPECT_EQ(saved->size(), (CGSize{120, 80}));
    }
    EXPECT_EQ(PhotoLibrary::picturePaths().size(), 2u) << "saved pictures show in the library";
}

TEST(PhotoLibrary, AFailedSaveReportsWhyAndLeavesNoFile) {
    PictureFolder folder;
    const UIImagePtr picture = viewtest::quadrantPicture(16, 16);
    // A folder inside a regular file can't be made, whoever runs the test.
    const std::string blocker = folder.addText("blocker", 0);
    {
        PhotoLibraryGuard guard((std::filesystem::path(blocker) / "library").string());
        const PhotoLibrary::SaveResult result = PhotoLibrary::saveImage(*picture);
        EXPECT_FALSE(result.succeeded());
        EXPECT_FALSE(result.error.empty());
        EXPECT_EQ(folder.entries(), std::vector<std::string>{"blocker"});
    }

    const std::filesystem::path readOnly = folder.path() / "read-only";
    std::filesystem::create_directory(readOnly);
    std::filesystem::permissions(
        readOnly, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    if (::geteuid() == 0) {
        std::cout << "[ NOTE     ] running as root: folder permissions do not apply, the "
                     "read-only folder case is not checked\n";
    } else {
        PhotoLibraryGuard guard(readOnly.string());
        const PhotoLibrary::SaveResult result = PhotoLibrary::saveImage(*picture);
        EXPECT_FALSE(result.succeeded());
        EXPECT_NE(result.error.find(readOnly.string()), std::string::npos) << result.error;
        EXPECT_TRUE(std::filesystem::is_empty(readOnly));
    }
}

TEST(AtomicFileWriter, WritesNewFilesOnlyAndKeepsWhatIsThere) {
    PictureFolder folder;
    const std::vector<std::uint8_t> bytes{1, 2, 3, 4};
    const std::string path = folder.file("data.bin");
    EXPECT_EQ(AtomicFileWriter::writeNew(path, bytes).outcome, AtomicFileWriter::Outcome::Written);
    EXPECT_EQ(contents(path), bytes);

    const std::vector<std::uint8_t> other{9, 9};
    const AtomicFileWriter::Result again = AtomicFileWriter::writeNew(path, other);
    EXPECT_EQ(again.outcome, AtomicFileWriter::Outcome::NameTaken);
    EXPECT_EQ(contents(path), bytes);
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"data.bin"});

    const AtomicFileWriter::Result missing =
        AtomicFileWriter::writeNew(folder.file("no/such/folder/file"), bytes);
    EXPECT_EQ(missing.outcome, AtomicFileWriter::Outcome::Failed);
    EXPECT_FALSE(missing.message.empty());
    EXPECT_EQ(AtomicFileWriter::writeNew(folder.path().string() + "/", bytes).outcome,
              AtomicFileWriter::Outcome::Failed)
        << "a folder path names no file";
}

TEST(AtomicFileWriter, ReplacesAWholeFileOrLeavesTheOldOneIntact) {
    PictureFolder folder;
    const std::string path = folder.file("data.bin");
    const std::vector<std::uint8_t> old{1, 2, 3, 4};
    ASSERT_EQ(AtomicFileWriter::writeNew(path, old).outcome, AtomicFileWriter::Outcome::Written);
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    const std::vector<std::uint8_t> replacement(64, 7);
    EXPECT_EQ(AtomicFileWriter::replace(path, replacement).outcome,
              AtomicFileWriter::Outcome::Written);
    EXPECT_EQ(contents(path), replacement);
    struct stat replaced {};
    ASSERT_EQ(::stat(path.c_str(), &replaced), 0);
    EXPECT_EQ(replaced.st_mode & 07777, 0640u) << "the replaced file keeps its permissions";

    // A write that fails half-way (here: the process may not write files that big,
    // which holds even for root) leaves the file being replaced as it was.
    const std::vector<std::uint8_t> big(64 * 1024, 9);
    const auto previousHandler = ::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit saved = limit;
    limit.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
    const AtomicFileWriter::Result failed = AtomicFileWriter::replace(path, big);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    ::signal(SIGXFSZ, previousHandler);
    EXPECT_EQ(failed.outcome, AtomicFileWriter::Outcome::Failed);
    EXPECT_NE(failed.message.find(path), std::string::npos) << failed.message;
    EXPECT_EQ(contents(path), replacement);
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"data.bin"}) << "no temporary file left";
}

}  // namespace
