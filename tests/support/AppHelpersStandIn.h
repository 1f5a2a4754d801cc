#pragma once
// The stand-in of the application's helpers: message boxes are recorded and
// answered with a chosen button, modified marks counted.
#include <string>
#include <vector>

namespace vektest {

struct AppMessage {
    std::string text;   // the text, or "#<id>" for a string-table message
    unsigned type = 0;  // MB_ flags
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
};

}  // namespace vektest
