#include "vek/view/DxfOutput.h"

#include "vek/exchange/DxfWriter.h"
#include "vek/model/AppHelpers.h"
#include "vek/view/ViewSettings.h"

const char* const kDxfDonePrompt = "DXF文件输出完毕!";
const char* const kDxfFailedMessage = "DXF文件没有写完(磁盘已满或无法写入)，原有文件保持不变!";

int EndDxfOutput()
{
    if (!theDxfWriter.IsOpen()) return 0;
    if (theDxfWriter.Close()) {
        ViewShowPrompt(kDxfDonePrompt);
        return 1;
    }
    AppMessageBox(kDxfFailedMessage, MB_OK | MB_ICONERROR);
    return 0;
}
