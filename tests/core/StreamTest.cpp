#include "platform/core/Stream.h"

#include <gtest/gtest.h>

#include <cstring>

#include "core/CoreTestSupport.h"

using namespace platform::core;

namespace {

std::string ReadAll(TStream& s, std::size_t max = 1 << 20) {
    std::string out(max, '\0');
    out.resize(s.Read(out.data(), out.size()));
    return out;
}

}  // namespace

TEST(MemoryStream, ReadWriteSeek) {
    TMemoryStream s;
    EXPECT_TRUE(s.WriteAll("hello world", 11));
    EXPECT_EQ(s.Size(), 11);
    EXPECT_EQ(s.Position(), 11);
    EXPECT_EQ(s.Seek(-5, TSeekOrigin::End), 6);
    EXPECT_EQ(ReadAll(s), "world");
    EXPECT_EQ(s.Read(nullptr, 0), 0U);
    char buf[8];
    EXPECT_EQ(s.Read(buf, sizeof buf), 0U);  // at the end
    s.SetPosition(0);
    EXPECT_TRUE(s.ReadExact(buf, 4));
    EXPECT_EQ(std::string(buf, 4), "hell");
    EXPECT_EQ(s.Seek(2, TSeekOrigin::Current), 6);
    EXPECT_FALSE(s.ReadExact(buf, 6));  // only five left
    EXPECT_EQ(s.Seek(-1, TSeekOrigin::Beginning), -1);  // refused; position stays
    EXPECT_EQ(s.Position(), 11);
}

TEST(MemoryStream, WritingPastTheEndFillsTheGapWithZeros) {
    TMemoryStream s(std::vector<uint8_t>{1, 2, 3});
    EXPECT_EQ(s.Seek(5, TSeekOrigin::Beginning), 5);
    EXPECT_EQ(s.Read(nullptr, 1), 0U);
    const uint8_t nine = 9;
    EXPECT_EQ(s.Write(&nine, 1), 1U);
    EXPECT_EQ(s.Bytes(), (std::vector<uint8_t>{1, 2, 3, 0, 0, 9}));
    s.SetSize(2);
    EXPECT_EQ(s.Position(), 2);  // the position follows a shrink
    EXPECT_EQ(s.Bytes(), (std::vector<uint8_t>{1, 2}));
    s.Clear();
    EXPECT_EQ(s.Size(), 0);
    EXPECT_EQ(s.Position(), 0);
}

TEST(MemoryStream, CopyFrom) {
    TMemoryStream source(std::vector<uint8_t>(200000, 7));
    source.SetPosition(1000);
    TMemoryStream dest;
    EXPECT_EQ(dest.CopyFrom(source, 10), 10);
    EXPECT_EQ(source.Position(), 1010);
    EXPECT_EQ(dest.CopyFrom(source, 0), 200000 - 1010);  // 0: all that remains
    EXPECT_EQ(dest.Size(), 200000 - 1000);
    EXPECT_EQ(dest.CopyFrom(source, 5), 0);  // nothing left
}

TEST(MemoryStream, Files) {
    const coretest::TTempFolder temp;
    TMemoryStream s(std::vector<uint8_t>{'a', 0, 'b'});
    ASSERT_TRUE(s.SaveToFile(temp / "m.bin"));
    TMemoryStream t;
    ASSERT_TRUE(t.LoadFromFile(temp / "m.bin"));
    EXPECT_EQ(t.Bytes(), s.Bytes());
    EXPECT_EQ(t.Position(), 0);
    EXPECT_FALSE(t.LoadFromFile(temp / "missing"));
    EXPECT_EQ(t.Bytes(), s.Bytes());  // unchanged by the failure
}

TEST(FileStream, CreateWriteSizeSeekRead) {
    const coretest::TTempFolder temp;
    const std::string path = temp / "f.bin";
    {
        TFileStream f(path, TFileStream::TMode::Create);
        ASSERT_TRUE(f.IsOpen());
        EXPECT_TRUE(f.WriteAll("0123456789", 10));
        EXPECT_EQ(f.Size(), 10);  // buffered bytes count
        EXPECT_EQ(f.Position(), 10);
        EXPECT_EQ(f.Seek(2, TSeekOrigin::Beginning), 2);
        EXPECT_EQ(ReadAll(f, 3), "234");
        EXPECT_TRUE(f.WriteAll("xy", 2));  // write right after a read
        EXPECT_EQ(ReadAll(f, 2), "78");    // and read right after a write
        EXPECT_EQ(f.Size(), 10);
    }
    EXPECT_EQ(coretest::ReadBytes(path), "01234xy789");
    TFileStream r(path, TFileStream::TMode::OpenRead);
    ASSERT_TRUE(r.IsOpen());
    EXPECT_EQ(r.Size(), 10);
    EXPECT_EQ(r.Seek(-3, TSeekOrigin::End), 7);
    EXPECT_EQ(ReadAll(r), "789");
    EXPECT_EQ(r.Write("z", 1), 0U);  // opened for reading only

    TMemoryStream copy;
    r.SetPosition(0);
    EXPECT_EQ(copy.CopyFrom(r, 0), 10);
    EXPECT_EQ(std::string(copy.Bytes().begin(), copy.Bytes().end()), "01234xy789");
}

TEST(FileStream, MissingFile) {
    TFileStream f("/nonexistent-vk-folder/x", TFileStream::TMode::OpenRead);
    EXPECT_FALSE(f.IsOpen());
    char c = 0;
    EXPECT_EQ(f.Read(&c, 1), 0U);
    EXPECT_EQ(f.Size(), 0);
    EXPECT_EQ(f.Seek(0, TSeekOrigin::End), -1);
}
