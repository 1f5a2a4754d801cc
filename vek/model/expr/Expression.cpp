#include "vek/model/expr/Expression.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

#include "korvalib/base/GFunc.h"
#include "vek/model/AppHelpers.h"

// The text is compiled once into a program of stack operations that repeats
// exactly what a left-to-right evaluation with an operator stack and a value
// stack would do; the operator stack never depends on the values, so only
// the values are left for each point. An error found while compiling becomes
// the program's last operation, so that the values before it still meet
// their own errors first, in text order.
namespace {

enum EOp : uint8_t { kConst, kVar, kAdd, kSub, kMul, kDiv, kPow, kFunc, kFail };
// Variables: x, y, z, then the derived r, s, re, se, fe.
enum EVar : uint8_t { kX, kY, kZ, kR, kS, kRe, kSe, kFe };
enum EFunc : uint8_t {
    kAbs,
    kArccos,
    kArcsin,
    kArctg,
    kArctg2,
    kCos,
    kSin,
    kTg,
    kCosh,
    kSinh,
    kTgh,
    kExp,
    kLn,
    kLog,
    kLog10,
    kMin,
    kMax,
    kPowFn,
    kSqrt
};

struct FuncInfo {
    const char* name;
    EFunc code;
    int arity;
};
constexpr FuncInfo kFunctions[] = {
    {"abs", kAbs, 1}, {"arccos", kArccos, 1}, {"arcsin", kArcsin, 1}, {"arctg", kArctg, 1}, {"arctg2", kArctg2, 2},
    {"cos", kCos, 1}, {"sin", kSin, 1},       {"tg", kTg, 1},         {"cosh", kCosh, 1},   {"sinh", kSinh, 1},
    {"tgh", kTgh, 1}, {"exp", kExp, 1},       {"ln", kLn, 1},         {"log", kLog, 2},     {"log10", kLog10, 1},
    {"min", kMin, 2}, {"max", kMax, 2},       {"pow", kPowFn, 2},     {"sqrt", kSqrt, 1},
};

constexpr double kPi = 3.141592653589793;
constexpr double kE = 2.718281828459045;
const char* const kNotFinite = "计算结果不是有效的数值(除数为零或数值溢出)！";

bool IsLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}
bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}
bool SameName(const std::string& a, const char* b)
{
    const size_t n = std::strlen(b);
    if (a.size() != n) return false;
    for (size_t i = 0; i < n; ++i) {
        char c = a[i];
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
        if (c != b[i]) return false;
    }
    return true;
}

std::string Format(const char* pattern, const std::string& arg)
{
    std::vector<char> buf(std::strlen(pattern) + arg.size() + 1);
    std::snprintf(buf.data(), buf.size(), pattern, arg.c_str());
    return buf.data();
}

}  // namespace

struct CExprOp {
    EOp code;
    uint8_t arg;
    double value;
};

struct CExprProgram {
    std::vector<CExprOp> ops;
    std::vector<std::string> failures;
    int maxDepth = 0;
    bool derived = false;  // r, s, re, se or fe is read
};

namespace {

class Compiler {
public:
    explicit Compiler(CExprProgram& p) : m_p(p) {}

