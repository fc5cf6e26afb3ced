#include "core/radio/ValueTexts.h"

#include <array>

namespace torvan {
namespace {

struct Pair {
  Text id;
  std::string_view english;
  std::string_view chinese;
};

constexpr Pair kTexts[] = {
    {Text::None, "None", "无"},
    {Text::High, "High", "高"},
    {Text::Low, "Low", "低"},
    {Text::Lock, "Lock", "锁定"},
    {Text::Unlock, "Unlock", "未锁定"},
    {Text::Yes, "Yes", "有"},
    {Text::No, "No", "无"},
    {Text::Wide, "Wide", "宽"},
    {Text::Narrow, "Narrow", "窄"},

    {Text::HeaderCh, "CH", "信道"},
    {Text::HeaderRxFrequency, "Rx Frequency", "接收频率"},
    {Text::HeaderTxFrequency, "Tx Frequency", "发射频率"},
    {Text::HeaderRxTone, "Rx Tone", "接收信令"},
    {Text::HeaderTxTone, "Tx Tone", "发射信令"},
    {Text::HeaderPower, "Power", "功率"},
    {Text::HeaderBusyLock, "Busy Lock", "繁忙锁定"},
    {Text::HeaderScanAdd, "Scan Add", "扫描添加"},
    {Text::HeaderBandwidth, "Bandwidth", "带宽"},
    {Text::HeaderChaName, "Cha Name", "信道名字"},

    {Text::ProductInformation, "Product Information", "类型设置"},
    {Text::ChannelInformation, "Channel Information", "信道信息"},
    {Text::OptionalFeatures, "Optional Features", "可选功能"},

    {Text::ReadData, "Read Data", "读数据"},
    {Text::WriteData, "Write Data", "写数据"},

    {Text::CaptionType, "  [ Type:", "  [ 类型:"},
    {Text::CaptionFre, "  Fre:", "  频率:"},
    {Text::TitleType, " [ Type:", " [ 类型:"},
    {Text::TitleFre, " Fre:", " 频率:"},
    {Text::CaptionClose, " ]", " ]"},

    {Text::PrintChannel, "Channel", "信道"},
    {Text::PrintChannelN, "Channel %d:", "信道%d:"},
    {Text::PrintReceiveFrequency, "Receive Frequency:", "接收频率:"},
    {Text::PrintTransceiveFrequency, "Transceive Frequency:", "发射频率:"},
    {Text::PrintDecode, "QT/DQT Decode:", "QT/DQT解码:"},
    {Text::PrintEncode, "QT/DQT Encode:", "QT/DQT编码:"},
    {Text::PrintPower, "Power:", "功率:"},
    {Text::PrintChannelLock, "Channel Lock:", "信道锁定:"},
    {Text::PrintChannelName, "Channel Name:", "信道名字:"},

    {Text::PrintOption, "Option", "可选功能"},
    {Text::PrintFunction, "Function", "功能"},
    {Text::PrintTimeOutTimer, "Time Out Timer:", "超时定时器:"},
    {Text::PrintSquelchLevel, "Squelch Level:", "静噪电平:"},
    {Text::PrintBeep, "Beep:", "提示音:"},
    {Text::PrintCallTone, "Call Tone:", "呼叫铃音:"},
    {Text::PrintChannelDisplay, "Channel Display:", "信道显示:"},
    {Text::PrintPriorityScan, "Priority Scan:", "优先扫描:"},
    {Text::PrintBusy, "Busy", "繁忙:"},
    {Text::PrintPriScanningTime, "Pri-Scanning Time:", "预扫描时间:"},
    {Text::PrintScanMode, "Scan Mode:", "扫描模式:"},
    {Text::PrintKeypadLock, "Keypad Lock:", "键盘锁定:"},
    {Text::PrintMode, "Mode:", "模式:"},
    {Text::PrintVoiceSensitivity, "Voice Sensitivity:", "声控灵敏度:"},
    {Text::PrintStep, "Step:", "步长:"},
    {Text::PrintBatterySaver, "Battery Saver:", "电池省电:"},
    {Text::Off, "Off", "关"},
    {Text::On, "On", "开"},
    {Text::Manual, "Manual", "手动"},
    {Text::Auto, "Auto", "自动"},
    {Text::WordChannel, "Channel", "信道"},
    {Text::WordFrequency, "Frequency", "频率"},
    {Text::WordMemory, "Memory", "存储"},
    {Text::Encoder, "Encoder", "编码器"},

    {Text::PttOff, "Off", "关闭"},
    {Text::PttBeginTx, "Begin Tx", "开始发射"},
    {Text::PttEndTx, "End Tx", "结束发射"},
    {Text::PttBoth, "Both", "两者"},

    {Text::Customize, "Customize", "自定义"},
    {Text::FrequencyInputError, "Frequency input error", "起始频率应小于结束频率"},

    {Text::LoadLanguageDllFail, "Load language DLL fail", "加载语言链接库失败"},
};

static_assert(std::size(kTexts) == static_cast<std::size_t>(Text::Count_),
              "every Text has exactly one pair");

constexpr bool InOrder() {
  for (std::size_t i = 0; i < std::size(kTexts); ++i) {
    if (static_cast<std::size_t>(kTexts[i].id) != i) return false;
  }
  return true;
}
static_assert(InOrder(), "kTexts lists the pairs in the order of enum Text");

}  // namespace

DisplayLanguage DisplayLanguageFromName(std::string_view languageValue) {
  return languageValue == "Chinese" ? DisplayLanguage::Chinese : DisplayLanguage::English;
}

std::string_view TextFor(Text t, DisplayLanguage lang) {
  const Pair& p = kTexts[static_cast<std::size_t>(t)];
  return lang == DisplayLanguage::Chinese ? p.chinese : p.english;
}

bool IsTextInEitherLanguage(std::string_view s, Text t) {
  const Pair& p = kTexts[static_cast<std::size_t>(t)];
  return s == p.english || s == p.chinese;
}

std::string_view ColumnHeader(int col, DisplayLanguage lang) {
  if (col < 0 || col > 9) return {};
  return TextFor(static_cast<Text>(static_cast<int>(Text::HeaderCh) + col), lang);
}

}  // namespace torvan
