#include "app/keypad_keys.h"

namespace {

KeypadKey behind(int index, const char* caption, const char* toolTip, const char* inserted)
{
    return {index, QString::fromUtf8(caption), QString::fromUtf8(toolTip), QString::fromUtf8(inserted),
            CaretRule::Behind};
}

KeypadKey function(int index, const char* caption, const char* toolTip, const char* inserted)
{
    return {index, QString::fromUtf8(caption), QString::fromUtf8(toolTip), QString::fromUtf8(inserted),
            CaretRule::InsideBrackets};
}

std::vector<KeypadKey> buildKeys()
{
    std::vector<KeypadKey> keys;
    for (int d = 0; d <= 9; ++d) {
        const QString digit = QString::number(d);
        keys.push_back({d, digit, QString(), digit, CaretRule::Behind});
    }
    keys.push_back(behind(10, ".", "", "."));
    keys.push_back(behind(11, "+", "", "+"));
    keys.push_back(behind(12, "-", "", "-"));
    keys.push_back(behind(13, "*", "", "*"));
    keys.push_back(behind(14, "/", "高精度除", "/"));
    keys.push_back(behind(15, "(", "", "("));
    keys.push_back(behind(16, ")", "", ")"));
    keys.push_back({17, QStringLiteral("±"), QString(), QString(), CaretRule::Negate});
    keys.push_back(behind(18, "＾", "乘方", "^"));
    keys.push_back(behind(19, "\\", "整除", "\\"));
    keys.push_back(function(20, "mod", "余数=被除数-整数商*除数", "mod(,)"));
    keys.push_back(function(21, "ln", "自然对数", "ln()"));
    keys.push_back(function(22, "log", "以10为底数的对数", "log()"));
    keys.push_back(function(24, "sin", "正弦函数", "sin()"));
    keys.push_back(function(25, "cos", "余弦函数", "cos()"));
    keys.push_back(function(26, "tan", "正切函数", "tan()"));
    keys.push_back(function(27, "cot", "余切函数", "cot()"));
    keys.push_back(function(29, "sinh", "双曲正弦函数", "sinh()"));
    keys.push_back(function(30, "3√", "开立方根", "cuberoot()"));
    keys.push_back(function(31, "acos", "反余弦函数", "acos()"));
    keys.push_back(function(32, "asin", "反正弦函数", "asin()"));
    keys.push_back(function(33, "arcosh", "反双曲余弦函数", "arcosh()"));
    keys.push_back(function(35, "n!!", "双阶乘", "doujc()"));
    keys.push_back(behind(36, "√", "开平方根", "√"));
    keys.push_back(behind(37, "n!", "阶乘", "!"));
    keys.push_back(function(38, "coth", "双曲余切函数", "coth()"));
    keys.push_back(function(39, "acot", "反余切函数", "acot()"));
    keys.push_back(function(40, "cosh", "双曲余弦函数", "cosh()"));
    keys.push_back(function(41, "arsinh", "反双曲正弦函数", "arsinh()"));
    keys.push_back(function(42, "atan", "反正切函数", "atan()"));
    keys.push_back(behind(44, "°", "度", "°"));
    keys.push_back(behind(46, "′", "分", "′"));
    keys.push_back(behind(48, "″", "秒", "″"));
    keys.push_back(function(52, "artanh", "反双曲正切函数", "artanh()"));
    keys.push_back(function(53, "arcoth", "反双曲余切函数", "arcoth()"));
    keys.push_back(function(54, "n√X", "开N次方根", "yroot(,)"));
    keys.push_back(function(55, "tanh", "双曲正切函数", "tanh()"));
    keys.push_back(function(57, "int", "返回整数部分", "int()"));
    keys.push_back(function(61, "angle", "弧度转换为角度值", "angle()"));
    keys.push_back(function(62, "frac", "返回小数部分", "frac()"));
    keys.push_back(function(63, "exp", "e的x次方", "exp()"));
    keys.push_back(behind(64, "e", "自然常数", "Natural"));
    keys.push_back(behind(65, "π", "圆周率（Pi）", "π"));
    keys.push_back(function(67, "radian", "角度转为弧度值", "radian()"));
    return keys;
}

} // namespace

const std::vector<KeypadKey>& keypadKeys()
{
    static const std::vector<KeypadKey> keys = buildKeys();
    return keys;
}

const KeypadKey* keypadKey(int index)
{
    for (const KeypadKey& key : keypadKeys())
        if (key.index == index)
            return &key;
    return nullptr;
}
