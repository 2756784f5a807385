#include "platform/failure.h"
#include "platform/linux/drive_table.h"
#include "platform/linux/exfat_device.h"
#include "platform/linux/mountinfo_source.h"
#include "platform/linux/posix_file_system.h"
#include "platform/linux/stored_entry_order.h"
#include "support/failure_of.h"
#include "support/listed_mounts.h"
#include "support/scratch.h"

#include <fcntl.h>
#include <filesystem>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace kadoru {
namespace {

namespace stdfs = std::filesystem;
using test::failure_of;
using test::ScratchFolder;
using ::testing::ElementsAre;
using ::testing::UnorderedElementsAre;

// A small exFAT volume written by hand: 512-byte sectors and clusters, the FAT in
// sector 1, the clusters from sector 2 on, and a root folder along a chain of
// clusters the test chooses. Entries are written one after the other into the
// folder as the chain lays it out.
class ExfatImage {
public:
    static constexpr std::size_t sector = 512;
    static constexpr std::uint32_t clusters = 8;

    explicit ExfatImage(std::vector<std::uint32_t> chain) : chain_(std::move(chain)) {
        bytes_.assign((2 + clusters) * sector, 0);
        std::copy_n("EXFAT   ", 8, &bytes_[3]);
        put32(80, 1);        // FAT offset, sectors
        put32(84, 1);        // FAT length
        put32(88, 2);        // cluster heap offset
        put32(92, clusters); // cluster count
        put32(96, chain_.front());
        bytes_[108] = 9; // 512-byte sectors
        bytes_[109] = 0; // one sector a cluster
        for (std::size_t i = 0; i < chain_.size(); ++i)
            link(chain_[i], i + 1 < chain_.size() ? chain_[i + 1] : 0xFFFFFFFFU);
    }

    void link(std::uint32_t cluster, std::uint32_t next) {
        put32(sector + std::size_t{cluster} * 4, next);
    }
    // The volume's own entries, as a formatter writes them first.
    void system_entries() {
        for (const unsigned char type : {0x83, 0x81, 0x82})
            entry({type});
    }
    void file(const std::u16string& name, bool deleted = false) {
        const auto name_entries = (name.size() + 14) / 15;
        const unsigned char in_use = deleted ? 0x00 : 0x80;
        entry({static_cast<unsigned char>(0x05 | in_use),
               static_cast<unsigned char>(1 + name_entries)});
        entry({static_cast<unsigned char>(0x40 | in_use), 0, 0,
               static_cast<unsigned char>(name.size())});
        for (std::size_t k = 0; k < name_entries; ++k) {
            std::vector<unsigned char> e = {static_cast<unsigned char>(0x41 | in_use), 0};
            for (std::size_t u = 0; u < 15; ++u) {
                const char16_t c = 15 * k + u < name.size() ? name[15 * k + u] : u'\0';
                e.push_back(static_cast<unsigned char>(c & 0xFF));
                e.push_back(static_cast<unsigned char>(c >> 8));
            }
            entry(e);
        }
    }
    void end_marker() { entry({0x00}); }

    std::string write(const ScratchFolder& dir) const {
        return dir.write("exfat.img", std::string(bytes_.begin(), bytes_.end()));
    }

private:
    void put32(std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            bytes_[at + static_cast<std::size_t>(i)] = static_cast<unsigned char>(v >> (8 * i));
    }
    void entry(std::vector<unsigned char> e) {
        e.resize(32, 0);
        const std::size_t per_cluster = sector / 32;
        const std::size_t cluster = chain_.at(next_ / per_cluster);
        std::copy(e.begin(), e.end(),
                  &bytes_[(2 + cluster - 2) * sector + (next_ % per_cluster) * 32]);
        ++next_;
    }

