// Strings, collections, geometry and run-time classes: the portable part of
// the framework, run natively under the sanitizers and under Wine.
#include "framework/Collections.h"
#include "framework/File.h"
#include "framework/Geometry.h"
#include "framework/Object.h"
#include "framework/String.h"

#include <gtest/gtest.h>

#include "tests/support/TestFiles.h"

#include <filesystem>
#include <set>
#include <string>

// GBK characters whose trail byte is an ASCII character: 0x81 0x5C ends in a
// backslash, 0x81 0x61 in 'a', 0x81 0x41 in 'A'. "数" is 0xCA 0xFD.
#define BS_TRAIL "\x81\x5C"
#define A_TRAIL "\x81\x61"
#define UA_TRAIL "\x81\x41"

TEST(CStringTest, SourceLiteralsAreGbk)
{
    const CString s = "数";
    ASSERT_EQ(s.GetLength(), 2);
    EXPECT_EQ(static_cast<unsigned char>(s[0]), 0xCA);
    EXPECT_EQ(static_cast<unsigned char>(s[1]), 0xFD);
}

TEST(CStringTest, CaseChangesLeaveDoubleByteCharactersIntact)
{
    CString s = "ab" A_TRAIL "c数z";
    s.MakeUpper();
    EXPECT_STREQ(s, "AB" A_TRAIL "C数Z");
    CString t = "AB" UA_TRAIL "Q";
    t.MakeLower();
    EXPECT_STREQ(t, "ab" UA_TRAIL "q");
    // Different characters that only differ in a trail byte's case stay different.
    EXPECT_NE(CString(A_TRAIL).CompareNoCase(UA_TRAIL), 0);
    EXPECT_EQ(CString("Model.PRJ").CompareNoCase("model.prj"), 0);
    EXPECT_LT(CString("abc").Compare("abd"), 0);
    EXPECT_GT(CString("b").Compare("abc"), 0);
}

TEST(CStringTest, SearchesNeverMatchInsideACharacter)
{
    const CString s = BS_TRAIL "\\x";
    EXPECT_EQ(s.Find('\\'), 2);
    EXPECT_EQ(s.ReverseFind('\\'), 2);
    EXPECT_EQ(CString(BS_TRAIL).Find('\\'), -1);
    EXPECT_EQ(CString(BS_TRAIL).ReverseFind('\\'), -1);
    EXPECT_EQ(CString("a\\b\\" BS_TRAIL).ReverseFind('\\'), 3);
    // "\x81" "AA" is one character followed by "A".
    EXPECT_EQ(CString("\x81"
                      "AA")
                  .Find("A"),
              2);
    // A match that would end inside the next character is no match.
    EXPECT_EQ(CString("A" UA_TRAIL).Find("A\x81"), -1);
    EXPECT_EQ(CString("工程数据").Find("数据"), 4);
    EXPECT_EQ(CString("abcabc").Find("bc", 2), 4);
    EXPECT_EQ(CString("abc").Find("", 1), 1);
    EXPECT_EQ(CString("abc").Find("c", 9), -1);
    EXPECT_EQ(CString("x" BS_TRAIL ";").FindOneOf("\\;"), 3);
}

TEST(CStringTest, CutsKeepWholeCharacters)
{
    const CString s = "ab数据";  // 6 bytes
    struct Case {
        const char* what;
        CString got;
        const char* want;
    } cases[] = {
        {"Left(3)", s.Left(3), "ab"},
        {"Left(4)", s.Left(4), "ab数"},
        {"Left(99)", s.Left(99), "ab数据"},
        {"Left(-1)", s.Left(-1), ""},
        {"Mid(3)", s.Mid(3), "据"},
        {"Mid(2)", s.Mid(2), "数据"},
        {"Mid(1,2)", s.Mid(1, 2), "b"},
        {"Mid(2,3)", s.Mid(2, 3), "数"},
        {"Mid(9)", s.Mid(9), ""},
        {"Right(1)", s.Right(1), ""},
        {"Right(3)", s.Right(3), "据"},
        {"Right(4)", s.Right(4), "数据"},
        {"Right(99)", s.Right(99), "ab数据"},
        {"SpanIncluding", CString("aab数").SpanIncluding("ab"), "aab"},
        {"SpanExcluding", CString("key=数").SpanExcluding("=;"), "key"},
    };
    for (const Case& c : cases) EXPECT_STREQ(c.got, c.want) << c.what;
}

