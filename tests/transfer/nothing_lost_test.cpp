// Runs that once lost a user's song, each on a volume of the test's own (a tmpfs of
// 4 KiB pages, an exFAT card through FUSE; as root, skipped otherwise), through the
// main window's wiring and the real file system. After each, every song the user
// had is still there, byte for byte, with the message the case calls for.
#include "platform/linux/drive_table.h"
#include "platform/linux/posix_file_system.h"
#include "run_harness.h"
#include "support/card_image.h"
#include "support/card_mounts.h"
#include "support/scratch.h"
#include "support/song_files.h"

#include <csignal>
#include <filesystem>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <map>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kadoru {
namespace {

namespace stdfs = std::filesystem;
using test::random_bytes;
using test::ScratchFolder;
using ::testing::ElementsAreArray;
using ::testing::StartsWith;

enum class Volume { tmpfs, small_tmpfs, exfat };

// What a case puts on the card and in the list, and what must be there afterwards.
struct Scene {
    const ScratchFolder& dir;
    std::string card;
    std::vector<TransferEntry> rows;
    std::map<std::string, std::string> on_card; // name: bytes, after the run
    std::map<std::string, std::string> kept;    // the user's files off the card: path: bytes

    // A song already on the card, which the run must leave as it is.
    void old(const std::string& name, const std::string& bytes) {
        ScratchFolder::write_file(card + "/" + name, bytes);
        on_card[name] = bytes;
    }
    // A song of the list, from a folder of the music folder.
    std::string row(const std::string& name, const std::string& bytes,
                    const std::string& album = "a") {
        stdfs::create_directories(dir / ("music/" + album));
        const std::string path = dir.write("music/" + album + "/" + name, bytes);
        kept[path] = bytes;
        rows.push_back({name, path, std::to_string(bytes.size())});
        return path;
    }
    // A song of the list that the card must hold afterwards.
    void copied(const std::string& name, const std::string& bytes, const std::string& album = "a") {
        row(name, bytes, album);
        on_card[name] = bytes;
    }
};

struct Case {
    const char* name;
    Volume volume;
    std::function<void(Scene&)> arrange;
    std::vector<Answer> answers;
    std::vector<std::string> told; // the messages' beginnings, in order
    std::size_t killed_at = 0;     // not 0: the run dies when the card's file reaches it
    friend void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }
};

const std::string finished = "処理が終了しました";
const std::string asked_to_delete = "e:\\ の中のMP3ファイルを削除しますか？";
const std::string same_names = "次の曲はカードの中で同じ名前になります";

class NothingLost : public ::testing::TestWithParam<Case> {
protected:
    void SetUp() override {
        stdfs::create_directories(dir / "program");
        if (GetParam().volume == Volume::exfat) {
            image_.emplace(dir, test::CardImage::Format::exfat);
            if (!image_->mounted())
                GTEST_SKIP() << image_->why_not();
        } else {
            tmpfs_.emplace(dir / "card", GetParam().volume == Volume::small_tmpfs
                                             ? "size=64k,nr_inodes=100"
                                             : "size=4m");
            if (!tmpfs_->mounted())
                GTEST_SKIP() << tmpfs_->why_not();
        }
    }

    // The program starts (and with it the look for short copies), and Start is
    // pressed where the case has rows; the messages shown.
    std::vector<std::string> start(const std::vector<TransferEntry>& rows,
                                   const std::vector<Answer>& answers, std::size_t killed_at = 0) {
        DriveTable drives = test::card_drive_table(scene.card, dir.path());
        PosixFileSystem fs;
        dir.write("program/kadoset.ini", (dir / "music") + ",e:"); // the card at start
        test::RunHarness harness(fs, drives, "e:", dir / "music", dir / "program");
        harness.messages.answers = {answers.begin(), answers.end()};
        for (const auto& row : rows)
            harness.add(row.name, row.source_path, std::stoull(row.size_text));
        if (killed_at != 0) {
            // Past this many bytes a write ends the process (SIGXFSZ): no unwinding.
            const rlimit limit{killed_at, killed_at};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        }
        if (!rows.empty())
            harness.start();
        return harness.messages.texts();
    }

    ScratchFolder dir;
    Scene scene{dir, dir / "card", {}, {}, {}};

private:
    std::optional<test::TmpfsMount> tmpfs_;
    std::optional<test::CardImage> image_;
};

