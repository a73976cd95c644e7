// Saving through the temporary-and-rename writer: a save that fails at any byte leaves the old file whole.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "cardfile_fixtures.h"
#include "cardstore/cardfile.h"
#include "cardstore/safefile.h"

namespace {

using namespace fixtures;
namespace fs = std::filesystem;

class SafeFile : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "quorrel-safefile-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_dir = pattern;
        m_target = (m_dir / "cards.qrf").string();
    }
    void TearDown() override {
        CSafeFileWriter::SetFailAfterForTesting(std::nullopt);
        fs::remove_all(m_dir);
    }

    void WriteTarget(const Bytes& bytes, mode_t mode) const {
        std::ofstream(m_target, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        ASSERT_EQ(::chmod(m_target.c_str(), mode), 0);
    }
    Bytes ReadTarget() const {
        std::string error;
        auto bytes = ReadWholeFile(m_target, &error);
        EXPECT_TRUE(bytes) << error;
        return bytes.value_or(Bytes{});
    }
    mode_t ModeOf(const std::string& path) const {
        struct stat st {};
        EXPECT_EQ(::stat(path.c_str(), &st), 0);
        return st.st_mode & 07777;
    }
    std::vector<std::string> Entries() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(m_dir)) {
            names.push_back(entry.path().filename().string());
        }
        return names;
    }
    // A document with a few cards and a kept password, so either kind can be saved.
    static void Fill(CCardStore& store, unsigned seed) {
        std::mt19937 rng(seed);
        FillRandom(store, rng, 6);
        store.m_strPassword = "safe file password";
    }
    static bool Save(CCardStore& store, CByteSink& sink, bool encrypted, MessageLog& log) {
        return encrypted ? SaveEncrypted(store, sink, log.Sink()) : SavePlain(store, sink, log.Sink());
    }

    fs::path m_dir;
    std::string m_target;
};

class FailingSave : public SafeFile, public ::testing::WithParamInterface<bool> {};

TEST_P(FailingSave, FailureAtEveryByteKeepsTheOldFile) {
    const bool encrypted = GetParam();
    const Bytes old = {'o', 'l', 'd', ' ', 'c', 'a', 'r', 'd', 's'};
    WriteTarget(old, 0640);
    CCardStore store;
    Fill(store, 21);
    CMemorySink whole;
    MessageLog ignored;
    ASSERT_TRUE(Save(store, whole, encrypted, ignored));

    for (uint64_t n = 0; n < whole.m_bytes.size(); ++n) {
        CSafeFileWriter::SetFailAfterForTesting(n);
        MessageLog log;
        {
            CSafeFileWriter writer;
            ASSERT_TRUE(writer.Open(m_target)) << writer.GetError();
            EXPECT_FALSE(Save(store, writer, encrypted, log)) << n;
            EXPECT_FALSE(writer.Commit()) << n;
            EXPECT_NE(writer.GetError().find(std::strerror(ENOSPC)), std::string::npos) << writer.GetError();
        }
        EXPECT_EQ(log.messages, n < kHeaderSize ? std::vector<std::string>{"Write error, file heading."}
                                                : std::vector<std::string>{})
            << n;
        ASSERT_EQ(ReadTarget(), old) << "failed after " << n << " bytes";
        EXPECT_EQ(Entries(), std::vector<std::string>{"cards.qrf"}) << n;
        EXPECT_EQ(ModeOf(m_target), mode_t{0640});
    }

    // With room for every byte the save goes through and the file keeps its permission bits.
    CSafeFileWriter::SetFailAfterForTesting(whole.m_bytes.size());
    CSafeFileWriter writer;
    ASSERT_TRUE(writer.Open(m_target));
    ASSERT_TRUE(Save(store, writer, encrypted, ignored));
    ASSERT_TRUE(writer.Commit()) << writer.GetError();
    EXPECT_EQ(ReadTarget(), whole.m_bytes);
    EXPECT_EQ(ModeOf(m_target), mode_t{0640});
    EXPECT_EQ(Entries(), std::vector<std::string>{"cards.qrf"});
}

INSTANTIATE_TEST_SUITE_P(Kinds, FailingSave, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Encrypted" : "Plain"; });

TEST_F(SafeFile, NewFileIsForItsOwnerOnly) {
    const mode_t oldMask = ::umask(0);
    CCardStore store;
    Fill(store, 22);
    CSafeFileWriter writer;
    ASSERT_TRUE(writer.Open(m_target));
    MessageLog log;
    ASSERT_TRUE(Save(store, writer, true, log));
    ASSERT_TRUE(writer.Commit());
    ::umask(oldMask);
    EXPECT_EQ(ModeOf(m_target), mode_t{0600});
}

TEST_F(SafeFile, FailedSaveOfANewFileLeavesNothing) {
    CCardStore store;
    Fill(store, 23);
    CSafeFileWriter::SetFailAfterForTesting(40);
    {
        CSafeFileWriter writer;
        ASSERT_TRUE(writer.Open(m_target));
        MessageLog log;
        EXPECT_FALSE(Save(store, writer, false, log));
    }
    EXPECT_TRUE(Entries().empty());
}

TEST_F(SafeFile, UncommittedWriterLeavesTheOldFile) {
    WriteTarget({'k', 'e', 'e', 'p'}, 0600);
    {
        CSafeFileWriter writer;
        ASSERT_TRUE(writer.Open(m_target));
        const uint8_t bytes[] = {'n', 'e', 'w'};
        ASSERT_TRUE(writer.Write(bytes, sizeof bytes));
    }
    EXPECT_EQ(ReadTarget(), (Bytes{'k', 'e', 'e', 'p'}));
    EXPECT_EQ(Entries(), std::vector<std::string>{"cards.qrf"});
}

TEST_F(SafeFile, SavingThroughALinkReplacesTheLinkedFile) {
    WriteTarget({'o', 'l', 'd'}, 0640);
    const std::string link = (m_dir / "link.qrf").string();
    ASSERT_EQ(::symlink("cards.qrf", link.c_str()), 0);
    CSafeFileWriter writer;
    ASSERT_TRUE(writer.Open(link));
    const uint8_t bytes[] = {'n', 'e', 'w'};
    ASSERT_TRUE(writer.Write(bytes, sizeof bytes));
    ASSERT_TRUE(writer.Commit()) << writer.GetError();
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadTarget(), (Bytes{'n', 'e', 'w'}));
    EXPECT_EQ(ModeOf(m_target), mode_t{0640});
}

TEST_F(SafeFile, ErrorsSayWhyInWords) {
    CSafeFileWriter writer;
    EXPECT_FALSE(writer.Open((m_dir / "no such folder" / "cards.qrf").string()));
    EXPECT_NE(writer.GetError().find(std::strerror(ENOENT)), std::string::npos) << writer.GetError();

    fs::create_directory(m_dir / "folder.qrf");
    EXPECT_FALSE(writer.Open((m_dir / "folder.qrf").string()));
    EXPECT_NE(writer.GetError().find("folder.qrf"), std::string::npos) << writer.GetError();

    std::string error;
    EXPECT_FALSE(ReadWholeFile((m_dir / "missing.qrf").string(), &error));
    EXPECT_NE(error.find(std::strerror(ENOENT)), std::string::npos) << error;
    EXPECT_FALSE(ReadWholeFile(m_dir.string(), &error));
    EXPECT_NE(error.find(std::strerror(EISDIR)), std::string::npos) << error;

    EXPECT_EQ(Entries(), std::vector<std::string>{"folder.qrf"});
}

} // namespace
