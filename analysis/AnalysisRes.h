#pragma once
// Resource identifiers of analysis.dll (its dialogs, menus and strings use
// the range from 5000).
