#include "platform/rtl/FileSystem.h"

#include "platform/rtl/Errors.h"
#include "tests/platform/TempFolder.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zelt {
namespace {

using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

TEST(FileNames, PartsOfAName) {
    struct Case {
        std::string name, path, dir, file, ext;
    };
    const Case cases[] = {
        {"a/b/c.txt", "a/b/", "a/b", "c.txt", ".txt"},
        {"c.txt", "", "", "c.txt", ".txt"},
        {"/c.txt", "/", "/", "c.txt", ".txt"}, // the root keeps its delimiter
        {"a/b/", "a/b/", "a/b", "", ""},
        {"a.d/b", "a.d/", "a.d", "b", ""}, // a dot in a folder is no extension
        {"a/.bashrc", "a/", "a", ".bashrc", ".bashrc"},
        {"arq.tar.gz", "", "", "arq.tar.gz", ".gz"},
        {"a//b", "a//", "a//", "b", ""},
        {"", "", "", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ExtractFilePath(c.name), c.path) << c.name;
        EXPECT_EQ(ExtractFileDir(c.name), c.dir) << c.name;
        EXPECT_EQ(ExtractFileName(c.name), c.file) << c.name;
        EXPECT_EQ(ExtractFileExt(c.name), c.ext) << c.name;
    }
}

TEST(FileNames, ChangeFileExt) {
    EXPECT_EQ(ChangeFileExt("a/b.tmp", ".txt"), "a/b.txt");
    EXPECT_EQ(ChangeFileExt("a/b", ".txt"), "a/b.txt");
    EXPECT_EQ(ChangeFileExt("a.d/b", ".txt"), "a.d/b.txt");
    EXPECT_EQ(ChangeFileExt("b.tar.gz", ""), "b.tar");
}

TEST(FileNames, TrailingDelimiters) {
    EXPECT_EQ(IncludeTrailingPathDelimiter("a/b"), "a/b/");
    EXPECT_EQ(IncludeTrailingPathDelimiter("a/b/"), "a/b/");
    EXPECT_EQ(IncludeTrailingPathDelimiter(""), "/");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("a/b/"), "a/b");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("a/b"), "a/b");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("/"), "");
}

TEST(FileNames, ExpandFileNameCollapsesDotsWithoutTouchingDisk) {
    EXPECT_EQ(ExpandFileName("/a/b/../c/./d.txt"), "/a/c/d.txt");
    EXPECT_EQ(ExpandFileName("/a/b/"), "/a/b/");
    EXPECT_EQ(ExpandFileName("/../x"), "/x");
    EXPECT_EQ(ExpandFileName("/a//b"), "/a/b");
    EXPECT_EQ(ExpandFileName("rel/x"), IncludeTrailingPathDelimiter(GetCurrentDir()) + "rel/x");
}

TEST(FileNames, DiskNamesAreUtf8) {
    EXPECT_EQ(ToDiskPath("/tmp/a\xE7\xE3o"), "/tmp/a\xC3\xA7\xC3\xA3o");
    EXPECT_EQ(FromDiskPath("/tmp/a\xC3\xA7\xC3\xA3o"), "/tmp/a\xE7\xE3o");
}

TEST(Files, AccentedNameReachesDiskAsUtf8) {
    TempFolder dir;
    std::string name = dir / "relat\xF3rio.txt"; // "relatório" in the code page
    WriteFileAtomic(name, "x");
    EXPECT_TRUE(FileExists(name));
    EXPECT_EQ(ReadBytes(dir / "relat\xC3\xB3rio.txt"), "x");
    EXPECT_EQ(FileSize(name), 1);
}

TEST(Files, ExistenceSizeAndRemoval) {
    TempFolder dir;
    WriteBytes(dir / "f.txt", "12345");
    EXPECT_TRUE(FileExists(dir / "f.txt"));
    EXPECT_FALSE(FileExists(dir.Path())) << "a folder is not a file";
    EXPECT_TRUE(DirectoryExists(dir.Path()));
    EXPECT_FALSE(DirectoryExists(dir / "f.txt"));
    EXPECT_EQ(FileSize(dir / "f.txt"), 5);
    EXPECT_EQ(FileSize(dir / "nada"), -1);
    EXPECT_FALSE(FileExists(""));

    EXPECT_TRUE(RenameFile(dir / "f.txt", dir / "g.txt"));
    EXPECT_FALSE(FileExists(dir / "f.txt"));
    WriteBytes(dir / "h.txt", "old");
    EXPECT_TRUE(RenameFile(dir / "g.txt", dir / "h.txt")) << "rename replaces the target";
    EXPECT_EQ(ReadBytes(dir / "h.txt"), "12345");
    EXPECT_TRUE(DeleteFile(dir / "h.txt"));
    EXPECT_FALSE(DeleteFile(dir / "h.txt"));
}