TEST(CStringTest, TrimRemovesOnlyWholeCharacters)
{
    CString s = " \t 数 x\r\n";
    EXPECT_STREQ(s.Trim(), "数 x");
    CString b = BS_TRAIL;
    EXPECT_STREQ(b.TrimRight('\\'), BS_TRAIL);
    CString p = "C:\\dir\\\\";
    EXPECT_STREQ(p.TrimRight('\\'), "C:\\dir");
    CString q = "数数a数";
    EXPECT_STREQ(q.TrimLeft("数"), "a数");
    EXPECT_STREQ(q.TrimRight("数"), "a");
    CString e = "   ";
    EXPECT_TRUE(e.Trim().IsEmpty());
}

TEST(CStringTest, ReplaceRemoveInsertDelete)
{
    CString s = BS_TRAIL "\\a\\";
    EXPECT_EQ(s.Replace('\\', '/'), 2);
    EXPECT_STREQ(s, BS_TRAIL "/a/");
    CString t = "x.prj.prj";
    EXPECT_EQ(t.Replace(".prj", ".PRJ!"), 2);
    EXPECT_STREQ(t, "x.PRJ!.PRJ!");
    CString u = BS_TRAIL "\\\\";
    EXPECT_EQ(u.Remove('\\'), 2);
    EXPECT_STREQ(u, BS_TRAIL);
    CString v = "ac";
    v.Insert(1, "b");
    v.Insert(99, '!');
    EXPECT_STREQ(v, "abc!");
    v.Delete(1, 2);
    EXPECT_STREQ(v, "a!");
    v.Delete(5, 3);
    EXPECT_STREQ(v, "a!");
    CString r = "a数b";
    EXPECT_STREQ(r.MakeReverse(), "b数a");
}

TEST(CStringTest, FormatAndTokenize)
{
    CString s;
    s.Format("VEK内部版本号: %d.%d.%d", 7, 0, 6);
    EXPECT_STREQ(s, "VEK内部版本号: 7.0.6");
    const std::string longText(1000, 'x');
    s.Format("%s|%.2f", longText.c_str(), 3.14159);
    EXPECT_EQ(s.GetLength(), 1005);
    EXPECT_STREQ(s.Right(5), "|3.14");
    s.AppendFormat("%s%d", "种", 3);
    EXPECT_STREQ(s.Right(3), "种3");

    const CString words = "a.prj  wind.txt out.dat\t0.5";
    int pos = 0;
    std::vector<std::string> got;
    for (CString w = words.Tokenize(" ", pos); pos >= 0; w = words.Tokenize(" ", pos)) got.push_back(w.GetString());
    EXPECT_EQ(got, (std::vector<std::string>{"a.prj", "wind.txt", "out.dat\t0.5"}));
}

TEST(CStringTest, BufferAndOperators)
{
    CString s;
    char* p = s.GetBuffer(10);
    std::snprintf(p, 11, "%s", "hello");
    s.ReleaseBuffer();
    EXPECT_EQ(s.GetLength(), 5);
    s.GetBuffer(20);
    s.ReleaseBuffer(2);
    EXPECT_STREQ(s, "he");
    EXPECT_TRUE(CString("a") + "b" + 'c' == "abc");
    EXPECT_TRUE("x" + CString("y") == CString("xy"));
    EXPECT_TRUE(CString("a") < CString("b"));
    EXPECT_THROW(CString("ab").GetAt(2), std::out_of_range);
    CString unchanged = "keep";
    EXPECT_FALSE(unchanged.LoadString(0xFFFF));
    EXPECT_STREQ(unchanged, "keep");
}

