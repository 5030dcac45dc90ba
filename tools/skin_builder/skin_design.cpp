#include "skin_design.h"

#include <cstdio>

namespace torvane::skin {
namespace {

Element el(int index, const char* label, int x, int y, int w, int h, const char* caption, Kind kind,
           const char* pictureText = "") {
    return Element{index, label, x, y, w, h, caption, kind, pictureText};
}

void addFrame(std::vector<Element>& m) {
    m.push_back(el(0, "save", 624, 586, 68, 36, "保存", Kind::PrimaryButton));
    m.push_back(el(1, "status", 164, 588, 352, 32, "驱动运行中...", Kind::StatusLine));
    m.push_back(el(2, "run_in_tray", 528, 586, 88, 36, "后台运行", Kind::Button));
    m.push_back(el(3, "apply", 700, 586, 72, 36, "应用", Kind::PrimaryButton));
    for (int i = 0; i < 5; ++i) {
        const std::string caption = "配置" + std::to_string(i + 1);
        const std::string label = "profile" + std::to_string(i + 1);
        m.push_back(Element{4 + i, label, 28, 116 + 52 * i, 108, 40, caption, Kind::Button, ""});
    }
    m.push_back(el(9, "tab_main", 364, 26, 104, 40, "基本设置", Kind::Tab));
    m.push_back(el(10, "tab_macro", 472, 26, 104, 40, "宏设置", Kind::Tab));
    m.push_back(el(11, "tab_light", 580, 26, 104, 40, "灯光设置", Kind::Tab));
    m.push_back(el(12, "minimise", 708, 24, 32, 26, "", Kind::MinimiseIcon));
    m.push_back(el(13, "hide", 744, 24, 32, 26, "", Kind::HideIcon));
    m.push_back(el(14, "import", 28, 396, 108, 34, "导入配置", Kind::Button));
    m.push_back(el(15, "export", 28, 438, 108, 34, "导出配置", Kind::Button));
    m.push_back(el(16, "restore", 28, 480, 108, 34, "恢复默认", Kind::Button));
}

std::vector<Element> mainLayout() {
    std::vector<Element> m;
    addFrame(m);
    for (int i = 0; i < 7; ++i) {
        m.push_back(Element{17 + i, "function" + std::to_string(i + 1), 240,
                            kSlotTop + kSlotPitch * i, 160, 36, "", Kind::FunctionBox, ""});
    }
    m.push_back(el(24, "title_buttons", 172, 90, 120, 26, "按键功能", Kind::Header));
    m.push_back(el(25, "title_dpi", 476, 90, 120, 26, "DPI设置", Kind::Header));
    m.push_back(el(26, "column_enable", 474, 120, 40, 22, "启用", Kind::Label));
    for (int k = 0; k < 4; ++k) {
        m.push_back(Element{27 + k, "dpi_enable" + std::to_string(k + 1), 481,
                            kStageTop + kStagePitch * k + 9, 26, 26, "", Kind::Checkbox, ""});
    }
    m.push_back(el(31, "title_wheel", 476, 490, 84, 34, "滚轮方向", Kind::Label));
    m.push_back(el(32, "wheel_normal", 568, 490, 96, 34, "正向", Kind::Button));
    m.push_back(el(33, "wheel_reverse", 672, 490, 96, 34, "反向", Kind::Button));
    m.push_back(el(34, "column_stage", 516, 120, 66, 22, "档位", Kind::Label));
    m.push_back(el(35, "column_active", 582, 120, 32, 22, "当前", Kind::Label));
    m.push_back(el(36, "column_dpi", kStopLeft, 120, 5 * kStopWidth, 22, "灵敏度", Kind::Label));
    for (int i = 37; i <= 40; ++i) m.push_back(el(i, "unused", 0, 0, 0, 0, "", Kind::Unused));
    for (int k = 0; k < 4; ++k) {
        m.push_back(Element{41 + k, "dpi_stage" + std::to_string(k + 1), 516,
                            kStageTop + kStagePitch * k + 5, 64, 34, "", Kind::StageChoice,
                            "档位" + std::to_string(k + 1)});
    }
    for (int k = 0; k < 4; ++k) {
        for (int v = 0; v < 5; ++v) {
            m.push_back(Element{45 + 5 * k + v, "dpi" + std::to_string(k + 1) + "_" + dpiText(v),
                                kStopLeft + kStopWidth * stopPosition(v),
                                kStageTop + kStagePitch * k + 7, kStopWidth, kStopHeight, "",
                                Kind::DpiStop, ""});
        }
    }
    for (int k = 0; k < 4; ++k) {
        m.push_back(Element{65 + k, "dpi_active" + std::to_string(k + 1), 590,
                            kStageTop + kStagePitch * k + 14, 16, 16, "", Kind::StageLed, ""});
    }
    for (int i = 0; i < 7; ++i) {
        m.push_back(Element{69 + i, "press" + std::to_string(i + 1), 408,
                            kSlotTop + kSlotPitch * i + 4, 32, 28, "", Kind::PressIndicator, ""});
    }
    for (int i = 76; i <= 79; ++i) m.push_back(el(i, "unused", 0, 0, 0, 0, "", Kind::Unused));
    return m;
}

std::vector<Element> colourLayout() {
    return {
        el(0, "led_breathe", 548, 126, 220, 40, "呼吸循环", Kind::ModeChoice),
        el(1, "led_fast", 548, 176, 220, 40, "快速循环", Kind::ModeChoice),
        el(2, "led_steady", 548, 226, 220, 40, "常亮", Kind::ModeChoice),
        el(3, "led_off", 548, 276, 220, 40, "关闭", Kind::ModeChoice),
        el(4, "dpi_tile", 548, 336, 220, 88, "", Kind::HoverTile),
        el(5, "title_effect", 172, 90, 120, 26, "灯光效果", Kind::Header),
        el(6, "title_mode", 536, 90, 120, 26, "灯光模式", Kind::Header),
        el(7, "dpi_caption", 560, 344, 196, 26, "当前DPI", Kind::Label),
        el(8, "preview_caption", 180, 496, 320, 28, "灯光颜色随DPI档位变化", Kind::Label),
        el(9, "dpi_value", 560, 376, 196, 36, "1200", Kind::Label),
        el(10, "hint", 548, 440, 220, 28, "设置在点击应用后生效", Kind::Label),
        el(11, "swatch", 180, 124, 320, 360, "", Kind::Swatch),
    };
}

std::vector<Element> advancedLayout() {
    return {
        el(0, "macro_import", 176, 462, 102, 34, "导入宏", Kind::Button),
        el(1, "macro_export", 286, 462, 102, 34, "导出宏", Kind::Button),
        el(2, "macro_add", 176, 420, 102, 34, "添加宏", Kind::Button),
        el(3, "macro_delete", 286, 420, 102, 34, "删除宏", Kind::Button),
        el(4, "record", 420, 490, 192, 44, "录制", Kind::RecordButton),
        el(5, "repeat_apply", 726, 192, 46, 30, "确定", Kind::Button),
        el(6, "repeat", 644, 122, 128, 34, "循环播放", Kind::Toggle),
        el(7, "repeat_held", 644, 232, 128, 34, "按住循环", Kind::Toggle),
        el(8, "speed_slow", 644, 316, 128, 32, "低速", Kind::SpeedChoice),
        el(9, "speed_medium", 644, 354, 128, 32, "中速", Kind::SpeedChoice),
        el(10, "speed_fast", 644, 392, 128, 32, "高速", Kind::SpeedChoice),
        el(11, "mouse_tile", 644, 440, 128, 94, "", Kind::HoverTile),
        el(12, "title_macros", 172, 90, 120, 26, "宏列表", Kind::Header),
        el(13, "title_steps", 420, 90, 120, 26, "宏步骤", Kind::Header),
        el(14, "press_count", 420, 456, 92, 26, "↓0", Kind::ValueDisplay),
        el(15, "release_count", 520, 456, 92, 26, "↑0", Kind::ValueDisplay),
        el(16, "name_caption", 176, 380, 60, 30, "宏名称", Kind::Label),
        el(17, "count_caption", 644, 164, 128, 24, "循环次数", Kind::Label),
        el(18, "title_speed", 640, 284, 120, 26, "指针速度", Kind::Header),
        el(19, "title_repeat", 640, 90, 120, 26, "循环设置", Kind::Header),
    };
}

std::vector<Element> warningLayout() {
    return {
        el(0, "confirm", 52, 118, 108, 36, "确定", Kind::Button),
        el(1, "cancel", 180, 118, 108, 36, "取消", Kind::Button),
        el(2, "message", 20, 44, 300, 56, "没有其他按键为左键，确定要修改吗？", Kind::Label),
    };
}

std::vector<std::string> functionNames() {
    std::vector<std::string> n(55);
    const char* named[] = {
        "",          "左键",     "右键",     "中键",     "后退",       "前进",     "DPI循环",
        "鼠标功能",  "多媒体",   "宏命令",   "快捷功能", "双击",       "三连击",   "狙击键",
        "左键连发",  "滚轮向上", "滚轮向下", "DPI+",     "DPI-",       "灯光开关", "未定义",
        "播放/暂停", "下一曲",   "上一曲",   "音量+",    "音量-",      "静音",     "未定义",
        "未定义",    "未定义",   "未定义",   "复制",     "粘贴",       "全选",     "撤销",
        "关闭窗口",  "我的电脑", "锁定屏幕", "计算器",   "命令提示符", "切换配置",
    };
    for (int c = 0; c <= 40; ++c) n[c] = named[c];
    for (int m = 1; m <= 12; ++m) n[40 + m] = "宏" + std::to_string(m);
    n[53] = "未定义";
    n[54] = "未定义";
    return n;
}

Design makeDesign() {
    Design d;
    d.main = mainLayout();
    d.colour = colourLayout();
    d.advanced = advancedLayout();
    d.warning = warningLayout();
    d.countEdit = {644, 192, 76, 30};
    d.nameEdit = {240, 380, 148, 30};
    d.macroList = {176, 120, 212, 250};
    d.eventList = {420, 120, 192, 330};
    d.functionNames = functionNames();
    d.outline = {{0, 24},   {24, 0},    {340, 0},   {356, 12}, {776, 12},
                 {800, 36}, {800, 604}, {764, 640}, {36, 640}, {0, 604}};
    d.warningOutline = {{0, 14},    {14, 0},    {326, 0},  {340, 14},
                        {340, 162}, {326, 176}, {14, 176}, {0, 162}};
    return d;
}

const char kHeader[] =
    "; Torvane GMouse skin layout, written by tools/skin_builder.\r\n"
    "; Record: label,x,y,width,height,caption,\r\n";

std::string record(const std::string& label, int x, int y, int w, int h,
                   const std::string& caption) {
    return label + "," + std::to_string(x) + "," + std::to_string(y) + "," + std::to_string(w) +
           "," + std::to_string(h) + "," + caption + ",";
}

std::string buttonSection(const std::vector<Element>& elements) {
    std::string s = "[BUTTONPOS]\r\n";
    for (const Element& e : elements) {
        s += std::to_string(e.index) + "=" +
             record(e.label, e.x, e.y, e.width, e.height, e.caption) + "\r\n";
    }
    return s;
}

std::string rectLine(int key, const char* label, const Rect& r) {
    return std::to_string(key) + "=" + record(label, r.x, r.y, r.width, r.height, "") + "\r\n";
}

}  // namespace

const Design& design() {
    static const Design d = makeDesign();
    return d;
}

const char* dpiText(int valueIndex) {
    static const char* const texts[] = {"3200", "1200", "1600", "2000", "2400"};
    return valueIndex >= 0 && valueIndex < 5 ? texts[valueIndex] : "1200";
}

int stopPosition(int valueIndex) {
    return (valueIndex + 4) % 5;
}

std::string mainLayoutText(const Design& d) {
    std::string s = kHeader;
    s += buttonSection(d.main);
    s += "\r\n[FUN_STRING]\r\n";
    for (int c = 1; c < static_cast<int>(d.functionNames.size()); ++c) {
        s += std::to_string(c) + "=" + d.functionNames[c] + "\r\n";
    }
    return s;
}

std::string colourLayoutText(const Design& d) {
    return kHeader + buttonSection(d.colour);
}

std::string advancedLayoutText(const Design& d) {
    std::string s = kHeader + buttonSection(d.advanced);
    s += "\r\n[EDIT]\r\n";
    s += rectLine(3, "repeat_count", d.countEdit);
    s += rectLine(4, "macro_name", d.nameEdit);
    s += "\r\n[MACRODISPLAY]\r\n";
    s += rectLine(1, "macro_list", d.macroList);
    s += rectLine(2, "event_list", d.eventList);
    return s;
}

std::string warningLayoutText(const Design& d) {
    return kHeader + buttonSection(d.warning);
}

}  // namespace torvane::skin