    // Compiles one whole expression whose values start at stack depth base.
    // False once an error has been compiled in.
    bool Expression(const std::string& text, int base)
    {
        std::vector<char> ops;
        int depth = 0;
        bool sign = true;
        size_t i = 0;
        const size_t len = text.size();
        auto push = [&](EOp code, uint8_t arg, double v) {
            m_p.ops.push_back({code, arg, v});
            ++depth;
            if (base + depth > m_p.maxDepth) m_p.maxDepth = base + depth;
        };
        auto apply = [&]() {
            const char c = ops.back();
            ops.pop_back();
            if (depth < 2) return Fail("运算符的操作数个数太少！");
            m_p.ops.push_back({c == '+' ? kAdd : c == '-' ? kSub : c == '*' ? kMul : c == '/' ? kDiv : kPow, 0, 0});
            --depth;
            return true;
        };
        // c == 0 is the end of the text, an operator of the lowest rank.
        auto binary = [&](char c) {
            while (!ops.empty() && ops.back() != '(') {
                const char t = ops.back();
                const bool outranks = t == '^' || ((t == '*' || t == '/') && c != '^') ||
                                      ((t == '+' || t == '-') && (c == '+' || c == '-' || c == 0));
                if (!outranks) break;
                if (!apply()) return false;
            }
            if (c) ops.push_back(c);
            return true;
        };
        for (;;) {
            while (i < len && text[i] == ' ') ++i;
            if (i == len) {
                if (!binary(0)) return false;
                if (!ops.empty()) return Fail("缺少右圆括号！");
                if (depth != 1) return Fail("操作数个数过多或过少！");
                return true;
            }
            const char c = text[i];
            if (c == '(') {
                ops.push_back(c);
                sign = true;
                ++i;
                continue;
            }
            if (c == '+' || c == '-' || c == '*' || c == '/' || c == '^') {
                if (sign && (c == '+' || c == '-')) push(kConst, 0, 0.0);
                if (!binary(c)) return false;
                sign = false;
                ++i;
                continue;
            }
            if (c == ')') {
                while (!ops.empty() && ops.back() != '(')
                    if (!apply()) return false;
                if (ops.empty()) return Fail("缺少左圆括号！");
                ops.pop_back();
                sign = false;
                ++i;
                continue;
            }
            sign = false;
            if (IsDigit(c) || c == '.') {
                size_t j = i;
                while (j < len) {
                    if (IsDigit(text[j]) || text[j] == '.') {
                        ++j;
                    } else if (text[j] == 'e' || text[j] == 'E') {
                        j += j + 1 < len ? 2 : 1;
                    } else {
                        break;
                    }
                }
                const std::string number = text.substr(i, j - i);
                char* end = nullptr;
                const double v = std::strtod(number.c_str(), &end);
                if (end != number.c_str() + number.size()) return Fail(Format("数值%s的格式不对！", number));
                if (!std::isfinite(v)) return Fail(kNotFinite);
                push(kConst, 0, v);
                i = j;
                continue;
            }
            if (!IsLetter(c)) return Fail(Format("从\"%s\"开始出现了无法识别的字符！", text.substr(i)));
            size_t j = i;
            while (j < len && (IsLetter(text[j]) || IsDigit(text[j]))) ++j;
            const std::string name = text.substr(i, j - i);
            i = j;
            if (PushVariable(name, push)) continue;
            const char* pos = text.c_str() + j;
            std::string args[2];
            int count = 0;
            if (!CExpression::SplitArguments(pos, args[0], args[1], &count))
                return Fail(Format("%s可能输入是无法识别变量名，也可能是其后的格式有误！", name));
            i = size_t(pos - text.c_str());
            int given = 0;
            for (const std::string& a : args) {
                if (a.empty()) continue;
                if (!Expression(a, base + depth + given)) return false;
                ++given;
                if (base + depth + given > m_p.maxDepth) m_p.maxDepth = base + depth + given;
            }
            const FuncInfo* f = nullptr;
            for (const FuncInfo& k : kFunctions)
                if (SameName(name, k.name)) f = &k;
            if (!f) return Fail(Format("无法识别的函数名或变量名:%s", name));
            if (count != f->arity || given != f->arity) return Fail(Format("函数%s的参数个数不对！", name));
            m_p.ops.push_back({kFunc, uint8_t(f->code), double(f->arity)});
            depth += 1;
        }
    }

private:
    template <class Push>
    bool PushVariable(const std::string& name, Push& push)
    {
        static const struct {
            const char* name;
            EVar v;
        } vars[] = {{"x", kX}, {"y", kY}, {"z", kZ}, {"r", kR}, {"s", kS}, {"re", kRe}, {"se", kSe}, {"fe", kFe}};
        for (const auto& v : vars) {
            if (!SameName(name, v.name)) continue;
            push(kVar, uint8_t(v.v), 0.0);
            if (v.v >= kR) m_p.derived = true;
            return true;
        }
        if (SameName(name, "pi"))
            push(kConst, 0, kPi);
        else if (SameName(name, "e"))
            push(kConst, 0, kE);
        else
            return false;
        return true;
    }

    bool Fail(const std::string& message)
    {
        m_p.ops.push_back({kFail, uint8_t(m_p.failures.size()), 0});
        m_p.failures.push_back(message);
        return false;
    }

    CExprProgram& m_p;
};

std::shared_ptr<const CExprProgram> Compile(const std::string& text)
{
    auto p = std::make_shared<CExprProgram>();
    Compiler(*p).Expression(text, 0);
    return p;
}

[[noreturn]] void Throw(const std::string& message)
{
    throw CExpressionError{message};
}

double Call(EFunc f, double a, double b)
{
    switch (f) {
        case kAbs: return a >= 0 ? a : -a;
        case kArccos:
        case kArcsin:
            if (a <= -1.00000001 || a >= 1.00000001)
                Throw(f == kArccos ? "函数arccos的参数绝对值大于1" : "函数arcsin的参数绝对值大于1");
            a = a < -1 ? -1 : a > 1 ? 1 : a;
            return f == kArccos ? std::acos(a) : std::asin(a);
        case kArctg: return a < -1e20 ? -kPi / 2 : a > 1e20 ? kPi / 2 : std::atan(a);
        case kArctg2: {
            const double t = std::atan2(b, a);
            return t < 0 ? t + 2 * kPi : t;
        }
        case kCos: return std::cos(a);
        case kSin: return std::sin(a);
        case kTg: return std::tan(a);
        case kCosh: return std::cosh(a);
        case kSinh: return std::sinh(a);
        case kTgh: return std::tanh(a);
        case kExp: return std::exp(a);
        case kLn: return std::log(a);
        case kLog: {
            // Both logarithms must be numbers: a base or value of 0 is no logarithm.
            const double lb = std::log(b), la = std::log(a);
            if (!std::isfinite(lb) || !std::isfinite(la)) Throw(kNotFinite);
            return lb / la;
        }
        case kLog10: return std::log10(a);
        case kMin: return b > a ? a : b;
        case kMax: return b < a ? a : b;
        case kPowFn: return std::pow(a, b);
        case kSqrt:
            if (a < -1e-12) Throw("函数sqrt的参数小于零！");
            return GFunc::Sqrt(a);
    }
    return 0;
}

}  // namespace

