#pragma once
// The stand-in of the application's helpers: message boxes and value prompts
// are recorded and answered as the test chose, modified marks kept, waits
// counted; the program's folder is the test's scratch folder.
#include <string>
#include <vector>

namespace vektest {

struct AppMessage {
    std::string text;   // the text, or "#<id>" for a string-table message
    unsigned type = 0;  // MB_ flags
};

struct AppPrompt {
    std::string prompt;
    std::string given;  // the default the prompt offered
};

class AppHelperLog {
public:
    // Starts a fresh record; boxes are answered with `answer` from now on.
    explicit AppHelperLog(int answer = 1 /* IDOK */);
    ~AppHelperLog();
    AppHelperLog(const AppHelperLog&) = delete;
    AppHelperLog& operator=(const AppHelperLog&) = delete;

    const std::vector<AppMessage>& Messages() const;
    // The last value given to SetDocumentModified, -1 when never called.
    int LastModified() const;
    void SetAnswer(int answer);

    // Value prompts take the next queued answer (OK with that text); with
    // none queued they are cancelled.
    void QueuePromptAnswer(const std::string& text);
    const std::vector<AppPrompt>& Prompts() const;
    // The milliseconds of every PumpMessagesFor call.
    const std::vector<unsigned>& Waits() const;
};

}  // namespace vektest
