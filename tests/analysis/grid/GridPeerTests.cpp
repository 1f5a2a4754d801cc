// The grid's files as other programs see them: axis-grid records read by
// Python's struct module, and text files made by printf imported.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "analysis/AxisGridItem.h"
#include "analysis/TableCells.h"
#include "analysis/TableText.h"
#include "korvalib/base/biostream.h"
#include "tests/support/TestFiles.h"

namespace {

bool Shell(const std::string& cmd)
{
    const int rc = std::system(cmd.c_str());
    if (rc != 0) ADD_FAILURE() << "command failed (" << rc << "): " << cmd;
    return rc == 0;
}

std::string ReadText(const std::string& path)
{
    const vektest::Bytes b = vektest::ReadFileBytes(path);
    return std::string(b.begin(), b.end());
}

TEST(GridPeers, PythonReadsTheAxisGridRecords)
{
    vektest::TempFile stream("grid_peer", ".bin"), plain("grid_peer", ".bin"), out("grid_peer", ".txt");
    CAxisGridItem items[3] = {CAxisGridItem(-12, 3.25), CAxisGridItem(2.5, -1e10), CAxisGridItem(40000, 0.1)};
    items[1].slctit();
    items[2].unActiveIt();
    {
        bofstream s;
        ASSERT_TRUE(s.Open(stream.c_str()));
        for (const auto& item : items) item.Serialize(s);
        ASSERT_TRUE(s.Close());
        FILE* f = std::fopen(plain.c_str(), "wb");
        ASSERT_NE(f, nullptr);
        for (const auto& item : items) ASSERT_EQ(item.Write(f), 1);
        ASSERT_EQ(std::fclose(f), 0);
    }
    // The left value by the record's known mode: integer, real, integer.
    const std::string script =
        "import struct,sys\n"
        "out=open(sys.argv[3],'w')\n"
        "for path in sys.argv[1:3]:\n"
        "  data=open(path,'rb').read()\n"
        "  assert len(data)==42, len(data)\n"
        "  for k,fmt in enumerate(['<idbb','<fdbb','<idbb']):\n"
        "    l,r,a,s=struct.unpack_from(fmt,data,14*k)\n"
        "    out.write('%r %r %d %d\\n'%(l,r,a,s))\n";
    vektest::TempFile py("grid_peer", ".py");
    ASSERT_TRUE(py.WriteText(script));
    ASSERT_TRUE(Shell("/usr/bin/python3 '" + py.path() + "' '" + stream.path() + "' '" + plain.path() + "' '" +
                      out.path() + "'"));
    const std::string one = "-12 3.25 1 0\n2.5 -10000000000.0 1 1\n40000 0.1 0 0\n";
    EXPECT_EQ(ReadText(out.path()), one + one);
}

// A file made by printf with the given format.
std::string Printf(const vektest::TempDir& dir, const char* name, const std::string& format)
{
    const std::string path = dir.File(name);
    Shell("/usr/bin/printf '" + format + "' > '" + path + "'");
    return path;
}

struct ImportTable : CTableModel {
    ImportTable() : CTableModel(5, 4)  // three data columns, four data rows to replace
    {
        for (int r = 1; r < 5; ++r) SetCellText(r, 1, "old");
        SetCellText(0, 1, "标题");
    }
    std::string Row(int r) const
    {
        std::string s;
        for (int c = 1; c < 4; ++c) {
            const char* t = GetCellTextPtr(r, c);
            s += std::string(c > 1 ? "|" : "") + (t ? t : "(none)");
        }
        return s;
    }
};

TEST(GridPeers, ImportOfFilesMadeByPrintf)
{
    const vektest::TempDir dir("grid_import");
    const std::string digits(600, '7');
    struct Case {
        const char* what;
        std::string format;
        std::vector<std::string> rows;
    } cases[] = {
        {"CR LF", "a,b,c\\r\\n1 2 3\\r\\n", {"a|b|c", "1|2|3"}},
        {"LF and no final newline", "x\\ny", {"x| | ", "y| | "}},
        {"runs of separators", ",,a,, \\t b\\t\\t,c ,\\n", {"a|b|c"}},
        {"four tokens in three columns", "1,2 3\\t4\\n", {"1|2|3"}},
        {"empty lines", "\\n\\r\\n", {" | | ", " | | "}},
        {"GBK", "\\313\\316\\314\\345,\\301\\272\\n", {"宋体|梁| "}},
        {"a line of 600 bytes is one row", digits + ",x\\nlast\\n", {digits + "|x| ", "last| | "}},
        {"a CR inside a line stays", "a\\rb\\n", {"a\rb| | "}},
    };
    for (const Case& c : cases) {
        ImportTable t;
        const std::string path = Printf(dir, "fixture.txt", c.format);
        ASSERT_EQ(TableImportText(t, path.c_str()), TableImport::Done) << c.what;
        ASSERT_EQ(t.GetRowCount(), int(c.rows.size()) + 1) << c.what;
        for (size_t r = 0; r < c.rows.size(); ++r) EXPECT_EQ(t.Row(int(r) + 1), c.rows[r]) << c.what;
        EXPECT_STREQ(t.GetCellTextPtr(0, 1), "标题") << "the header row stays";
    }
}

TEST(GridPeers, AFileThatCannotBeImportedChangesNothing)
{
    const vektest::TempDir dir("grid_import");
    ImportTable t;
    const std::string before = t.Row(1) + t.Row(4);
    EXPECT_EQ(TableImportText(t, Printf(dir, "empty.txt", "").c_str()), TableImport::Empty);
    EXPECT_EQ(TableImportText(t, dir.File("missing.txt").c_str()), TableImport::CannotOpen);
    EXPECT_EQ(TableImportText(t, dir.path().string().c_str()), TableImport::ReadError) << "a folder";
    EXPECT_EQ(TableImportText(t, nullptr), TableImport::CannotOpen);
    EXPECT_EQ(t.GetRowCount(), 5);
    EXPECT_EQ(t.Row(1) + t.Row(4), before);
}

}  // namespace