TEST(Folders, ForceDirectoriesCreatesEveryLevel) {
    TempFolder dir;
    EXPECT_TRUE(ForceDirectories(dir / "a/b/c/"));
    EXPECT_TRUE(DirectoryExists(dir / "a/b/c"));
    EXPECT_TRUE(ForceDirectories(dir / "a/b/c")) << "an existing folder is fine";
    EXPECT_FALSE(ForceDirectories(""));

    WriteBytes(dir / "file", "");
    EXPECT_FALSE(ForceDirectories(dir / "file/sub")) << "a file stands in the way";

    EXPECT_FALSE(CreateDir(dir / "a")) << "already there";
    EXPECT_TRUE(CreateDir(dir / "d"));
    EXPECT_FALSE(RemoveDir(dir / "a")) << "not empty";
    EXPECT_TRUE(RemoveDir(dir / "d"));
}

TEST(Files, ReadFileReturnsEveryByte) {
    TempFolder dir;
    std::string bytes("a\0b\r\n\xFF", 6);
    WriteBytes(dir / "bin", bytes);
    EXPECT_EQ(ReadFile(dir / "bin"), bytes);
    std::string big(200000, 'z');
    WriteBytes(dir / "big", big);
    EXPECT_EQ(ReadFile(dir / "big"), big) << "more than one read buffer";
}

TEST(Files, ReadFileOfMissingFileNamesIt) {
    TempFolder dir;
    try {
        (void)ReadFile(dir / "ausente.txt");
        FAIL() << "no error";
    } catch (const EFOpenError& e) {
        EXPECT_NE(e.Message().find("ausente.txt"), std::string::npos) << e.Message();
    }
    std::string bytes = "untouched";
    EXPECT_FALSE(TryReadFile(dir / "ausente.txt", bytes));
    EXPECT_EQ(errno, ENOENT);
}

TEST(Files, ReadErrorCarriesErrno) {
    TempFolder dir;
    try {
        (void)ReadFile(dir.Path()); // opens, but a folder cannot be read
        FAIL() << "no error";
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.ErrorCode(), EISDIR);
    }
}

TEST(Files, WriteFileAtomicReplacesKeepingMode) {
    TempFolder dir;
    std::string name = dir / "conf.ini";
    WriteBytes(name, "old");
    ASSERT_EQ(::chmod(name.c_str(), 0640), 0);
    WriteFileAtomic(name, "new bytes");
    EXPECT_EQ(ReadBytes(name), "new bytes");
    struct stat st {};
    ASSERT_EQ(::stat(name.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    int entries = 0;
    for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(dir.Path()))
        ++entries;
    EXPECT_EQ(entries, 1) << "no temporary left behind";
}

TEST(Files, WriteFileAtomicThroughALinkKeepsTheLink) {
    TempFolder dir;
    WriteBytes(dir / "real.ini", "old");
    ASSERT_EQ(::symlink((dir / "real.ini").c_str(), (dir / "link.ini").c_str()), 0);
    WriteFileAtomic(dir / "link.ini", "new");
    EXPECT_EQ(ReadBytes(dir / "real.ini"), "new");
    struct stat st {};
    ASSERT_EQ(::lstat((dir / "link.ini").c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
}

TEST(Files, WriteErrorsCarryErrno) {
    TempFolder dir;
    struct Case {
        std::string name;
        int code;
    };
    WriteBytes(dir / "plain", "");
    const Case cases[] = {
        {dir / "missing/x.txt", ENOENT},
        {dir / "plain/x.txt", ENOTDIR},
    };
    for (const Case& c : cases) {
        try {
            WriteFileAtomic(c.name, "x");
            ADD_FAILURE() << c.name << ": no error";
        } catch (const EInOutError& e) {
            EXPECT_EQ(e.ErrorCode(), c.code) << c.name;
            EXPECT_NE(e.Message().find(c.name), std::string::npos) << e.Message();
        }
    }
    if (::geteuid() != 0) { // root writes anywhere
        ASSERT_EQ(::chmod(dir.Path().c_str(), 0500), 0);
        EXPECT_THROW(WriteFileAtomic(dir / "ro.txt", "x"), EInOutError);
        ::chmod(dir.Path().c_str(), 0700);
    }
}

} // namespace
} // namespace zelt