TEST(CArrayTest, GrowInsertRemoveAndBounds)
{
    CArray<int, int> a;
    a.Add(1);
    a.Add(3);
    a.InsertAt(1, 2);
    a.InsertAt(5, 9);  // past the end: grows with zeros
    ASSERT_EQ(a.GetSize(), 6);
    EXPECT_EQ(a[1], 2);
    EXPECT_EQ(a[3], 0);
    EXPECT_EQ(a[5], 9);
    a.RemoveAt(3, 2);
    ASSERT_EQ(a.GetSize(), 4);
    EXPECT_EQ(a.GetUpperBound(), 3);
    EXPECT_EQ(a[3], 9);
    EXPECT_THROW(a.RemoveAt(3, 2), std::out_of_range);
    EXPECT_THROW(a.GetAt(4), std::out_of_range);
    EXPECT_THROW(a[-1], std::out_of_range);
    a.SetAtGrow(7, 7);
    EXPECT_EQ(a.GetSize(), 8);
    a.SetSize(2);
    EXPECT_EQ(a.GetSize(), 2);
    CArray<int, int> b;
    b.Copy(a);
    b.Append(a);
    EXPECT_EQ(b.GetSize(), 4);
    EXPECT_EQ(b[2], 1);
}

TEST(CArrayTest, AddingAnElementOfTheSameArrayIsSafe)
{
    // The argument refers into the array while it reallocates.
    CStringArray a;
    a.Add("first element, long enough to live on the heap");
    for (int i = 0; i < 40; ++i) a.Add(a[0]);
    a.SetAtGrow(100, a[0]);
    a.InsertAt(0, a[1], 3);
    EXPECT_EQ(a.GetSize(), 104);
    EXPECT_STREQ(a[103 - 2], "");
    EXPECT_STREQ(a[103], "first element, long enough to live on the heap");
    CByteArray bytes;
    bytes.SetSize(3);
    bytes[1] = 0xFE;
    EXPECT_EQ(bytes.GetData()[1], 0xFE);
    CPtrArray ptrs;
    int x = 0;
    ptrs.Add(&x);
    EXPECT_EQ(ptrs[0], &x);
}

TEST(CMapTest, LookupSetRemoveAndIterate)
{
    CMap<int, int, CString, const char*> m;
    for (int i = 0; i < 100; ++i) m.SetAt(i, CString('a', i % 5 + 1));
    m[7] = "seven";
    CString v;
    ASSERT_TRUE(m.Lookup(7, v));
    EXPECT_STREQ(v, "seven");
    EXPECT_TRUE(m.RemoveKey(8));
    EXPECT_FALSE(m.RemoveKey(8));
    EXPECT_FALSE(m.Lookup(8, v));
    EXPECT_EQ(m.GetCount(), 99);
    std::set<int> seen;
    POSITION pos = m.GetStartPosition();
    while (pos) {
        int k;
        m.GetNextAssoc(pos, k, v);
        seen.insert(k);
    }
    EXPECT_EQ(seen.size(), 99u);
    EXPECT_EQ(seen.count(8), 0u);

    CMapStringToPtr names;
    int a = 1;
    names.SetAt("层1", &a);
    void* p = nullptr;
    char key[] = "层1";  // a different buffer with the same text
    EXPECT_TRUE(names.Lookup(key, p));
    EXPECT_EQ(p, &a);
    names.RemoveAll();
    EXPECT_TRUE(names.IsEmpty());
    EXPECT_EQ(names.GetStartPosition(), nullptr);
}

TEST(CListTest, InsertRemoveFind)
{
    CStringList l;
    l.AddTail("b");
    l.AddHead("a");
    POSITION pc = l.AddTail("d");
    l.InsertBefore(pc, "c");
    ASSERT_EQ(l.GetCount(), 4);
    std::string all;
    for (POSITION p = l.GetHeadPosition(); p;) all += l.GetNext(p).GetString();
    EXPECT_EQ(all, "abcd");
    l.RemoveAt(l.Find("b"));
    EXPECT_EQ(l.Find("b"), nullptr);
    EXPECT_STREQ(l.GetAt(l.FindIndex(1)), "c");
    EXPECT_STREQ(l.RemoveTail(), "d");
    EXPECT_STREQ(l.RemoveHead(), "a");
    EXPECT_EQ(l.GetCount(), 1);
    EXPECT_STREQ(l.GetHead(), "c");
    l.RemoveAll();
    EXPECT_THROW(l.GetHead(), std::out_of_range);
}

