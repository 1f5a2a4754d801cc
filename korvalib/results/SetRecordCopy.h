#pragma once
// Keeping the records of one result set of an element-force file in a copy
// of that file: the copy's other records stay as they are.
#include "korvalib/base/KorvaApi.h"

// The records of set (1-based, of sets in all) of every element of the element-force file
// from, whose kind the extension names ("U3", "U30", "U7", "U31", "U41"),
// written into the copy to at the same places. 1 on success (also for an
// extension whose layout is not walked here: nothing is copied); 0 when a
// file is short or damaged, the two differ in layout, or a write fails.
KORVA_API int CopyElementSetRecords(const char* from, const char* to, const char* ext, int set, int sets);
// The bytes [offset, offset + size) of from into to at the same place; 0
// when either file is shorter or a write fails.
KORVA_API int CopyFileRange(const char* from, const char* to, long long offset, long long size);
