#pragma once
// The end of a DXF export drawn through the view: the file is closed and
// the user told whether it was written whole.

// Nothing when no export is open; else closes it: "DXF文件输出完毕!" in
// the prompt bar when every write succeeded, a message box otherwise (the
// old file, if any, is then left as it was). Returns Close's result.
int EndDxfOutput();

extern const char* const kDxfDonePrompt;
extern const char* const kDxfFailedMessage;
