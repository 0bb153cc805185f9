#include "platform/core/IniFile.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <functional>

#include "core/CoreTestSupport.h"

using namespace platform::core;

namespace {

using V = std::vector<std::string>;

std::vector<std::string> Items(const TStringList& list) {
    std::vector<std::string> items;
    for (int i = 0; i < list.Count(); ++i) items.push_back(list[i]);
    return items;
}

// Runs fn in a child process and returns its exit code (-1 when the child did not exit).
// Used where a write has to fail for real: a limit or a user that the test itself must not have.
constexpr int kWrote = 0;
constexpr int kFailed = 1;
constexpr int kCannotTest = 2;
int InChild(const std::function<int()>& fn) {
    const pid_t pid = ::fork();
    if (pid < 0) return -1;
    if (pid == 0) ::_exit(fn());
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::vector<std::string> FolderEntries(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class IniFileTest : public ::testing::Test {
protected:
    coretest::TTempFolder m_temp;
    std::string m_path = m_temp / "settings.ini";

    void Write(std::string_view bytes) { coretest::WriteBytes(m_path, bytes); }
    [[nodiscard]] std::string Bytes() const { return coretest::ReadBytes(m_path); }
};

}  // namespace

// ---- reading

TEST_F(IniFileTest, NamesMatchWithoutCaseAndValuesAreTheTextAfterTheFirstEquals) {
    Write("[General]\r\n"
          "  SkinName = Blue Sky \r\n"
          "Formula=a=b\r\n"
          "Quoted=\"  padded  \"\r\n"
          "Half=\"open\r\n"
          "Empty=\r\n"
          "; Hidden=comment\r\n"
          "[\u00C4rger]\r\n"
          "\u00DCber=1\r\n");
    const TIniFile ini(m_path);
    EXPECT_EQ(ini.ReadString("general", "SKINNAME", "x"), "Blue Sky");
    EXPECT_EQ(ini.ReadString("GENERAL", "formula", "x"), "a=b");
    EXPECT_EQ(ini.ReadString("General", "Quoted", "x"), "  padded  ");
    EXPECT_EQ(ini.ReadString("General", "Half", "x"), "\"open");
    EXPECT_EQ(ini.ReadString("General", "Empty", "x"), "");
    EXPECT_EQ(ini.ReadString("General", "Hidden", "x"), "x");
    EXPECT_EQ(ini.ReadString("General", "; Hidden", "x"), "x");
    EXPECT_EQ(ini.ReadString("\u00E4RGER", "\u00FCBER", "x"), "1");
    EXPECT_EQ(ini.ReadString("Other", "SkinName", "default"), "default");
    EXPECT_TRUE(ini.SectionExists("GENERAL"));
    EXPECT_FALSE(ini.SectionExists("Gen"));
    EXPECT_TRUE(ini.ValueExists("general", "empty"));
    EXPECT_FALSE(ini.ValueExists("general", "hidden"));
}

TEST_F(IniFileTest, IntegersAndBooleans) {
    Write("[N]\nDec=42\nNeg= -7 \nHex=$1F\nHex2=0x1f\nBad=12abc\nBig=4294967296\nBlank=\nWord=yes\nTwo=2\nZero=0\n");
    const TIniFile ini(m_path);
    EXPECT_EQ(ini.ReadInteger("N", "Dec", -1), 42);
    EXPECT_EQ(ini.ReadInteger("N", "Neg", -1), -7);
    EXPECT_EQ(ini.ReadInteger("n", "hex", -1), 31);
    EXPECT_EQ(ini.ReadInteger("N", "Hex2", -1), 31);
    EXPECT_EQ(ini.ReadInteger("N", "Bad", -1), -1);
    EXPECT_EQ(ini.ReadInteger("N", "Big", -1), -1);
    EXPECT_EQ(ini.ReadInteger("N", "Blank", -1), -1);
    EXPECT_EQ(ini.ReadInteger("N", "Missing", 99), 99);
    EXPECT_TRUE(ini.ReadBool("N", "Two", false));
    EXPECT_FALSE(ini.ReadBool("N", "Zero", true));
    EXPECT_TRUE(ini.ReadBool("N", "Word", true));  // not a number: the default
    EXPECT_FALSE(ini.ReadBool("N", "Word", false));
    EXPECT_TRUE(ini.ReadBool("N", "Missing", true));
}

TEST_F(IniFileTest, SectionAndKeyListsFollowTheFileOnceEach) {
    Write("Orphan=1\n[B]\nx=1\ny = 2\nX=3\n[a]\nk=v\n[b]\nz=\" q \"\n");
    const TIniFile ini(m_path);
    TStringList list;
    list.Add("stale");
    ini.ReadSections(list);
    EXPECT_EQ(Items(list), (V{"B", "a"}));
    ini.ReadSection("b", list);
    EXPECT_EQ(Items(list), (V{"x", "y", "z"}));  // both occurrences of [B], x once
    ini.ReadSectionValues("B", list);
    EXPECT_EQ(Items(list), (V{"x=1", "y=2", "z= q "}));
    EXPECT_EQ(ini.ReadString("b", "X", ""), "1");  // the first x wins
    ini.ReadSection("none", list);
    EXPECT_EQ(list.Count(), 0);
}

TEST_F(IniFileTest, MissingFileReadsAsEmpty) {
    const TIniFile ini(m_temp / "missing.ini");
    EXPECT_EQ(ini.ReadString("a", "b", "def"), "def");
    EXPECT_FALSE(ini.SectionExists("a"));
    TStringList list;
    ini.ReadSections(list);
    EXPECT_EQ(list.Count(), 0);
}

TEST_F(IniFileTest, EveryReadReadsTheFile) {
    Write("[S]\nk=1\n");
    const TIniFile ini(m_path);
    EXPECT_EQ(ini.ReadString("S", "k", ""), "1");
    Write("[S]\nk=2\n");
    EXPECT_EQ(ini.ReadString("S", "k", ""), "2");
    TIniFile other(m_path);
    ASSERT_TRUE(other.WriteString("S", "k", "3"));
    EXPECT_EQ(ini.ReadString("S", "k", ""), "3");
}

// ---- writing keeps the file

TEST_F(IniFileTest, WriteChangesOnlyTheValueAndKeepsCommentsOrderAndCrLf) {
    Write("; settings of the browser\r\n"
          "\r\n"
          "[Window]\r\n"
          "Left = 10\r\n"
          "; the skin in use\r\n"
          "SKIN=blue\r\n"
          "\r\n"
          "[Other]\r\n"
          "a=1\r\n");
    TIniFile ini(m_path);
    ASSERT_TRUE(ini.WriteString("window", "Skin", "Green"));
    ASSERT_TRUE(ini.WriteInteger("WINDOW", "left", -3));
    EXPECT_EQ(Bytes(),
              "; settings of the browser\r\n"
              "\r\n"
              "[Window]\r\n"
              "Left = -3\r\n"
              "; the skin in use\r\n"
              "SKIN=Green\r\n"
              "\r\n"
              "[Other]\r\n"
              "a=1\r\n");
}

TEST_F(IniFileTest, NewKeysGoAfterTheSectionsKeysAndNewSectionsAtTheEnd) {
    Write("[A]\nx=1\n; note\n\n[B]\ny=2");  // LF, no final line end
    TIniFile ini(m_path);
    ASSERT_TRUE(ini.WriteString("a", "New", "n"));
    ASSERT_TRUE(ini.WriteBool("C", "Flag", true));
    ASSERT_TRUE(ini.WriteString("b", "z", "3"));
    EXPECT_EQ(Bytes(), "[A]\nx=1\nNew=n\n; note\n\n[B]\ny=2\nz=3\n\n[C]\nFlag=1\n");
    EXPECT_TRUE(ini.ReadBool("c", "flag", false));
}

TEST_F(IniFileTest, WriteCreatesAMissingFile) {
    TIniFile ini(m_temp / "new.ini");
    ASSERT_TRUE(ini.WriteString("Main", "Name", "Vondrakel"));
    ASSERT_TRUE(ini.WriteString("Main", "Size", "3"));
    EXPECT_EQ(coretest::ReadBytes(m_temp / "new.ini"), "[Main]\nName=Vondrakel\nSize=3\n");
}

TEST_F(IniFileTest, ValuesReadBackAsWritten) {
    TIniFile ini(m_path);
    for (const char* raw :
         {"  padded  ", "\"quoted\"", "\"", "a=b", "; not a comment", "[not a section]", "", "tab\tinside", "\u00E9\u20AC"}) {
        const std::string value = raw;
        ASSERT_TRUE(ini.WriteString("S", "k", value)) << value;
        EXPECT_EQ(ini.ReadString("S", "k", "x"), value);
    }
}

TEST_F(IniFileTest, NamesAndValuesThatCannotBeStoredAreRefused) {
    Write("[S]\nk=1\n");
    const std::string before = Bytes();
    TIniFile ini(m_path);
    EXPECT_FALSE(ini.WriteString("S", "k", "two\nlines"));
    EXPECT_FALSE(ini.WriteString("S", "k", "cr\r"));
    EXPECT_FALSE(ini.WriteString("S", "a=b", "1"));
    EXPECT_FALSE(ini.WriteString("S", "", "1"));
    EXPECT_FALSE(ini.WriteString("S", "  ", "1"));
    EXPECT_FALSE(ini.WriteString("S", "[x", "1"));
    EXPECT_FALSE(ini.WriteString("S", ";x", "1"));
    EXPECT_FALSE(ini.WriteString("", "k", "1"));
    EXPECT_FALSE(ini.WriteString("a]b", "k", "1"));
    EXPECT_FALSE(ini.WriteString("new\nsection", "k", "1"));
    EXPECT_EQ(Bytes(), before);
}

TEST_F(IniFileTest, Windows1252FileStaysWindows1252ByteForByte) {
    // "é" as 0xE9, "€" as 0x80, an undefined byte 0x81, CR LF line ends.
    const std::string original =
        "[Paket]\r\n"
        "Name=Caf\xE9 \x80\x81\r\n"
        "Autor=M\xFCller\r\n"
        "; Kommentar \xE4\xF6\xFC\r\n";
    Write(original);
    TIniFile ini(m_path);
    EXPECT_EQ(ini.ReadString("paket", "name", ""), "Caf\u00E9 \u20AC\u0081");
    EXPECT_EQ(ini.ReadString("paket", "autor", ""), "M\u00FCller");

    ASSERT_TRUE(ini.WriteString("Paket", "Autor", "Gr\u00F6\u00DFe \u20AC \u65E5"));
    std::string expected = original;
    expected.replace(expected.find("M\xFCller"), 6, "Gr\xF6\xDF" "e \x80 ?");
    EXPECT_EQ(Bytes(), expected);
    EXPECT_EQ(ini.ReadString("paket", "autor", ""), "Gr\u00F6\u00DFe \u20AC ?");

    ASSERT_TRUE(ini.WriteString("Neu", "\u00C4", "\u00E9"));
    EXPECT_EQ(Bytes(), expected + "\r\n[Neu]\r\n\xC4=\xE9\r\n");
    // A name the code page cannot hold could never be found again.
    EXPECT_FALSE(ini.WriteString("Neu", "\u65E5", "1"));
}

TEST_F(IniFileTest, Utf8FileStaysUtf8WithItsByteOrderMark) {
    Write("\xEF\xBB\xBF[S]\nName=Caf\u00E9\n");
    TIniFile ini(m_path);
    EXPECT_EQ(ini.ReadString("S", "Name", ""), "Caf\u00E9");
    ASSERT_TRUE(ini.WriteString("S", "Name", "\u65E5\u672C"));
    EXPECT_EQ(Bytes(), "\xEF\xBB\xBF[S]\nName=\u65E5\u672C\n");
    // Bytes that are no UTF-8 must not turn the file into one read as Windows-1252.
    ASSERT_TRUE(ini.WriteString("S", "Raw", "a\xFF"));
    EXPECT_EQ(ini.ReadString("S", "Name", ""), "\u65E5\u672C");
    EXPECT_EQ(ini.ReadString("S", "Raw", ""), "a\uFFFD");
}

TEST_F(IniFileTest, EraseSectionAndDeleteKey) {
    Write("[A]\r\na=1\r\n\r\n[B]\r\nb=1\r\nb=2\r\nc=3\r\n\r\n[C]\r\nc=1\r\n[b]\r\nb=9\r\n");
    TIniFile ini(m_path);
    ASSERT_TRUE(ini.DeleteKey("b", "B"));  // every line of the key, in every occurrence
    EXPECT_EQ(Bytes(), "[A]\r\na=1\r\n\r\n[B]\r\nc=3\r\n\r\n[C]\r\nc=1\r\n[b]\r\n");
    EXPECT_FALSE(ini.ValueExists("B", "b"));
    ASSERT_TRUE(ini.EraseSection("B"));
    EXPECT_EQ(Bytes(), "[A]\r\na=1\r\n\r\n[C]\r\nc=1\r\n");
    EXPECT_FALSE(ini.SectionExists("b"));
    const std::string before = Bytes();
    EXPECT_TRUE(ini.EraseSection("missing"));
    EXPECT_TRUE(ini.DeleteKey("A", "missing"));
    EXPECT_EQ(Bytes(), before);
    EXPECT_TRUE(TIniFile(m_temp / "none.ini").EraseSection("x"));
    EXPECT_FALSE(std::filesystem::exists(m_temp / "none.ini"));  // nothing to do, nothing created
}

TEST_F(IniFileTest, WriteKeepsModeAndFollowsSymbolicLinks) {
    Write("[S]\nk=1\n");
    ASSERT_EQ(::chmod(m_path.c_str(), 0640), 0);
    const std::string link = m_temp / "link.ini";
    ASSERT_EQ(::symlink(m_path.c_str(), link.c_str()), 0);
    TIniFile ini(link);
    ASSERT_TRUE(ini.WriteString("S", "k", "2"));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(Bytes(), "[S]\nk=2\n");
    struct stat st {};
    ASSERT_EQ(::stat(m_path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640U);
    EXPECT_EQ(FolderEntries(m_temp.Path()), (V{"link.ini", "settings.ini"}));  // no temporary left
}

// ---- failed writes leave the old file whole

TEST_F(IniFileTest, WriteInterruptedByAFileSizeLimitLeavesTheOldFile) {
    std::string original = "[S]\r\n; keep me\r\nk=short\r\n";
    Write(original);
    // The new file would pass the limit: the write fails half-way, as on a full disk.
    const int result = InChild([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{40, 40};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return kCannotTest;
        TIniFile ini(m_path);
        return ini.WriteString("S", "k", std::string(200, 'x')) ? kWrote : kFailed;
    });
    EXPECT_EQ(result, kFailed);
    EXPECT_EQ(Bytes(), original);
    EXPECT_EQ(FolderEntries(m_temp.Path()), (V{"settings.ini"}));  // the partial temporary is gone
}

TEST_F(IniFileTest, WriteToAReadOnlyFolderFailsAndLeavesTheOldFile) {
    Write("[S]\nk=1\n");
    const std::string before = Bytes();
    ASSERT_EQ(::chmod(m_temp.Path().c_str(), 0555), 0);
    // Root may write anywhere: the write is then made as an unprivileged user.
    const int result = InChild([&] {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) return kCannotTest;
        TIniFile ini(m_path);
        if (ini.ReadString("S", "k", "") != "1") return kCannotTest;  // the file itself is readable
        const bool wrote = ini.WriteString("S", "k", "2");
        TMemIniFile mem(m_path);
        mem.WriteString("S", "k", "3");
        return wrote || mem.UpdateFile() ? kWrote : kFailed;
    });
    ::chmod(m_temp.Path().c_str(), 0755);
    EXPECT_EQ(result, kFailed);
    EXPECT_EQ(Bytes(), before);
}

TEST_F(IniFileTest, WriteFailsWhereTheFileCannotBeReadOrReplaced) {
    // A folder where the file should be: neither read as empty nor replaced.
    std::filesystem::create_directory(m_temp / "dir.ini");
    TIniFile dir(m_temp / "dir.ini");
    EXPECT_FALSE(dir.WriteString("S", "k", "1"));
    EXPECT_TRUE(std::filesystem::is_directory(m_temp / "dir.ini"));
    // A folder that does not exist is not created.
    TIniFile nowhere(m_temp / "no/such.ini");
    EXPECT_FALSE(nowhere.WriteString("S", "k", "1"));
}

// ---- TMemIniFile

TEST(MemIniFile, UnchangedBytesComeBackExactly) {
    for (const std::string& bytes : {std::string(""), std::string("\r\n"), std::string("[a]\r\nk=v"),
                                    std::string("\xEF\xBB\xBF[a]\nk=v\r\n\rx\n"), std::string("[\xE9]\r\n\x81=\x9D\r\n"),
                                    std::string("no section\n=empty key\n[unclosed\n  [ spaced ] tail\nk\n"),
                                    std::string("a\0b=c\0d\n", 9)}) {
        TMemIniFile ini;
        ini.LoadFromBytes(bytes);
        EXPECT_EQ(ini.SaveToBytes(), bytes);
    }
}

TEST(MemIniFile, ReadsAndWritesInMemoryUntilUpdateFile) {
    const coretest::TTempFolder temp;
    const std::string path = temp / "mem.ini";
    coretest::WriteBytes(path, "[S]\r\nName=Caf\xE9\r\n");
    TMemIniFile ini(path);
    EXPECT_EQ(ini.ReadString("s", "name", ""), "Caf\u00E9");
    ASSERT_TRUE(ini.WriteString("S", "Name", "Th\u00E9"));
    ASSERT_TRUE(ini.WriteInteger("S", "Count", 5));
    EXPECT_EQ(coretest::ReadBytes(path), "[S]\r\nName=Caf\xE9\r\n");  // not yet
    EXPECT_EQ(ini.ReadInteger("S", "Count", 0), 5);
    ASSERT_TRUE(ini.UpdateFile());
    EXPECT_EQ(coretest::ReadBytes(path), "[S]\r\nName=Th\xE9\r\nCount=5\r\n");

    TStringList lines;
    ini.GetStrings(lines);
    EXPECT_EQ(Items(lines), (V{"[S]", "Name=Th\u00E9", "Count=5"}));
    lines.Add("[T]");
    lines.Add("x = 1");
    ini.SetStrings(lines);
    EXPECT_EQ(ini.ReadInteger("t", "X", 0), 1);
    ini.EraseSection("S");
    EXPECT_FALSE(ini.SectionExists("S"));
    ASSERT_TRUE(ini.UpdateFile());
    EXPECT_EQ(coretest::ReadBytes(path), "[T]\r\nx = 1\r\n");
    ini.Clear();
    EXPECT_FALSE(ini.SectionExists("T"));
}

TEST(MemIniFile, WithoutAFileNameThereIsNothingToUpdate) {
    TMemIniFile ini;
    EXPECT_TRUE(ini.WriteString("S", "k", "v"));
    EXPECT_EQ(ini.ReadString("S", "k", ""), "v");
    EXPECT_FALSE(ini.UpdateFile());
    TMemIniFile missing("/nonexistent-folder-vk/x.ini");
    EXPECT_FALSE(missing.SectionExists("S"));
    EXPECT_FALSE(missing.UpdateFile());
}

TEST(MemIniFile, ManyKeysAreFoundByIndex) {
    std::string text;
    for (int s = 0; s < 50; ++s) {
        text += "[Section" + std::to_string(s) + "]\n";
        for (int k = 0; k < 50; ++k) text += "Key" + std::to_string(k) + "=" + std::to_string(s * 100 + k) + "\n";
    }
    TMemIniFile ini;
    ini.LoadFromBytes(text);
    for (int s = 0; s < 50; s += 7) {
        for (int k = 0; k < 50; k += 3) {
            EXPECT_EQ(ini.ReadInteger("SECTION" + std::to_string(s), "key" + std::to_string(k), -1), s * 100 + k);
        }
    }
    ASSERT_TRUE(ini.WriteString("Section3", "Key7", "changed"));
    ASSERT_TRUE(ini.WriteString("Section3", "KeyNew", "new"));
    EXPECT_EQ(ini.ReadString("Section3", "Key7", ""), "changed");
    EXPECT_EQ(ini.ReadString("Section3", "KeyNew", ""), "new");
    EXPECT_EQ(ini.ReadInteger("Section4", "Key0", -1), 400);

    // Keys added all over, then new sections: what memory answers is what the bytes say.
    for (int s = 49; s >= 0; s -= 3) ASSERT_TRUE(ini.WriteInteger("section" + std::to_string(s), "Added", s));
    for (int s = 0; s < 5; ++s) ASSERT_TRUE(ini.WriteInteger("Fresh" + std::to_string(s), "k", s));
    for (int s = 0; s < 50; s += 4) ASSERT_TRUE(ini.WriteInteger("Section" + std::to_string(s), "Later", -s));
    ASSERT_TRUE(ini.WriteInteger("Fresh2", "k2", 22));
    TMemIniFile reread;
    reread.LoadFromBytes(ini.SaveToBytes());
    TStringList sections;
    ini.ReadSections(sections);
    TStringList again;
    reread.ReadSections(again);
    EXPECT_EQ(Items(sections), Items(again));
    EXPECT_EQ(sections.Count(), 55);
    for (int i = 0; i < sections.Count(); ++i) {
        TStringList a;
        TStringList b;
        ini.ReadSectionValues(sections[i], a);
        reread.ReadSectionValues(sections[i], b);
        EXPECT_EQ(Items(a), Items(b)) << sections[i];
    }
    EXPECT_EQ(reread.ReadInteger("Section48", "Later", 0), -48);
    EXPECT_EQ(reread.ReadInteger("Section49", "Added", 0), 49);
    EXPECT_EQ(reread.ReadInteger("Fresh2", "k2", 0), 22);
}

TEST(MemIniFile, NewKeysOfASectionWrittenTwiceGoToItsFirstPart) {
    TMemIniFile ini;
    ini.LoadFromBytes("[A]\na=1\n[B]\nb=1\n[a]\nc=1\n");
    ASSERT_TRUE(ini.WriteString("A", "n1", "x"));
    ASSERT_TRUE(ini.WriteString("a", "n2", "y"));
    ASSERT_TRUE(ini.WriteString("B", "n3", "z"));
    EXPECT_EQ(ini.SaveToBytes(), "[A]\na=1\nn1=x\nn2=y\n[B]\nb=1\nn3=z\n[a]\nc=1\n");
    TStringList keys;
    ini.ReadSection("A", keys);
    EXPECT_EQ(Items(keys), (V{"a", "n1", "n2", "c"}));
}

// ---- hostile files: NUL bytes, other encodings, special and oversized files

TEST_F(IniFileTest, AValueEndsAtItsFirstNulAndNoNulIsWritten) {
    Write(std::string("[Package]\r\nfile=x\0../../elsewhere/x\r\npreview= pic \0 tail\r\n", 53));
    const TIniFile ini(m_path);
    EXPECT_EQ(ini.ReadString("Package", "file", "nofile"), "x");
    EXPECT_EQ(ini.ReadString("Package", "preview", "nopreview"), "pic");
    TStringList values;
    ini.ReadSectionValues("Package", values);
    EXPECT_EQ(Items(values), (V{"file=x", "preview=pic"}));

    TIniFile writer(m_path);
    const std::string before = Bytes();
    EXPECT_FALSE(writer.WriteString("Package", "name", std::string("a\0b", 3)));
    EXPECT_EQ(Bytes(), before);
}

TEST_F(IniFileTest, Utf16FilesWithAByteOrderMarkAreReadAndWrittenBackInUtf16) {
    const auto utf16 = [](std::u16string_view text, bool bigEndian) {
        std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
        for (const char16_t unit : text) {
            const char hi = static_cast<char>(unit >> 8);
            const char lo = static_cast<char>(unit & 0xFF);
            bytes += bigEndian ? hi : lo;
            bytes += bigEndian ? lo : hi;
        }
        return bytes;
    };
    for (const bool bigEndian : {false, true}) {
        const std::string original = utf16(u"[Package]\r\nname=\u00C4rger \U0001F600\r\n", bigEndian);
        Write(original);
        TIniFile ini(m_path);
        ASSERT_TRUE(ini.Readable());
        EXPECT_EQ(ini.ReadString("package", "NAME", ""), "\u00C4rger \U0001F600") << bigEndian;
        ASSERT_TRUE(ini.WriteString("User", "last_puzzle", "3"));
        EXPECT_EQ(Bytes(), utf16(u"[Package]\r\nname=\u00C4rger \U0001F600\r\n\r\n[User]\r\nlast_puzzle=3\r\n",
                                 bigEndian));
        EXPECT_EQ(TIniFile(m_path).ReadString("User", "last_puzzle", ""), "3");
        TMemIniFile mem;
        mem.LoadFromBytes(original);
        EXPECT_EQ(mem.SaveToBytes(), original);
    }
    // Not well-formed (an odd length): still UTF-16, what is broken reads as U+FFFD; unchanged,
    // the bytes come back as they were.
    const std::string odd("\xFF\xFE[\0S\0]\0\n\0k\0=\0\x00\xD8\n", 17);
    TMemIniFile mem;
    mem.LoadFromBytes(odd);
    EXPECT_EQ(mem.ReadString("S", "k", ""), "\uFFFD\uFFFD");
    EXPECT_EQ(mem.SaveToBytes(), odd);
    ASSERT_TRUE(mem.WriteString("S", "n", "1"));
    TMemIniFile again;
    again.LoadFromBytes(mem.SaveToBytes());
    EXPECT_EQ(again.ReadString("S", "k", ""), "\uFFFD\uFFFD");
    EXPECT_EQ(again.ReadString("S", "n", ""), "1");
}

TEST_F(IniFileTest, SpecialAndOversizedFilesAreUnreadableAndNeverReplaced) {
    // Sparse: as large as a huge file, without the disk space.
    Write("[S]\nk=1\n");
    ASSERT_EQ(::truncate(m_path.c_str(), static_cast<off_t>(kMaxIniFileSize) + 1), 0);
    {
        TIniFile ini(m_path);
        EXPECT_FALSE(ini.Readable());
        EXPECT_EQ(ini.ReadString("S", "k", "default"), "default");
        EXPECT_FALSE(ini.WriteString("S", "k", "2"));
        EXPECT_EQ(std::filesystem::file_size(m_path), kMaxIniFileSize + 1);
        TMemIniFile mem(m_path);
        EXPECT_FALSE(mem.SectionExists("S"));
    }
    ASSERT_EQ(::truncate(m_path.c_str(), static_cast<off_t>(kMaxIniFileSize)), 0);
    EXPECT_TRUE(TIniFile(m_path).Readable());
    EXPECT_TRUE(TIniFile(m_temp / "missing.ini").Readable());

    const std::string fifo = m_temp / "fifo.ini";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0666), 0);
    const int result = coretest::RunInChild([&] {
        TIniFile ini(fifo);
        if (ini.Readable() || ini.ReadInteger("Browser", "Package", 7) != 7) return kFailed;
        return ini.WriteString("Browser", "Package", "1") ? kFailed : kWrote;
    });
    EXPECT_EQ(result, kWrote);
}