TEST(GeometryTest, RectangleOperations)
{
    CRect r(10, 20, 110, 70);
    EXPECT_EQ(r.Width(), 100);
    EXPECT_EQ(r.Height(), 50);
    EXPECT_EQ(r.CenterPoint(), CPoint(60, 45));
    EXPECT_TRUE(r.PtInRect(CPoint(10, 20)));
    EXPECT_FALSE(r.PtInRect(CPoint(110, 50)));  // right edge is outside
    CRect i;
    EXPECT_TRUE(i.IntersectRect(r, CRect(100, 0, 200, 30)));
    EXPECT_EQ(i, CRect(100, 20, 110, 30));
    EXPECT_FALSE(i.IntersectRect(r, CRect(110, 0, 200, 30)));  // only touching
    EXPECT_TRUE(i.IsRectNull());
    CRect u;
    u.UnionRect(CRect(0, 0, 0, 0), r);  // an empty rectangle adds nothing
    EXPECT_EQ(u, r);
    EXPECT_EQ(r | CRect(0, 0, 5, 5), CRect(0, 0, 110, 70));
    CRect n(5, 5, 1, 1);
    n.NormalizeRect();
    EXPECT_EQ(n, CRect(1, 1, 5, 5));
    n.InflateRect(1, 2);
    EXPECT_EQ(n, CRect(0, -1, 6, 7));
    n.OffsetRect(CPoint(1, 1));
    EXPECT_EQ(n.TopLeft(), CPoint(1, 0));
    EXPECT_EQ(CPoint(5, 5) - CPoint(2, 1), CSize(3, 4));
}

// A small hierarchy for the run-time class tests.
class CShape : public CObject {
    DECLARE_DYNAMIC(CShape)
};
IMPLEMENT_DYNAMIC(CShape, CObject)

class CBox : public CShape {
    DECLARE_DYNCREATE(CBox)
public:
    int m_side = 4;

protected:
    CBox() = default;  // created only by class
};
IMPLEMENT_DYNCREATE(CBox, CShape)

class CLine : public CShape {
    DECLARE_DYNCREATE(CLine)
};
IMPLEMENT_DYNCREATE(CLine, CShape)

