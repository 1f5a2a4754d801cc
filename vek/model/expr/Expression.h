#pragma once
// A numeric input that may be an expression of the point x, y, z: the four
// operators, powers, parentheses, nineteen functions, the constants pi and e
// and the cylindrical and spherical coordinates of the point. A text without
// variables is worked out once and then served from the last result; a
// faulty text shows one message box, not one per point.
#include <cstdint>
#include <memory>
#include <string>

// The error of an expression, with the message shown to the user.
struct CExpressionError {
    std::string message;
};

struct CExprProgram;

class CExpression {
public:
    explicit CExpression(double px = 0, double py = 0, double pz = 0);

    // Stores the text; the next Evaluate works it out and reports its error.
    void SetExpression(const char* text);
    const std::string& GetExpression() const { return m_strText; }

    // The value at the point; the last good value (0 at first) when the text
    // is faulty, whose message is shown once. Never throws.
    double Evaluate()
    {
        if (m_bNeedsEvaluation) [[unlikely]]
            return EvaluateAtPoint();
        return m_dResult;
    }

    // The value of a text with the derived variables r, s, re, se, fe given;
    // x, y, z are the object's. Throws CExpressionError.
    double EvaluateText(const char* text, const double derived[5]);

    // A function's argument list at pos: the first argument and the rest
    // (commas after the first are dropped); pos is left behind the closing
    // parenthesis. count receives the number of arguments. 0 without a
    // complete list.
    static int SplitArguments(const char*& pos, std::string& first, std::string& second, int* count = nullptr);

    double x, y, z;
    uint8_t m_bNeedsEvaluation;
    uint8_t m_bReportErrors;
    double m_dResult;

private:
    double EvaluateAtPoint();
    // Runs the program; sets the needs-evaluation flag when a variable is read.
    double Run(const CExprProgram& program, const double derived[5]);

    std::string m_strText;
    std::shared_ptr<const CExprProgram> m_program;  // m_strText compiled
};