    std::vector<std::uint32_t> chain_;
    std::vector<unsigned char> bytes_;
    std::size_t next_ = 0;
};

TEST(ExfatRoot, NamesInEntryOrderAcrossTheClusterChain) {
    const ScratchFolder dir;
    ExfatImage image({2, 5, 3}); // sixteen entries a cluster, out of order on the volume
    image.system_entries();
    image.file(u"01 first.mp3");
    image.file(u"a name of more than fifteen characters.mp3"); // three name entries
    image.file(u"gone.mp3", true);
    image.file(u"曲の名前.mp3");   // its entries run from the first cluster into the next
    image.file(u"\U0001F3B5.mp3"); // a character beyond 16 bits
    for (int i = 0; i < 6; ++i)
        image.file(u"filler " + std::u16string(1, static_cast<char16_t>(u'a' + i)));
    image.file(u"in the third cluster.mp3");
    image.end_marker();
    image.file(u"after the end.mp3");
    const std::string path = image.write(dir);

    EXPECT_TRUE(is_exfat_volume(path));
    const auto names = exfat_root_names(path);
    ASSERT_TRUE(names.has_value());
    EXPECT_THAT(*names, ElementsAre("01 first.mp3", "a name of more than fifteen characters.mp3",
                                    "曲の名前.mp3", "\xF0\x9F\x8E\xB5.mp3", "filler a", "filler b",
                                    "filler c", "filler d", "filler e", "filler f",
                                    "in the third cluster.mp3"));
}

TEST(ExfatRoot, NothingFromADamagedOrForeignVolume) {
    const ScratchFolder dir;
    ExfatImage looping({2, 3});
    looping.link(3, 2); // a chain that never ends
    looping.file(u"a.mp3");
    const std::string loop = looping.write(dir);
    EXPECT_TRUE(is_exfat_volume(loop));
    EXPECT_FALSE(exfat_root_names(loop).has_value());

    ExfatImage damaged({2});
    damaged.file(u"a.mp3");
    std::string bytes = ScratchFolder::read_file(damaged.write(dir));
    bytes[2 * 512 + 32] = 0x00; // the stream entry of the set is missing
    const std::string broken = dir.write("broken.img", bytes);
    EXPECT_FALSE(exfat_root_names(broken).has_value());

    const std::string zeros = dir.write("zeros.img", std::string(8192, '\0'));
    for (const auto& path : {zeros, dir / "missing.img", dir.path()}) {
        EXPECT_FALSE(is_exfat_volume(path)) << path;
        EXPECT_FALSE(exfat_root_names(path).has_value()) << path;
    }
}

TEST(StoredEntryOrder, OnlyForFuseVolumes) {
    const ScratchFolder dir;
    EXPECT_FALSE(stored_entry_order(dir.path(), MountInfoSource()).has_value());
}

TEST(PosixEntries, EveryEntryOnceAndEmptyFilesMadeExclusively) {
    const ScratchFolder dir;
    dir.write("song.mp3", "x");
    stdfs::create_directory(dir / "folder");
    stdfs::create_symlink(dir / "nowhere", dir / "dangling");
    PosixFileSystem fs;
    fs.create_empty_file(dir / "KDR00000.TMP");
    EXPECT_THAT(fs.entry_names(dir.path()),
                UnorderedElementsAre("song.mp3", "folder", "dangling", "KDR00000.TMP"));
    EXPECT_TRUE(dir.read("KDR00000.TMP").empty());

    EXPECT_EQ(failure_of([&] { fs.create_empty_file(dir / "song.mp3"); }), 58);
    EXPECT_EQ(dir.read("song.mp3"), "x");
    EXPECT_EQ(failure_of([&] { fs.create_empty_file(dir / "folder"); }), 58);
    EXPECT_EQ(failure_of([&] { fs.create_empty_file(dir / "no/KDR00001.TMP"); }), 76);
    EXPECT_EQ(failure_of([&] { fs.entry_names(dir / "no"); }), 76);
}

TEST(DriveTableType, AFuseBlockVolumeIsKnownByItsBootSector) {
    const ScratchFolder dir;
    const std::string exfat = ExfatImage({2}).write(dir);
    const std::string other = dir.write("other.img", std::string(4096, '\0'));
    struct statx st {};
    ::statx(AT_FDCWD, "/", 0, STATX_MNT_ID, &st);
    const auto type_of = [&](const std::string& table_type, const std::string& source) {
        const std::vector<Mount> table = {Mount{"/", source, table_type, "", st.stx_mnt_id,
                                                makedev(st.stx_dev_major, st.stx_dev_minor)}};
        DriveTable drives(std::make_unique<test::ListedMounts>(table), "/");
        return drives.file_system_type("c:");
    };
    EXPECT_EQ(type_of("fuseblk", exfat), "exfat");
    EXPECT_EQ(type_of("fuseblk", other), "fuseblk");
    EXPECT_EQ(type_of("fuseblk", dir / "missing"), "fuseblk");
    EXPECT_EQ(type_of("fuseblk.exfat", other), "exfat");
    EXPECT_EQ(type_of("ext4", exfat), "ext4"); // only FUSE block volumes are probed
}

} // namespace
} // namespace kadoru