TEST(RuntimeClassTest, KindsCreationAndNames)
{
    CObject* o = RUNTIME_CLASS(CBox)->CreateObject();
    ASSERT_NE(o, nullptr);
    EXPECT_TRUE(o->IsKindOf(RUNTIME_CLASS(CBox)));
    EXPECT_TRUE(o->IsKindOf(RUNTIME_CLASS(CShape)));
    EXPECT_TRUE(o->IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(o->IsKindOf(RUNTIME_CLASS(CLine)));
    EXPECT_STREQ(o->GetRuntimeClass()->m_lpszClassName, "CBox");
    EXPECT_EQ(DYNAMIC_DOWNCAST(CBox, o)->m_side, 4);
    EXPECT_EQ(DYNAMIC_DOWNCAST(CLine, o), nullptr);
    delete o;
    EXPECT_EQ(RUNTIME_CLASS(CShape)->CreateObject(), nullptr);  // not creatable
    EXPECT_EQ(CRuntimeClass::FromName("CLine"), RUNTIME_CLASS(CLine));
    EXPECT_EQ(CRuntimeClass::FromName("CNothing"), nullptr);
    EXPECT_TRUE(RUNTIME_CLASS(CLine)->IsDerivedFrom(RUNTIME_CLASS(CShape)));
    EXPECT_FALSE(RUNTIME_CLASS(CShape)->IsDerivedFrom(RUNTIME_CLASS(CLine)));
}

TEST(CFileTest, WriteReadSeekAndLines)
{
    const vektest::TempDir dir("fw");
    const std::string path = dir.File("fw_file_test.txt");
    CFile::Remove(path.c_str());
    CFile missing;
    EXPECT_FALSE(missing.Open(path.c_str(), CFile::modeRead));
    {
        CStdioFile out;
        ASSERT_TRUE(out.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite));
        EXPECT_TRUE(out.WriteString("第一行\r\n"));
        EXPECT_TRUE(out.WriteString("second\n\n"));
        const std::string longLine(2000, 'L');
        EXPECT_TRUE(out.WriteString(longLine.c_str()));
        EXPECT_TRUE(out.WriteString("\nlast without end"));
        EXPECT_TRUE(out.Close());
    }
    CStdioFile in;
    ASSERT_TRUE(in.Open(path.c_str(), CFile::modeRead));
    EXPECT_STREQ(in.GetFileName(), "fw_file_test.txt");
    EXPECT_STREQ(in.GetFileTitle(), "fw_file_test");
    std::vector<std::string> lines;
    CString line;
    while (in.ReadString(line)) lines.emplace_back(line.GetString());
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "第一行");
    EXPECT_EQ(lines[1], "second");
    EXPECT_EQ(lines[2], "");
    EXPECT_EQ(lines[3].size(), 2000u);
    EXPECT_EQ(lines[4], "last without end");
    const int64_t length = in.GetLength();
    EXPECT_EQ(length, 8 + 7 + 1 + 2000 + 17);
    EXPECT_EQ(in.Seek(2, CFile::begin), 2);
    char two[2];
    EXPECT_EQ(in.Read(two, 2), 2u);
    EXPECT_EQ(std::string(two, 2), "\xD2\xBB");  // "一", the second character
    EXPECT_EQ(in.Seek(-3, CFile::end), length - 3);
    char tail[8];
    EXPECT_EQ(in.Read(tail, 8), 3u);  // short count at the end
    in.Close();

    // modeNoTruncate keeps the contents; writing at the end appends.
    CFile more;
    ASSERT_TRUE(more.Open(path.c_str(), CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite));
    EXPECT_EQ(more.GetLength(), length);
    more.SeekToEnd();
    EXPECT_TRUE(more.Write("!", 1));
    EXPECT_TRUE(more.Close());
    CFile check(path.c_str(), CFile::modeRead);
    EXPECT_EQ(check.GetLength(), length + 1);
    check.Close();
    EXPECT_TRUE(CFile::Remove(path.c_str()));
}

TEST(CFileTest, ReplaceMovesOverAFileButNotOverAFolder)
{
    const vektest::TempDir dir("fwrep");
    const std::string target = dir.File("target.bin"), fresh = dir.File("fresh.bin"), folder = dir.File("sub");
    ASSERT_TRUE(vektest::WriteFileBytes(target, "old", 3));
    ASSERT_TRUE(vektest::WriteFileBytes(fresh, "new!", 4));
    EXPECT_TRUE(CFile::Replace(fresh.c_str(), target.c_str()));
    EXPECT_EQ(vektest::ReadFileBytes(target), (vektest::Bytes{'n', 'e', 'w', '!'}));
    EXPECT_TRUE(vektest::ReadFileBytes(fresh).empty());  // moved, not copied

    std::filesystem::create_directory(folder);
    ASSERT_TRUE(vektest::WriteFileBytes(fresh, "x", 1));
    EXPECT_FALSE(CFile::Replace(fresh.c_str(), folder.c_str()));
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    EXPECT_EQ(vektest::ReadFileBytes(fresh).size(), 1u);
    EXPECT_FALSE(CFile::Replace(dir.File("missing.bin").c_str(), target.c_str()));

    // A read-only target stays, whoever runs the program.
    namespace fs = std::filesystem;
    fs::permissions(target, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_FALSE(CFile::Replace(fresh.c_str(), target.c_str()));
    EXPECT_EQ(vektest::ReadFileBytes(target), (vektest::Bytes{'n', 'e', 'w', '!'}));
    EXPECT_EQ(vektest::ReadFileBytes(fresh).size(), 1u);
    fs::permissions(target, fs::perms::owner_write, fs::perm_options::add);
    EXPECT_TRUE(CFile::Replace(fresh.c_str(), target.c_str()));
}