CExpression::CExpression(double px, double py, double pz)
    : x(px), y(py), z(pz), m_bNeedsEvaluation(0), m_bReportErrors(1), m_dResult(0.0)
{
}

void CExpression::SetExpression(const char* text)
{
    m_strText = text ? text : "";
    m_program.reset();
    m_bNeedsEvaluation = 1;
    m_bReportErrors = 1;
}

double CExpression::Run(const CExprProgram& p, const double d[5])
{
    double small[32];
    std::vector<double> big;
    double* st = small;
    if (p.maxDepth > 32) {
        big.resize(size_t(p.maxDepth));
        st = big.data();
    }
    const double vars[8] = {x, y, z, d[0], d[1], d[2], d[3], d[4]};
    int sp = 0;
    for (const CExprOp& op : p.ops) {
        double r;
        switch (op.code) {
            case kConst: st[sp++] = op.value; continue;
            case kVar:
                m_bNeedsEvaluation = 1;
                st[sp++] = vars[op.arg];
                continue;
            case kFail: Throw(p.failures[op.arg]);
            case kFunc: {
                const int n = int(op.value);
                sp -= n;
                r = Call(EFunc(op.arg), st[sp], n > 1 ? st[sp + 1] : 0.0);
                break;
            }
            default: {
                const double b = st[--sp], a = st[--sp];
                switch (op.code) {
                    case kAdd: r = a + b; break;
                    case kSub: r = a - b; break;
                    case kMul: r = a * b; break;
                    case kDiv: r = a / b; break;
                    default: r = std::pow(a, b); break;
                }
            }
        }
        if (!std::isfinite(r)) Throw(kNotFinite);
        st[sp++] = r;
    }
    return st[0];
}

double CExpression::EvaluateText(const char* text, const double derived[5])
{
    const std::string t = text ? text : "";
    if (!m_program || t != m_strText) {
        std::shared_ptr<const CExprProgram> p = Compile(t);
        if (t != m_strText) return Run(*p, derived);
        m_program = p;
    }
    return Run(*m_program, derived);
}

double CExpression::EvaluateAtPoint()
{
    double d[5] = {0, 0, 0, 0, 0};  // r, s, re, se, fe
    try {
        if (!m_program) m_program = Compile(m_strText);
        if (m_program->derived) {
            const double q = x * x + y * y;
            if (q >= 1e-12) {
                d[0] = std::sqrt(q);
                d[3] = std::atan2(y, x);
                d[1] = d[3] < 0 ? d[3] + 2 * kPi : d[3];
                d[2] = std::sqrt(q + z * z);
                d[4] = std::asin(z / d[2]);
            } else if (z > 1e-7) {
                d[2] = z;
                d[4] = kPi / 2;
            } else if (z < -1e-7) {
                d[2] = -z;
                d[4] = -kPi / 2;
            }
        }
        m_bNeedsEvaluation = 0;
        m_dResult = Run(*m_program, d);
    } catch (const CExpressionError& e) {
        if (m_bReportErrors) AppMessageBox(e.message.c_str(), 0, 0);
    } catch (const std::bad_alloc&) {
        if (m_bReportErrors) AppMessageBoxID(102, 0, 0);
    }
    m_bReportErrors = 0;
    return m_dResult;
}

int CExpression::SplitArguments(const char*& pos, std::string& first, std::string& second, int* count)
{
    first.clear();
    second.clear();
    if (count) *count = 0;
    const char* p = pos;
    while (*p == ' ') ++p;
    if (*p != '(') return 0;
    ++p;
    int depth = 0, commas = 0;
    std::string* into = &first;
    bool any = false;
    for (; *p; ++p) {
        const char c = *p;
        if (c == ')' && depth == 0) {
            if (count) *count = commas + (any || commas ? 1 : 0);
            pos = p + 1;
            return 1;
        }
        if (c == ',' && depth == 0) {
            ++commas;
            into = &second;
            continue;
        }
        if (c == '(') ++depth;
        if (c == ')') --depth;
        if (c != ' ') any = true;
        into->push_back(c);
    }
    return 0;
}