TEST_F(IniFileTest, AFileWithoutReadPermissionIsUnreadableNotEmpty) {
    Write("[S]\nk=1\n");
    ASSERT_EQ(::chmod(m_temp.Path().c_str(), 0755), 0);
    ASSERT_EQ(::chmod(m_path.c_str(), 0222), 0);
    const int result = coretest::RunInChild([&] {
        if (!coretest::BecomeUnprivileged()) return kCannotTest;
        TIniFile ini(m_path);
        return ini.Readable() ? kWrote : kFailed;
    });
    if (result == kCannotTest) GTEST_SKIP() << "cannot become an unprivileged user";
    EXPECT_EQ(result, kFailed);
}

TEST_F(IniFileTest, AnUpdateWritesAllItsChangesAtOnce) {
    Write("[Browser]\nPackage=0\nFirstTime=1\n");
    TIniFile ini(m_path);
    ini.BeginUpdate();
    EXPECT_TRUE(ini.WriteInteger("Browser", "Package", 2));
    EXPECT_TRUE(ini.WriteBool("Browser", "FirstTime", false));
    EXPECT_TRUE(ini.WriteString("User", "last_puzzle", "4"));
    EXPECT_EQ(Bytes(), "[Browser]\nPackage=0\nFirstTime=1\n");  // nothing written yet
    EXPECT_EQ(ini.ReadInteger("Browser", "Package", 0), 2);    // but memory answers
    EXPECT_TRUE(ini.EndUpdate());
    EXPECT_EQ(Bytes(), "[Browser]\nPackage=2\nFirstTime=0\n\n[User]\nlast_puzzle=4\n");

    // An unreadable file takes none of the changes, and the update says so.
    ASSERT_EQ(::truncate(m_path.c_str(), static_cast<off_t>(kMaxIniFileSize) + 1), 0);
    ini.BeginUpdate();
    EXPECT_FALSE(ini.WriteInteger("Browser", "Package", 3));
    EXPECT_FALSE(ini.EndUpdate());
    EXPECT_EQ(std::filesystem::file_size(m_path), kMaxIniFileSize + 1);
}

// The kept parse must never hide a change made by someone else: a rewrite in place, a
// replacement by rename, a removal.
TEST_F(IniFileTest, TheKeptParseFollowsEveryChangeOfTheFile) {
    Write("[S]\nk=1\n");
    const TIniFile ini(m_path);
    EXPECT_EQ(ini.ReadString("S", "k", ""), "1");
    Write("[S]\nk=22\n");
    EXPECT_EQ(ini.ReadString("S", "k", ""), "22");
    coretest::WriteBytes(m_temp / "next.ini", "[S]\nk=33\n");
    std::filesystem::rename(m_temp / "next.ini", m_path);
    EXPECT_EQ(ini.ReadString("S", "k", ""), "33");
    std::filesystem::remove(m_path);
    EXPECT_EQ(ini.ReadString("S", "k", "gone"), "gone");
    EXPECT_FALSE(ini.SectionExists("S"));
}
