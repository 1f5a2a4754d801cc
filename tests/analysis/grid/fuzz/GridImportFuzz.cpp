// Fuzz target: the grid's text import over arbitrary bytes, then the rows
// read back as two-column items and continued by auto-fill. The first byte
// chooses the number of data columns (1-4) and the fill.
#include <cstdint>
#include <cstdio>
#include <string>

#include "analysis/TableCells.h"
#include "analysis/TableText.h"
#include "analysis/TableTwoColData.h"
#include "tests/support/TestFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1) return 0;
    const uint8_t mode = data[0];
    static const std::string path = vektest::ScratchPath("grid_fuzz", ".txt", vektest::MemoryFolder());
    if (!vektest::WriteFileBytes(path, data + 1, size - 1)) return 0;
    CTableModel table(2, 2 + (mode & 3));
    table.SetCellText(1, 1, "old");
    if (TableImportText(table, path.c_str()) != TableImport::Done) return 0;
    MLArraySort<CAxisGridItem> items;
    TwoColCellsToItems(table, items, (mode & 4) != 0);
    TwoColItemsToCells(table, items, (mode & 8) != 0);
    TableAutoFill(table, (mode >> 4) & 1, 1 + ((mode >> 5) & 3));
    char buf[8];
    for (int r = 0; r < table.GetRowCount(); ++r)
        for (int c = 0; c < table.GetColCount(); ++c) table.GetCellText(r, c, buf, sizeof buf);
    return 0;
}