TEST_P(NothingLost, EverySongTheUserHadStays) {
    const Case& c = GetParam();
    c.arrange(scene);
    std::vector<std::string> told;
    if (c.killed_at == 0) {
        told = start(scene.rows, c.answers);
    } else {
        const pid_t child = ::fork();
        ASSERT_NE(child, -1);
        if (child == 0) {
            start(scene.rows, c.answers, c.killed_at);
            std::_Exit(0);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ) << status;
        ASSERT_EQ(stdfs::file_size(scene.card + "/cut.mp3"), c.killed_at);
        told = start({}, {}); // the next start
        EXPECT_THAT(start({}, {}), ::testing::IsEmpty()) << "told once";
    }

    ASSERT_EQ(told.size(), c.told.size()) << ::testing::PrintToString(told);
    for (std::size_t i = 0; i < told.size(); ++i)
        EXPECT_THAT(told[i], StartsWith(c.told[i]));
    std::vector<std::string> names = test::folder_read(scene.card);
    std::sort(names.begin(), names.end());
    std::vector<std::string> wanted;
    for (const auto& [name, bytes] : scene.on_card) {
        wanted.push_back(name);
        EXPECT_FALSE(stdfs::is_symlink(scene.card + "/" + name)) << name;
        EXPECT_TRUE(ScratchFolder::read_file(scene.card + "/" + name) == bytes) << name;
    }
    EXPECT_THAT(names, ElementsAreArray(wanted));
    for (const auto& [path, bytes] : scene.kept)
        EXPECT_TRUE(ScratchFolder::read_file(path) == bytes) << path;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NothingLost,
    ::testing::Values(
        // The list names the card's only copy of a song by a link: Yes keeps it.
        Case{"LinkIntoTheCardsRoot",
             Volume::tmpfs,
             [](Scene& s) {
                 s.old("song.mp3", random_bytes(5000, 1));
                 s.copied("other.mp3", random_bytes(300, 2));
                 stdfs::create_symlink(s.card + "/song.mp3", s.dir / "music/a/link.mp3");
                 s.rows.push_back({"link.mp3", s.dir / "music/a/link.mp3", "5000"});
                 s.on_card["link.mp3"] = s.on_card["song.mp3"];
             },
             {Answer::yes},
             {asked_to_delete, finished}},
        // Renamed or on a stick pulled since it was added: nothing deleted.
        Case{"AVanishedSource",
             Volume::tmpfs,
             [](Scene& s) {
                 s.old("old.mp3", random_bytes(3000, 3));
                 s.row("here.mp3", random_bytes(100, 4));
                 stdfs::remove(s.row("gone.mp3", random_bytes(100, 5)));
                 s.kept.erase(s.rows.back().source_path);
             },
             {Answer::yes},
             {"Error：53で異常終了しました"}},
        // 2,000 bytes fit in 56 KiB, but twenty files take twenty pages of 4 KiB.
        Case{"BytesThatFitButBlocksThatDoNot",
             Volume::small_tmpfs,
             [](Scene& s) {
                 s.old("old.mp3", random_bytes(8192, 6));
                 for (unsigned i = 0; i < 20; ++i)
                     s.row("song" + std::to_string(i) + ".mp3", random_bytes(100, 10 + i));
             },
             {Answer::yes},
             {asked_to_delete, "e: の空き領域が不足しています"}},
        // Two albums' intros, one card name: told first; Yes keeps the later.
        Case{"TwoRowsUnderOneCardNameYes",
             Volume::exfat,
             [](Scene& s) {
                 s.old("keep.wma", "wma");
                 s.row("Intro.mp3", random_bytes(700, 7), "a");
                 s.copied("intro.mp3", random_bytes(900, 8), "b");
                 s.row("What?.mp3", random_bytes(100, 9), "a");
                 s.copied("What？.mp3", random_bytes(200, 10), "b");
             },
             {Answer::yes, Answer::yes},
             {same_names, asked_to_delete, finished}},
        Case{"TwoRowsUnderOneCardNameNo",
             Volume::exfat,
             [](Scene& s) {
                 s.old("old.mp3", random_bytes(4000, 11));
                 s.row("Intro.mp3", random_bytes(700, 7), "a");
                 s.row("intro.mp3", random_bytes(900, 8), "b");
             },
             {Answer::no},
             {same_names}},
        // Killed at byte 50,000 of 200,000: the next start removes the short copy.
        Case{"ACopyCutShort",
             Volume::tmpfs,
             [](Scene& s) {
                 s.old("keep.mp3", random_bytes(1000, 12));
                 s.row("cut.mp3", random_bytes(200000, 13));
             },
             {Answer::no},
             {"前回の転送が途中で終わっていました"},
             50000},
        // The order guard's placeholders fill the hole the delete step leaves.
        Case{"APlaceholderNamedRow",
             Volume::exfat,
             [](Scene& s) {
                 ScratchFolder::write_file(s.card + "/a long name before the rest.mp3", "old");
                 s.old("keep.wma", "wma");
                 s.copied("KDR00000.TMP", random_bytes(50, 14));
                 s.copied("x.mp3", random_bytes(60, 15));
             },
             {Answer::yes},
             {asked_to_delete, finished}},
        // On a folder that holds links, the link is replaced, not written through.
        Case{"ALinkInTheDestination",
             Volume::tmpfs,
             [](Scene& s) {
                 const std::string elsewhere = s.dir.write("precious.mp3", random_bytes(800, 15));
                 s.kept[elsewhere] = random_bytes(800, 15);
                 stdfs::create_symlink(elsewhere, s.card + "/song.mp3");
                 s.copied("song.mp3", random_bytes(600, 16));
             },
             {Answer::no},
             {asked_to_delete, finished}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace kadoru
